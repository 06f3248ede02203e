// The host of a command-line program that plays sound.
#pragma once

#include <memory>

#include "host.h"

namespace host {

// A host on the steady clock with no windows, whose sound goes to the sound
// device. It needs no display; the device is opened at the first sound. On
// Windows the system plays the sound itself, and this is null.
std::unique_ptr<Host> MakeConsoleHost();

}  // namespace host
