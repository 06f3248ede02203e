#include "framework/comctrls/common_controls.h"

bool InitCommonControl(DWORD classes) {
  // FIXME: the entry point is linked in, not looked up in comctl32.dll at
  // first use: the platform has no GetProcAddress.
  INITCOMMONCONTROLSEX init{sizeof(INITCOMMONCONTROLSEX), classes};
  const bool done = InitCommonControlsEx(&init) != FALSE;
  if (!done) InitCommonControls();
  return done;
}
