#include "host.h"

#include <atomic>

#include <platform/headless.h>

#include "../gdi/surface.h"

namespace host {

HostWindow::HostWindow() : surface_(std::make_shared<gdi::Surface>(0, 0)) {}

HostWindow::~HostWindow() = default;

namespace {

std::atomic<Host*> installed{nullptr};

}  // namespace

Host& Current() {
  Host* host = installed.load(std::memory_order_acquire);
  return host != nullptr ? *host : Headless();
}

void Install(Host* host) {
  installed.store(host, std::memory_order_release);
}

namespace {

// Constant-initialised, so registering from another file's static
// initialisation is safe.
std::atomic<StateReset> state_reset{nullptr};

}  // namespace

bool SetStateReset(StateReset reset) {
  state_reset.store(reset);
  return true;
}

void ResetPlatformState() {
  if (const StateReset reset = state_reset.load()) reset();
}

}  // namespace host
