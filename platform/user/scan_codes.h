// Where a key lies on the keyboard, for the key messages' lParam.
#pragma once

#include <platform/windows.h>

namespace user {

// The scan code (set 1) of the common keys; 0 for others.
UINT ScanCode(UINT key);
// Whether the key is one of the extended keys (the lParam's bit 24).
bool IsExtended(UINT key);

}  // namespace user
