// Windows belong to the thread that made them.
//
// Worth checking: a message sent from another thread runs on the window's
// own thread, only when that thread looks for messages, and the sender gets
// the answer; the user-interface thread can send to a window of another
// thread the same way; other threads may not destroy a window or set its
// timers; a watcher thread's calls stay safe while the user-interface thread
// creates, moves and destroys windows (run under ThreadSanitizer too).
#include <atomic>
#include <functional>

#include <gtest/gtest.h>
#include <platform/headless.h>
#include <platform/kernel.h>

#include "tests/support/message_log.h"
#include "tests/support/test_window.h"

namespace {

class WindowThreads : public testing::Test {
 protected:
  WindowThreads() { host::Headless().Reset(); }
  ~WindowThreads() override {
    ResetTestWindows();
    DrainMessages();
  }

  // Runs `body` on a thread made by CreateThread, answering what it sends
  // to this thread's windows, until it ends.
  static void RunOnOtherThread(std::function<void()> body) {
    HANDLE thread = CreateThread(
        nullptr, 0,
        [](LPVOID p) -> DWORD {
          (*static_cast<std::function<void()>*>(p))();
          return 0;
        },
        &body, 0, nullptr);
    while (WaitForSingleObject(thread, 0) == WAIT_TIMEOUT) {
      DrainMessages();
      host::Headless().AdvanceClock(0);  // until the thread waits for us or ends
    }
    CloseHandle(thread);
    DrainMessages();  // what it posted before it ended
  }

  MessageLog log;
};

TEST_F(WindowThreads, ASentMessageRunsOnTheWindowsThreadAndAnswersTheSender) {
  HWND w = MakeWindow(WS_POPUP, 0, 0, 10, 10);
  log.Name(w, "W");
  DWORD ran_on = 0;
  TestHandlers()[WM_USER] = [&](HWND, WPARAM wParam, LPARAM) -> LRESULT {
    ran_on = GetCurrentThreadId();
    return static_cast<LRESULT>(wParam) * 2;
  };
  LRESULT answer = 0;
  log.Start();
  RunOnOtherThread([&] {
    answer = SendMessageA(w, WM_USER, 21, 0);
    PostMessageA(w, WM_USER + 1, 0, 0);
  });
  EXPECT_EQ(answer, 42);
  EXPECT_EQ(ran_on, GetCurrentThreadId());
  EXPECT_TRUE(log.Saw({"W 0x0400 w=21", "W 0x0401 posted"}));
}

TEST_F(WindowThreads, TheUserInterfaceThreadSendsToAnotherThreadsWindow) {
  struct Shared {
    std::atomic<HWND> window{nullptr};
    DWORD thread = 0;
    DWORD ran_on = 0;
  } shared;
  const auto proc = [](HWND window, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
    auto* s = reinterpret_cast<Shared*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (message == WM_USER) {
      s->ran_on = GetCurrentThreadId();
      return 7;
    }
    if (message == WM_USER + 1) PostQuitMessage(0);
    return DefWindowProcA(window, message, wParam, lParam);
  };
  WNDCLASSA info{};
  info.lpfnWndProc = proc;
  info.lpszClassName = "OtherThreadWindow";
  RegisterClassA(&info);
  HANDLE thread = CreateThread(
      nullptr, 0,
      [](LPVOID p) -> DWORD {
        auto* s = static_cast<Shared*>(p);
        s->thread = GetCurrentThreadId();
        HWND w = CreateWindowExA(0, "OtherThreadWindow", "", WS_POPUP, 0, 0, 10, 10, nullptr,
                                 nullptr, nullptr, nullptr);
        SetWindowLongPtrA(w, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(s));
        s->window = w;
        MSG msg;
        while (GetMessageA(&msg, nullptr, 0, 0)) DispatchMessageA(&msg);
        DestroyWindow(w);
        return 0;
      },
      &shared, 0, nullptr);
  while (shared.window == nullptr) host::Headless().AdvanceClock(0);
  EXPECT_EQ(GetWindowThreadProcessId(shared.window, nullptr), shared.thread);
  EXPECT_EQ(SendMessageA(shared.window, WM_USER, 0, 0), 7);
  EXPECT_EQ(shared.ran_on, shared.thread);
  PostMessageA(shared.window, WM_USER + 1, 0, 0);
  EXPECT_EQ(WaitForSingleObject(thread, INFINITE), WAIT_OBJECT_0);
  CloseHandle(thread);
  EXPECT_FALSE(IsWindow(shared.window));
}

TEST_F(WindowThreads, AnotherThreadMayNotDestroyAWindowOrSetItsTimers) {
  HWND w = MakeWindow(WS_POPUP, 0, 0, 10, 10);
  const struct {
    const char* call;
    std::function<bool()> refused;
  } calls[] = {
      {"DestroyWindow", [w] { return DestroyWindow(w) == FALSE; }},
      {"SetTimer", [w] { return SetTimer(w, 1, 100, nullptr) == 0; }},
      {"KillTimer", [w] { return KillTimer(w, 1) == FALSE; }},
  };
  for (const auto& c : calls) {
    bool refused = false;
    DWORD error = 0;
    RunOnOtherThread([&] {
      refused = c.refused();
      error = GetLastError();
    });
    EXPECT_TRUE(refused) << c.call;
    EXPECT_EQ(error, ERROR_ACCESS_DENIED) << c.call;
  }
  EXPECT_TRUE(IsWindow(w));
}

// A watcher, like the hint's, polls while the user-interface thread is busy
// with windows coming and going. Nothing it calls may touch a window half
// made or half gone.
TEST_F(WindowThreads, AWatchersCallsAreSafeWhileWindowsComeAndGo) {
  HWND top = MakeWindow(WS_POPUP | WS_VISIBLE, 0, 0, 300, 200);
  struct Watch {
    std::atomic<HWND> target;
    std::atomic<bool> done{false};
    HANDLE event = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    int rounds = 0;
  } watch{top};
  HANDLE watcher = CreateThread(
      nullptr, 0,
      [](LPVOID p) -> DWORD {
        auto* watch = static_cast<Watch*>(p);
        for (; watch->rounds < 3000; ++watch->rounds) {
          const HWND w = watch->target;
          POINT at{};
          GetCursorPos(&at);
          WindowFromPoint({20, 20});
          GetParent(w);
          GetPropA(w, "Watched");
          PostMessageA(w, WM_NULL, 0, 0);
          SetEvent(watch->event);
        }
        watch->done = true;
        return 0;
      },
      &watch, 0, nullptr);
  // At least a few windows, then on until the watcher is done.
  for (int i = 0; i < 20 || !watch.done; ++i) {
    HWND child = MakeWindow(WS_CHILD | WS_VISIBLE, i % 50, 10, 40, 40, top);
    SetPropA(child, "Watched", child);
    watch.target = child;
    SetWindowPos(child, HWND_BOTTOM, i % 70, 5, 30, 30, 0);
    DrainMessages();
    DestroyWindow(child);
  }
  EXPECT_EQ(WaitForSingleObject(watcher, INFINITE), WAIT_OBJECT_0);
  CloseHandle(watcher);
  CloseHandle(watch.event);
  EXPECT_EQ(watch.rounds, 3000);
}

}  // namespace
