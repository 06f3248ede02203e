// The key state: as of the last input message taken (GetKeyState), and as the
// host reports it (GetAsyncKeyState). Bit 0x80 down, bit 0x01 toggled.
#pragma once

#include <array>

#include <platform/windows.h>

#include "../host/host.h"

namespace user {

using KeyTable = std::array<BYTE, 256>;

// The generic key for a left or right one, as key messages carry it.
UINT Generic(UINT key);
// Applies a key or button event to a state table.
void ApplyEvent(KeyTable& table, const host::InputEvent& e);
// Whether the key is down as of the last input message taken.
bool IsDown(UINT key);
// The host's view of the keys moves as the events arrive.
void ApplyAsync(const host::InputEvent& e);
void ResetAsyncKeyState();

}  // namespace user
