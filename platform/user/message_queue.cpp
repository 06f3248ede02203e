// Posting, peeking, getting and dispatching messages; the thread queues.
#include "message_queue.h"

#include <algorithm>
#include <list>
#include <map>

#include <platform/kernel.h>

#include "../host/host.h"
#include "caret.h"
#include "delivery.h"
#include "host_windows.h"
#include "state.h"
#include "window_table.h"

namespace user {

namespace {

std::mutex& QueuesLock() {
  static auto& lock = *new std::mutex;
  return lock;
}

std::map<DWORD, std::unique_ptr<Queue>>& Queues() {
  static auto& queues = *new std::map<DWORD, std::unique_ptr<Queue>>;
  return queues;
}

// GetMessageTime and GetMessagePos answer for the calling thread.
thread_local MSG last_message{};

bool IsDescendant(HWND window, HWND ancestor) {
  for (Window* w = Find(window); w != nullptr; w = w->parent) {
    if (w->handle == ancestor) return true;
  }
  return false;
}

bool TakePosted(Queue& queue, MSG& msg, HWND filter, UINT min, UINT max, bool remove) {
  std::lock_guard guard(queue.lock);
  for (auto it = queue.posted.begin(); it != queue.posted.end(); ++it) {
    if (!PassesFilter(it->hwnd, it->message, filter, min, max)) continue;
    msg = *it;
    if (remove) queue.posted.erase(it);
    return true;
  }
  if (queue.quit && PassesFilter(nullptr, WM_QUIT, filter, min, max) && filter == nullptr) {
    msg = {nullptr, WM_QUIT, static_cast<WPARAM>(queue.exit_code), 0, MessageTime(), {}};
    if (remove) queue.quit = false;
    return true;
  }
  return false;
}

bool Peek(MSG& msg, HWND filter, UINT min, UINT max, bool remove) {
  AnswerSentMessages();
  Queue& queue = QueueOf(GetCurrentThreadId());
  {
    // The paint another thread owed is found below with the rest.
    std::lock_guard guard(queue.lock);
    queue.paint_owed = false;
  }
  const bool found =
      TakePosted(queue, msg, filter, min, max, remove) ||
      TakeInputMessage(msg, filter, min, max, remove) ||
      (PassesFilter(filter, WM_PAINT, filter, min, max) && TakePaintMessage(msg, filter)) ||
      TakeTimer(msg, filter, min, max, remove);
  // A thread that keeps finding work still shows what it drew now and then.
  if (found) PresentIfDue();
  return found;
}

// Waits for something new for this thread: the user-interface thread for
// input too, through the host, having shown what it drew; any other thread
// for its queue alone.
void WaitForMessages(std::uint64_t deadline) {
  host::Host& host = host::Current();
  if (host.IsUserInterfaceThread()) {
    PresentWindows();
    if (host.ShowsCaretBlinks()) deadline = std::min(deadline, NextCaretBlink());
    host.WaitForWork(deadline);
    return;
  }
  Queue& queue = QueueOf(GetCurrentThreadId());
  std::unique_lock guard(queue.lock);
  host::Current().WaitUntil(guard, queue.changed, deadline, [&] {
    return !queue.posted.empty() || !queue.sent.empty() || queue.quit || queue.paint_owed;
  });
}

// Changes a thread's queue under its lock, then wakes the thread.
template <typename Change>
void ChangeAndWake(DWORD thread, Change change) {
  Queue& queue = QueueOf(thread);
  {
    std::lock_guard guard(queue.lock);
    change(queue);
  }
  queue.changed.notify_all();
  host::Current().Wake();
}

// Queues a posted message for a thread and wakes it.
void Post(DWORD thread, const MSG& msg) {
  ChangeAndWake(thread, [&](Queue& queue) { queue.posted.push_back(msg); });
}

}  // namespace

void OwePaint(DWORD thread) {
  ChangeAndWake(thread, [](Queue& queue) { queue.paint_owed = true; });
}

Queue& QueueOf(DWORD thread) {
  std::lock_guard guard(QueuesLock());
  auto& queue = Queues()[thread];
  if (!queue) queue = std::make_unique<Queue>();
  return *queue;
}

bool HasQueue(DWORD thread) {
  std::lock_guard guard(QueuesLock());
  return Queues().count(thread) != 0;
}

void ResetQueues() {
  std::lock_guard guard(QueuesLock());
  for (auto& [thread, queue] : Queues()) {
    std::deque<std::shared_ptr<SentMessage>> unanswered;
    {
      std::lock_guard queue_guard(queue->lock);
      queue->posted.clear();
      queue->quit = false;
      unanswered.swap(queue->sent);
    }
    // A sender still waiting gets 0, as from a window that is gone.
    for (const auto& sent : unanswered) {
      {
        std::lock_guard sender_guard(sent->sender->lock);
        sent->answered = true;
      }
      sent->sender->changed.notify_all();
    }
  }
  last_message = {};
}

DWORD MessageTime() {
  return static_cast<DWORD>(host::Current().Now());
}

bool PassesFilter(HWND window, UINT message, HWND filter, UINT min, UINT max) {
  if (min != 0 || max != 0) {
    if (message < min || message > max) return false;
  }
  if (filter == nullptr) return true;
  if (filter == reinterpret_cast<HWND>(-1)) return window == nullptr;
  return window != nullptr && IsDescendant(window, filter);
}

}  // namespace user

LRESULT CallWindowProcA(WNDPROC proc, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (proc == nullptr) return 0;
  return proc(window, message, wParam, lParam);
}

BOOL PostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD thread = GetCurrentThreadId();
  if (window != nullptr) {
    std::lock_guard guard(user::Lock());
    user::Window* w = user::Find(window);
    if (w == nullptr) {
      SetLastError(ERROR_INVALID_WINDOW_HANDLE);
      return FALSE;
    }
    thread = w->thread;
  }
  user::Post(thread, {window, message, wParam, lParam, user::MessageTime(), {}});
  return TRUE;
}

BOOL PostThreadMessageA(DWORD threadId, UINT message, WPARAM wParam, LPARAM lParam) {
  // A thread has a queue once it has looked for messages (or is this one).
  if (threadId != GetCurrentThreadId() && !user::HasQueue(threadId)) {
    SetLastError(ERROR_INVALID_THREAD_ID);
    return FALSE;
  }
  user::Post(threadId, {nullptr, message, wParam, lParam, user::MessageTime(), {}});
  return TRUE;
}

void PostQuitMessage(int exitCode) {
  user::ChangeAndWake(GetCurrentThreadId(), [&](user::Queue& queue) {
    queue.quit = true;
    queue.exit_code = exitCode;
  });
}

BOOL PeekMessageA(MSG* msg, HWND window, UINT filterMin, UINT filterMax, UINT removeMsg) {
  MSG found{};
  const bool remove = (removeMsg & PM_REMOVE) != 0;
  if (!user::Peek(found, window, filterMin, filterMax, remove)) return FALSE;
  user::CallGetMessageHooks(found, remove);
  user::last_message = found;
  if (msg != nullptr) *msg = found;
  return TRUE;
}

BOOL GetMessageA(MSG* msg, HWND window, UINT filterMin, UINT filterMax) {
  MSG found{};
  while (!user::Peek(found, window, filterMin, filterMax, true)) {
    user::WaitForMessages(user::NextTimerDue(window, filterMin, filterMax));
  }
  user::CallGetMessageHooks(found, true);
  user::last_message = found;
  if (msg != nullptr) *msg = found;
  return found.message == WM_QUIT ? FALSE : TRUE;
}

BOOL WaitMessage() {
  MSG ignored{};
  if (!user::Peek(ignored, nullptr, 0, 0, false)) {
    user::WaitForMessages(user::NextTimerDue(nullptr, 0, 0));
  }
  return TRUE;
}

DWORD GetMessageTime() {
  return user::last_message.time;
}

DWORD GetMessagePos() {
  return static_cast<DWORD>(MAKELPARAM(user::last_message.pt.x, user::last_message.pt.y));
}

LRESULT DispatchMessageA(const MSG* msg) {
  if (msg == nullptr || (msg->hwnd == nullptr && msg->message != WM_TIMER)) return 0;
  if (msg->message == WM_TIMER && msg->lParam != 0) {
    reinterpret_cast<TIMERPROC>(msg->lParam)(msg->hwnd, WM_TIMER, msg->wParam, user::MessageTime());
    return 0;
  }
  user::Window* w = user::Find(msg->hwnd);
  if (w == nullptr) return 0;
  return user::Deliver(w->proc, msg->hwnd, msg->message, msg->wParam, msg->lParam,
                       platform::Delivery::kPosted);
}
