// MessageBeep: the host plays the sound, if it has any.
#include <platform/windows.h>

#include "../host/host.h"

BOOL MessageBeep(UINT type) {
  host::Current().Beep(type);
  return TRUE;
}
