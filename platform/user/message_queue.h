// The thread message queues: posted messages, messages sent from other
// threads, the quit flag; timers and message hooks. Input and paint messages
// come from input.cpp and paint.cpp.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>

#include <platform/windows.h>

namespace user {

struct Queue;

// A message sent from another thread, waiting for the window's thread.
struct SentMessage {
  HWND window;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
  Queue* sender;
  // Set under the sender's queue lock.
  LRESULT result = 0;
  bool answered = false;
};

struct Queue {
  std::mutex lock;
  // Notified whenever something arrives for the thread or an answer comes.
  std::condition_variable changed;
  std::deque<MSG> posted;
  std::deque<std::shared_ptr<SentMessage>> sent;
  bool quit = false;
  int exit_code = 0;
  // Another thread marked one of this thread's windows for painting.
  bool paint_owed = false;
};

// Wakes a thread one of whose windows another thread marked for painting.
void OwePaint(DWORD thread);

// The queue of a thread, made on first use.
Queue& QueueOf(DWORD thread);
// Whether the thread has a queue already.
bool HasQueue(DWORD thread);

// Delivers the messages other threads sent to this one, answering each.
void AnswerSentMessages();

// Calls the thread's WH_GETMESSAGE hooks for a message retrieved.
void CallGetMessageHooks(MSG& msg, bool remove);
// Calls the thread's WH_CALLWNDPROC hooks for a message about to reach a
// procedure by a send, from this thread or another.
void CallWndProcHooks(HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool this_thread);

// Milliseconds on the host clock, as message times are.
DWORD MessageTime();

// Input that arrived from the host, routed to its window; false when none
// matches the filter. PM_REMOVE takes it off the input queue.
bool TakeInputMessage(MSG& msg, HWND filter, UINT min, UINT max, bool remove);

// A WM_PAINT for a window of this thread whose update region is not empty.
bool TakePaintMessage(MSG& msg, HWND filter);

// A due WM_TIMER of this thread that passes the filter.
bool TakeTimer(MSG& msg, HWND filter, UINT min, UINT max, bool remove);
// When the next timer of this thread that passes the filter is due, or
// host::kForever: a due timer the filter refuses must not end a wait at once.
std::uint64_t NextTimerDue(HWND filter, UINT min, UINT max);
void ForgetTimers(HWND window);

// Whether a message passes a GetMessage/PeekMessage filter.
bool PassesFilter(HWND window, UINT message, HWND filter, UINT min, UINT max);

}  // namespace user
