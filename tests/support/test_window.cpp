#include "tests/support/test_window.h"

#include <vector>

#include <platform/headless.h>
#include <platform/kernel.h>

std::map<UINT, MessageHandler>& TestHandlers() {
  static std::map<UINT, MessageHandler> handlers;
  return handlers;
}

namespace {

LRESULT TestProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const auto it = TestHandlers().find(message);
  if (it != TestHandlers().end()) return it->second(window, wParam, lParam);
  return DefWindowProcA(window, message, wParam, lParam);
}

BOOL Collect(HWND window, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
  return TRUE;
}

}  // namespace

const char* TestWindowClass(bool double_clicks) {
  const char* name = double_clicks ? "TestWindowDbl" : "TestWindow";
  WNDCLASSA info{};
  if (!GetClassInfoA(GetModuleHandleA(nullptr), name, &info)) {
    info.style = double_clicks ? CS_DBLCLKS : 0;
    info.lpfnWndProc = TestProc;
    info.lpszClassName = name;
    RegisterClassA(&info);
  }
  return name;
}

HWND MakeWindow(DWORD style, int x, int y, int width, int height, HWND parent, DWORD ex_style,
                bool double_clicks) {
  return CreateWindowExA(ex_style, TestWindowClass(double_clicks), "", style, x, y, width, height,
                         parent, nullptr, nullptr, nullptr);
}

std::vector<UINT> DrainMessages() {
  std::vector<UINT> taken;
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    taken.push_back(msg.message);
    DispatchMessageA(&msg);
  }
  return taken;
}

void Pump() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

void ResetTestWindows() {
  TestHandlers().clear();
  std::vector<HWND> windows;
  EnumThreadWindows(GetCurrentThreadId(), Collect, reinterpret_cast<LPARAM>(&windows));
  for (HWND w : windows) DestroyWindow(w);
  ReleaseCapture();
}

WindowTest::WindowTest() {
  host::Headless().Reset();
}

WindowTest::~WindowTest() {
  ResetTestWindows();
  DrainMessages();
}
