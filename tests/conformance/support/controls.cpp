#include "tests/conformance/support/controls.h"

#include <platform/kernel.h>
#include <platform/resources.h>

#include "tests/conformance/support/message_log.h"
#include "tests/conformance/support/pump.h"

namespace conf {

HWND ShowParent() {
  InitCommonControls();
  HWND parent = Create("parent", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 420, 300);
  SetForegroundWindow(parent);
  SetActiveWindow(parent);
  Pump();
  return parent;
}

HWND Control(const char* cls, DWORD style, RECT at, const char* text, const std::string& name) {
  HWND parent = Named("parent");
  if (parent == nullptr) parent = ShowParent();
  HWND control = CreateWindowExA(0, cls, text, WS_CHILD | WS_VISIBLE | style, at.left, at.top,
                                 at.right - at.left, at.bottom - at.top, parent,
                                 reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kControlId)),
                                 GetModuleHandleA(nullptr), nullptr);
  Name(control, name);
  Pump();
  return control;
}

std::string Command(WORD code) {
  return "parent WM_COMMAND w=" + std::to_string(MAKEWPARAM(kControlId, code));
}

std::string RectText(const RECT& r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) +
         "," + std::to_string(r.bottom);
}

std::string TextOf(HWND window) {
  char text[512] = {};
  GetWindowTextA(window, text, sizeof text);
  return text;
}

}  // namespace conf
