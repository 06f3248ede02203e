// Presenting: a full repaint of a 488 x 356 client area (the main form's)
// painted white and handed to the host, with and without a caret over it;
// on the headless host (the platform's own share) and, where there is a
// display, on the desktop host (copied to a real window).
#include <benchmark/benchmark.h>
#include <platform/api.h>
#include <platform/headless.h>

#include "platform/host/sdl/sdl_host.h"
#include "platform/user/host_windows.h"

namespace {

LRESULT PaintWhite(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_PAINT) return DefWindowProcA(window, message, wParam, lParam);
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(window, &ps);
  FillRect(dc, &ps.rcPaint, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  EndPaint(window, &ps);
  return 0;
}

HWND MakeForm() {
  WNDCLASSA info{};
  info.lpfnWndProc = PaintWhite;
  info.lpszClassName = "PresentBench";
  RegisterClassA(&info);
  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_VISIBLE;
  RECT frame{0, 0, 488, 356};
  AdjustWindowRectEx(&frame, style, FALSE, 0);
  return CreateWindowExA(0, "PresentBench", "Bench", style, 100, 100, frame.right - frame.left,
                         frame.bottom - frame.top, nullptr, nullptr, nullptr, nullptr);
}

void PresentFullRepaint(benchmark::State& state, bool caret) {
  HWND form = MakeForm();
  if (caret) {
    CreateCaret(form, nullptr, 1, 13);
    ShowCaret(form);
  }
  user::PresentWindows();
  for (auto _ : state) {
    InvalidateRect(form, nullptr, FALSE);
    UpdateWindow(form);
    user::PresentWindows();
  }
  const std::optional<host::HostWindowLog> log = host::Headless().WindowLog(form);
  if (log) state.counters["presents"] = log->presents;
  DestroyWindow(form);
}

void BM_PresentFullRepaint(benchmark::State& state) {
  host::Headless().Reset();
  PresentFullRepaint(state, false);
}
void BM_PresentFullRepaintWithCaret(benchmark::State& state) {
  host::Headless().Reset();
  PresentFullRepaint(state, true);
}
void BM_PresentFullRepaintOnTheDesktop(benchmark::State& state) {
  std::string reason;
  const std::unique_ptr<host::SdlHost> desktop = host::SdlHost::Create(nullptr, reason);
  if (desktop == nullptr) {
    state.SkipWithError(("no display: " + reason).c_str());
    return;
  }
  host::Install(desktop.get());
  PresentFullRepaint(state, false);
  host::Install(nullptr);
}
BENCHMARK(BM_PresentFullRepaint);
BENCHMARK(BM_PresentFullRepaintWithCaret);
BENCHMARK(BM_PresentFullRepaintOnTheDesktop);

}  // namespace
