// The wait before a stimulation starts. The window keeps painting and shows
// the hourglass, but clicks and keys are not acted on, with two exceptions: a
// click on the continuous box (whose change cancels the pending start) and
// closing the window (which cancels it and ends the program).
#pragma once

#include <platform/types.h>

namespace tavrion {

// Sleeps until the local clock's next whole second or the next message, and
// handles what came meanwhile. Mouse messages reach `box` only. Sets
// `cancelled` when the message loop is to end; the box's own handler sets it
// for a click.
void AwaitNextSecond(HWND box, bool& cancelled);

}  // namespace tavrion
