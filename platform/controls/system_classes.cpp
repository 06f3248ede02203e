// Registering the system window classes once.
#include "system_classes.h"

#include <mutex>

namespace controls {

void RegisterSystemClass(const char* name, UINT style, WNDPROC proc, LPCSTR cursor,
                         HBRUSH background) {
  WNDCLASSA info{};
  info.style = CS_GLOBALCLASS | style;
  info.lpfnWndProc = proc;
  info.cbWndExtra = sizeof(void*);
  info.hCursor = LoadCursorA(nullptr, cursor);
  info.hbrBackground = background;
  info.lpszClassName = name;
  RegisterClassA(&info);
}

void RegisterSystemClasses() {
  static std::once_flag once;
  std::call_once(once, [] {
    RegisterEditClass();
    RegisterButtonClass();
    RegisterCommonControls();
  });
}

}  // namespace controls
