// Windows belong to the thread that made them: what is sent to one runs on
// that thread when it looks for messages. Run under ThreadSanitizer too.
#include <atomic>
#include <functional>
#include <utility>

#include <gtest/gtest.h>
#include <platform/headless.h>
#include <platform/kernel.h>

#include "tests/support/message_log.h"
#include "tests/support/test_window.h"

namespace {

class WindowThreads : public LoggedWindowTest {
 protected:
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
  DWORD owner = 0;
  POINT cursor{};
  host::Headless().MoveMouse(40, 30);
  log.Start();
  RunOnOtherThread([&] {
    answer = SendMessageA(w, WM_USER, 21, 0);
    PostMessageA(w, WM_USER + 1, 0, 0);
    GetCursorPos(&cursor);
    owner = GetWindowThreadProcessId(w, nullptr);
  });
  EXPECT_EQ(answer, 42);
  EXPECT_EQ(ran_on, GetCurrentThreadId());
  EXPECT_EQ(owner, GetCurrentThreadId());
  EXPECT_EQ(cursor.x, 40);
  EXPECT_EQ(cursor.y, 30);
  EXPECT_TRUE(log.Saw({"W 0x0400 w=21", "W 0x0401 posted"}));
}

// Only the window's own thread destroys it, sets its timers and paints it;
// any thread may mark it for painting, and its thread then paints it.
TEST_F(WindowThreads, AnotherThreadMayMarkAWindowForPaintingButNotDestroyItTimeItOrPaintIt) {
  HWND w = MakeWindow(WS_POPUP | WS_VISIBLE, 0, 0, 10, 10);
  DrainMessages();
  int paints = 0;
  TestHandlers()[WM_PAINT] = [&](HWND window, WPARAM, LPARAM) -> LRESULT {
    ++paints;
    return DefWindowProcA(window, WM_PAINT, 0, 0);
  };
  const std::pair<const char*, std::function<bool()>> refused_calls[] = {
      {"DestroyWindow", [w] { return DestroyWindow(w) == FALSE; }},
      {"SetTimer", [w] { return SetTimer(w, 1, 100, nullptr) == 0; }},
      {"KillTimer", [w] { return KillTimer(w, 1) == FALSE; }},
      {"BeginPaint",
       [w] {
         PAINTSTRUCT paint{};
         return BeginPaint(w, &paint) == nullptr;
       }},
  };
  for (const auto& [call, attempt] : refused_calls) {
    bool refused = false;
    DWORD error = 0;
    RunOnOtherThread([&] {
      refused = attempt();
      error = GetLastError();
    });
    EXPECT_TRUE(refused) << call;
    EXPECT_EQ(error, ERROR_ACCESS_DENIED) << call;
  }
  EXPECT_EQ(paints, 0);
  static constexpr RECT box{0, 0, 5, 5};
  const struct {
    const char* call;
    std::function<BOOL()> mark;
    int paints;
  } marks[] = {
      {"InvalidateRect", [w] { return InvalidateRect(w, &box, TRUE); }, 1},
      {"InvalidateRect(null)", [] { return InvalidateRect(nullptr, nullptr, TRUE); }, 1},
      {"RedrawWindow", [w] { return RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE); }, 1},
      {"ValidateRect after InvalidateRect",
       [w] { return InvalidateRect(w, &box, FALSE) && ValidateRect(w, nullptr); }, 0},
      {"GetUpdateRect",
       [w] { return InvalidateRect(w, &box, FALSE) && GetUpdateRect(w, nullptr, TRUE); }, 1},
  };
  for (const auto& mark : marks) {
    paints = 0;
    BOOL done = FALSE;
    RunOnOtherThread([&] { done = mark.mark(); });
    EXPECT_TRUE(done) << mark.call;
    EXPECT_EQ(paints, mark.paints) << mark.call;
  }
}

// A thread that waits for its messages wakes when another marks its window.
TEST_F(WindowThreads, AThreadWaitingForMessagesPaintsWhatAnotherMarked) {
  struct Painter {
    HANDLE ready = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    std::atomic<HWND> window{nullptr};
    std::atomic<int> paints{0};
  } painter;
  TestHandlers()[WM_PAINT] = [&](HWND window, WPARAM, LPARAM) -> LRESULT {
    ++painter.paints;
    DefWindowProcA(window, WM_PAINT, 0, 0);
    DestroyWindow(window);
    PostQuitMessage(0);
    return 0;
  };
  HANDLE thread = CreateThread(
      nullptr, 0,
      [](LPVOID p) -> DWORD {
        auto& painter = *static_cast<Painter*>(p);
        painter.window = MakeWindow(WS_POPUP | WS_VISIBLE, 0, 0, 10, 10);
        ValidateRect(painter.window, nullptr);
        SetEvent(painter.ready);
        MSG msg;
        while (GetMessageA(&msg, nullptr, 0, 0)) DispatchMessageA(&msg);
        return 0;
      },
      &painter, 0, nullptr);
  ASSERT_EQ(WaitForSingleObject(painter.ready, INFINITE), WAIT_OBJECT_0);
  EXPECT_TRUE(InvalidateRect(painter.window, nullptr, TRUE));
  EXPECT_EQ(WaitForSingleObject(thread, INFINITE), WAIT_OBJECT_0);
  EXPECT_EQ(painter.paints, 1);
  CloseHandle(thread);
  CloseHandle(painter.ready);
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
