#include "host.h"

#include <atomic>

#include <platform/headless.h>

namespace host {

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

}  // namespace host
