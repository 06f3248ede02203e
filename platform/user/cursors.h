// The system cursors and icons, for the hosts that show them.
#pragma once

#include <platform/windows.h>

namespace user {

// The IDC_ number (32512 for the arrow ...) of a system cursor, or the IDI_
// number of a system icon; 0 for anything else.
WORD SystemCursorId(HCURSOR cursor);

}  // namespace user
