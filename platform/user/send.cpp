// SendMessageA: at once on the window's own thread; from another thread the
// message waits in the window thread's queue, is delivered there when that
// thread next looks for messages, and the sender waits for the answer,
// answering meanwhile what is sent to it.
#include <platform/kernel.h>

#include "../host/host.h"
#include "delivery.h"
#include "message_queue.h"
#include "window_table.h"

namespace user {

namespace {

// FIXME: a thread that ends without looking at its queue leaves its senders
// waiting; the desktop answers them 0.
LRESULT SendToThread(DWORD thread, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  Queue& mine = QueueOf(GetCurrentThreadId());
  Queue& theirs = QueueOf(thread);
  auto sent = std::make_shared<SentMessage>(SentMessage{window, message, wParam, lParam, &mine});
  {
    std::lock_guard guard(theirs.lock);
    theirs.sent.push_back(sent);
  }
  theirs.changed.notify_all();
  host::Current().Wake();
  for (;;) {
    {
      std::unique_lock guard(mine.lock);
      host::Current().WaitUntil(guard, mine.changed, host::kForever,
                                [&] { return sent->answered || !mine.sent.empty(); });
      if (sent->answered) return sent->result;
    }
    AnswerSentMessages();
  }
}

}  // namespace

void AnswerSentMessages() {
  Queue& queue = QueueOf(GetCurrentThreadId());
  for (;;) {
    std::shared_ptr<SentMessage> sent;
    {
      std::lock_guard guard(queue.lock);
      if (queue.sent.empty()) return;
      sent = queue.sent.front();
      queue.sent.pop_front();
    }
    // A window destroyed meanwhile answers 0.
    const WNDPROC proc = ProcOf(sent->window);
    const LRESULT result = proc != nullptr
                               ? Deliver(proc, sent->window, sent->message, sent->wParam,
                                         sent->lParam, platform::Delivery::kSent, true)
                               : 0;
    {
      std::lock_guard guard(sent->sender->lock);
      sent->result = result;
      sent->answered = true;
    }
    sent->sender->changed.notify_all();
  }
}

}  // namespace user

LRESULT SendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const DWORD thread = user::ThreadOf(window);
  if (thread == 0) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return 0;
  }
  if (thread != GetCurrentThreadId()) {
    return user::SendToThread(thread, window, message, wParam, lParam);
  }
  return user::Deliver(user::ProcOf(window), window, message, wParam, lParam,
                       platform::Delivery::kSent);
}
