#include "tests/conformance/support/pump.h"

#include <platform/kernel.h>

namespace conf {

namespace {

// The thread timer that ends a wait: WaitMessage would wait for ever on a
// desktop where nothing else comes.
UINT_PTR wake_timer = 0;
bool woken = false;

bool IsWakeTimer(const MSG& msg) {
  return msg.message == WM_TIMER && msg.hwnd == nullptr && msg.wParam == wake_timer;
}

}  // namespace

std::vector<MSG> Pump() {
  std::vector<MSG> taken;
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (wake_timer != 0 && IsWakeTimer(msg)) {
      woken = true;
      continue;
    }
    taken.push_back(msg);
    if (msg.message == WM_QUIT) continue;
    TranslateMessage(&msg);
    Dispatch(msg);
  }
  return taken;
}

namespace {

// Pumps until `done`, the clock or the wake timer ends it; keeps what it took.
bool Loop(const std::function<bool()>& done, DWORD ms, std::vector<MSG>& taken) {
  const UINT_PTR outer = wake_timer;
  wake_timer = SetTimer(nullptr, 0, ms, nullptr);
  woken = false;
  const DWORD start = GetTickCount();
  bool finished = false;
  for (;;) {
    const std::vector<MSG> round = Pump();
    taken.insert(taken.end(), round.begin(), round.end());
    finished = done();
    if (finished || woken || GetTickCount() - start >= ms) break;
    WaitMessage();
  }
  KillTimer(nullptr, wake_timer);
  wake_timer = outer;
  return finished;
}

}  // namespace

bool PumpUntil(const std::function<bool()>& done, DWORD ms) {
  std::vector<MSG> taken;
  return Loop(done, ms, taken);
}

std::vector<MSG> PumpFor(DWORD ms) {
  std::vector<MSG> taken;
  Loop([] { return false; }, ms, taken);
  return taken;
}

}  // namespace conf
