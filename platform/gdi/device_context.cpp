#include "device_context.h"

#include <mutex>
#include <unordered_set>

namespace gdi {

namespace {

std::mutex& LiveLock() {
  static std::mutex lock;
  return lock;
}

std::unordered_set<const DeviceContext*>& Live() {
  static std::unordered_set<const DeviceContext*> live;
  return live;
}

}  // namespace

DeviceContext::DeviceContext(HWND window, Area area, POINT origin, RectList visible)
    : window_(window), area_(area), origin_(origin), visible_(std::move(visible)) {
  std::lock_guard guard(LiveLock());
  Live().insert(this);
}

DeviceContext::~DeviceContext() {
  std::lock_guard guard(LiveLock());
  Live().erase(this);
}

DeviceContext* DeviceContext::FromHandle(HDC dc) {
  std::lock_guard guard(LiveLock());
  auto* context = reinterpret_cast<DeviceContext*>(dc);
  return Live().count(context) != 0 ? context : nullptr;
}

}  // namespace gdi
