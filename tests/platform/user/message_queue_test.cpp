// The message queue: filters, waiting on virtual time, timers and message
// hooks.
#include <unistd.h>

#include <cstdlib>
#include <string>

#include <gtest/gtest.h>
#include <platform/headless.h>
#include <platform/kernel.h>

#include "tests/support/test_window.h"

namespace {

using Queue = WindowTest;

// A window filter takes its children's messages too; -1 takes only the
// thread's own.
TEST_F(Queue, FiltersTakeChildrenAndThreadMessages) {
  HWND a = MakeWindow(WS_POPUP, 0, 0, 10, 10);
  HWND child = MakeWindow(WS_CHILD, 0, 0, 5, 5, a);
  PostMessageA(child, WM_USER + 5, 0, 0);
  EXPECT_TRUE(PostThreadMessageA(GetCurrentThreadId(), WM_USER + 9, 0, 0));
  EXPECT_FALSE(PostThreadMessageA(0xBAD, WM_USER, 0, 0));  // no such thread, no queue
  EXPECT_EQ(GetLastError(), ERROR_INVALID_THREAD_ID);
  MSG msg;
  EXPECT_TRUE(PeekMessageA(&msg, a, 0, 0, PM_NOREMOVE));
  EXPECT_EQ(msg.hwnd, child);
  EXPECT_TRUE(PeekMessageA(&msg, reinterpret_cast<HWND>(-1), 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.message, WM_USER + 9u);
  EXPECT_EQ(msg.hwnd, nullptr);
}

// A filtered GetMessageA waits for what passes its filter: a due timer of
// another window neither ends the wait at once (a spin) nor is taken. The
// child process is stopped by an alarm if it spins.
TEST_F(Queue, AFilteredGetMessageSleepsWhileAnotherWindowsTimerIsDue) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        alarm(10);
        host::Headless().Reset();
        HWND a = MakeWindow(WS_POPUP, 0, 0, 10, 10);
        HWND b = MakeWindow(WS_POPUP, 0, 0, 10, 10);
        SetTimer(a, 1, 10, nullptr);
        host::Headless().AdvanceClock(50);
        int idle_calls = 0;
        host::Headless().SetIdleHandler([&] {
          if (idle_calls++ > 0) return false;
          PostMessageA(b, WM_USER, 0, 0);
          return true;
        });
        MSG msg{};
        GetMessageA(&msg, b, 0, 0);
        const bool timer_kept = PeekMessageA(&msg, a, WM_TIMER, WM_TIMER, PM_NOREMOVE) != FALSE;
        std::exit(idle_calls == 1 && timer_kept ? 0 : 1);
      },
      testing::ExitedWithCode(0), "");
}

std::vector<UINT_PTR> timer_proc_calls;
void TimerProc(HWND, UINT message, UINT_PTR id, DWORD) {
  if (message == WM_TIMER) timer_proc_calls.push_back(id);
}

// A window's timer repeats while GetMessageA waits on virtual time; a thread
// timer calls its procedure; killed, neither comes again.
TEST_F(Queue, TimersFireOnVirtualTimeUntilKilled) {
  HWND w = MakeWindow(WS_POPUP, 0, 0, 10, 10);
  std::vector<std::uint64_t> fired;
  TestHandlers()[WM_TIMER] = [&](HWND, WPARAM id, LPARAM) {
    fired.push_back(host::Headless().Now() * 100 + id);
    if (fired.size() == 3) PostQuitMessage(0);
    return 0;
  };
  SetTimer(w, 1, 250, nullptr);
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0)) DispatchMessageA(&msg);
  EXPECT_EQ(fired, (std::vector<std::uint64_t>{25001, 50001, 75001}));
  EXPECT_TRUE(KillTimer(w, 1));
  timer_proc_calls.clear();
  const UINT_PTR id = SetTimer(nullptr, 0, 50, TimerProc);
  ASSERT_NE(id, 0u);
  host::Headless().AdvanceClock(50);
  DrainMessages();
  EXPECT_EQ(timer_proc_calls, (std::vector<UINT_PTR>{id}));
  EXPECT_TRUE(KillTimer(nullptr, id));
  host::Headless().AdvanceClock(500);
  EXPECT_TRUE(DrainMessages().empty());
}

// Which hook saw which message taken, as "newer 1024".
std::vector<std::string> chain;
HHOOK newer_handle = nullptr;
LRESULT Record(const char* hook, HHOOK handle, int code, WPARAM remove, LPARAM msg) {
  if (remove == PM_REMOVE) {
    chain.push_back(std::string(hook) + " " + std::to_string(reinterpret_cast<MSG*>(msg)->message));
  }
  return CallNextHookEx(handle, code, remove, msg);
}
LRESULT NewerHook(int code, WPARAM remove, LPARAM msg) {
  return Record("newer", newer_handle, code, remove, msg);
}
LRESULT OlderHook(int code, WPARAM remove, LPARAM msg) {
  return Record("older", nullptr, code, remove, msg);  // the handle may be null
}

// Hooks see every message taken, the quit message and nested loops included,
// newest hook first; a removed hook's handle is refused afterwards.
TEST_F(Queue, HooksChainNewestFirstSeeNestedLoopsAndStaleHandlesAreRefused) {
  HHOOK older = SetWindowsHookExA(WH_GETMESSAGE, OlderHook, nullptr, GetCurrentThreadId());
  HHOOK newer = newer_handle = SetWindowsHookExA(WH_GETMESSAGE, NewerHook, nullptr, 0);
  HWND w = MakeWindow(WS_POPUP, 0, 0, 10, 10);
  // A modal loop inside a handler, as a message box runs one.
  TestHandlers()[WM_USER] = [&](HWND window, WPARAM, LPARAM) {
    PostMessageA(window, WM_USER + 1, 0, 0);
    PostQuitMessage(0);
    MSG inner;
    while (GetMessageA(&inner, nullptr, 0, 0)) DispatchMessageA(&inner);
    return 0;
  };
  chain.clear();
  PostMessageA(w, WM_USER, 0, 0);
  DrainMessages();
  EXPECT_EQ(chain, (std::vector<std::string>{"newer 1024", "older 1024", "newer 1025", "older 1025",
                                             "newer 18", "older 18"}));

  ASSERT_TRUE(UnhookWindowsHookEx(older));
  HHOOK replacement = SetWindowsHookExA(WH_GETMESSAGE, OlderHook, nullptr, 0);
  EXPECT_NE(replacement, older);
  SetLastError(0);
  EXPECT_FALSE(UnhookWindowsHookEx(older));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HOOK_HANDLE);
  MSG msg{};
  EXPECT_EQ(CallNextHookEx(older, HC_ACTION, PM_NOREMOVE, reinterpret_cast<LPARAM>(&msg)), 0);
  chain.clear();
  PostThreadMessageA(GetCurrentThreadId(), WM_USER + 2, 0, 0);
  DrainMessages();
  EXPECT_EQ(chain, (std::vector<std::string>{"older 1026", "newer 1026"}));
  EXPECT_TRUE(UnhookWindowsHookEx(replacement));
  EXPECT_TRUE(UnhookWindowsHookEx(newer));
}

}  // namespace
