// The headless host's Reset puts the window manager's lasting state back to
// the start, so that what one test leaves behind never reaches the next.
#include <functional>

#include <gtest/gtest.h>
#include <platform/headless.h>
#include <platform/kernel.h>

#include "tests/support/test_window.h"

namespace {

LRESULT CountingHook(int code, WPARAM wParam, LPARAM lParam) {
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST(State, ResetForgetsWhatATestLeftBehind) {
  host::HeadlessHost& h = host::Headless();
  const struct {
    const char* left_behind;
    std::function<void(HWND window)> leave;
    std::function<bool(HWND window)> gone;
  } cases[] = {
      {"focus and activation", [](HWND w) { SetFocus(w); },
       [](HWND) { return GetFocus() == nullptr && GetActiveWindow() == nullptr; }},
      {"capture", [](HWND w) { SetCapture(w); }, [](HWND) { return GetCapture() == nullptr; }},
      {"a key held down",
       [&h](HWND) {
         h.KeyDown(VK_SHIFT);
         DrainMessages();
       },
       [](HWND) { return GetKeyState(VK_SHIFT) == 0 && GetAsyncKeyState(VK_SHIFT) == 0; }},
      {"input not yet taken",
       [&h](HWND w) {
         h.Type("x");
         MSG msg;
         PeekMessageA(&msg, w, WM_TIMER, WM_TIMER, PM_NOREMOVE);  // pulls it into the queue
       },
       [](HWND) {
         MSG msg;
         return PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE) == FALSE;
       }},
      {"a posted message and the quit flag",
       [](HWND w) {
         PostMessageA(w, WM_USER, 0, 0);
         PostQuitMessage(3);
       },
       [](HWND) {
         MSG msg;
         return PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE) == FALSE;
       }},
      {"a caret", [](HWND w) { CreateCaret(w, nullptr, 1, 10); },
       [](HWND) {
         POINT at;
         return GetCaretPos(&at) == FALSE;
       }},
      {"a timer", [](HWND w) { SetTimer(w, 5, 10, nullptr); },
       [](HWND w) { return KillTimer(w, 5) == FALSE; }},
      {"a hook", [](HWND) { SetWindowsHookExA(WH_GETMESSAGE, CountingHook, nullptr, 0); },
       [](HWND) {
         HHOOK probe = SetWindowsHookExA(WH_GETMESSAGE, CountingHook, nullptr, 0);
         MSG msg{};
         // Only the probe is in the chain: what it passes on reaches nobody.
         const bool alone =
             CallNextHookEx(probe, HC_ACTION, 0, reinterpret_cast<LPARAM>(&msg)) == 0;
         UnhookWindowsHookEx(probe);
         return alone;
       }},
      {"a changed parameter",
       [](HWND) { SystemParametersInfoA(SPI_SETWHEELSCROLLLINES, 9, nullptr, 0); },
       [](HWND) {
         UINT lines = 0;
         SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
         return lines == 3;
       }},
      {"a start-up show command", [&h](HWND) { h.SetStartupShowCommand(SW_SHOWMAXIMIZED); },
       [](HWND) {
         STARTUPINFOA info{};
         GetStartupInfoA(&info);
         return info.dwFlags == 0 && info.wShowWindow == 0 && info.cb == sizeof info;
       }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.left_behind);
    h.Reset();
    HWND w = MakeWindow(WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
    DrainMessages();
    c.leave(w);
    h.Reset();
    EXPECT_TRUE(c.gone(w));
    ResetTestWindows();
  }
}

}  // namespace
