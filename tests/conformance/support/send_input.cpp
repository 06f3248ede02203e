#include "tests/conformance/support/send_input.h"

#include <vector>

#include "tests/conformance/support/pump.h"

namespace conf {

namespace {

void Send(std::vector<INPUT> inputs) {
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

INPUT Mouse(DWORD flags, POINT screen = {}) {
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dwFlags = flags;
  // The point's pixel is the first whose 0..65535 span holds the value.
  const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
  in.mi.dx = (screen.x * 65536 + width - 1) / width;
  in.mi.dy = (screen.y * 65536 + height - 1) / height;
  return in;
}

INPUT Key(WORD virtual_key, WORD scan, DWORD flags) {
  INPUT in{};
  in.type = INPUT_KEYBOARD;
  in.ki.wVk = virtual_key;
  in.ki.wScan = scan;
  in.ki.dwFlags = flags;
  return in;
}

}  // namespace

void MoveMouseTo(POINT screen) {
  Send({Mouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, screen)});
}

void ClickAt(HWND window, POINT client, Button button) {
  ClientToScreen(window, &client);
  // A desktop may take the move in later than the presses behind it: the
  // presses wait until the cursor is there.
  MoveMouseTo(client);
  PumpUntil(
      [&] {
        POINT at{};
        GetCursorPos(&at);
        return at.x == client.x && at.y == client.y;
      },
      500);
  const bool left = button == Button::kLeft;
  Send({Mouse(left ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_RIGHTDOWN),
        Mouse(left ? MOUSEEVENTF_LEFTUP : MOUSEEVENTF_RIGHTUP)});
}

void KeyDown(WORD virtual_key) {
  Send({Key(virtual_key, 0, 0)});
}

void KeyUp(WORD virtual_key) {
  Send({Key(virtual_key, 0, KEYEVENTF_KEYUP)});
}

void PressKey(WORD virtual_key) {
  Send({Key(virtual_key, 0, 0), Key(virtual_key, 0, KEYEVENTF_KEYUP)});
}

void TypeText(std::string_view text) {
  std::vector<INPUT> strokes;
  for (const char c : text) {
    const auto unit = static_cast<WORD>(static_cast<unsigned char>(c));
    strokes.push_back(Key(0, unit, KEYEVENTF_UNICODE));
    strokes.push_back(Key(0, unit, KEYEVENTF_UNICODE | KEYEVENTF_KEYUP));
  }
  Send(strokes);
}

}  // namespace conf
