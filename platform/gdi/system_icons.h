// The system icons and cursors (LoadIconA/LoadCursorA(NULL, ...)): pictures drawn by code at
// first use and kept for the life of the process.
#pragma once

#include <platform/icons.h>

namespace gdi {

// The icon of an IDI_ number (32512 for IDI_APPLICATION ...); null for a
// number that names none.
HICON SystemIcon(WORD id);

// The IDI_ number of a system icon; 0 for any other handle.
WORD SystemIconId(HICON icon);

// The system cursor of an IDC_ number (32512 for IDC_ARROW ...): monochrome,
// 32 x 32, with its mask and hot spot as GetIconInfo gives them; null for a
// number that names none.
HCURSOR SystemCursor(WORD id);

// The IDC_ number of a system cursor; 0 for any other handle.
WORD SystemCursorId(HCURSOR cursor);

// An icon made of copies of the bitmaps; `shared` ones survive DestroyIcon.
HICON MakeIcon(const ICONINFO& info, bool shared);

// Makes an icon survive DestroyIcon from now on.
void ShareIcon(HICON icon);

}  // namespace gdi
