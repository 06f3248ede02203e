#include "device_context.h"

#include <mutex>
#include <unordered_map>

#include <platform/windows.h>

namespace gdi {

namespace {

std::mutex& LiveLock() {
  static auto& lock = *new std::mutex;
  return lock;
}

// Never destroyed: contexts that live as long as the process (those of the
// system icons) stay reachable to the end.
std::unordered_map<HDC, DeviceContext*>& Live() {
  static auto* const live = new std::unordered_map<HDC, DeviceContext*>();
  return *live;
}

// The contexts handed out by handle (window contexts, CreateCompatibleDC).
std::unordered_map<HDC, std::unique_ptr<DeviceContext>>& Kept() {
  static auto* const kept = new std::unordered_map<HDC, std::unique_ptr<DeviceContext>>();
  return *kept;
}

// Far above the drawing objects' handles, so GetObjectType never mistakes one
// for the other.
std::uintptr_t next_handle = 0x40000000;

}  // namespace

DeviceContext::DeviceContext(HWND window, Area area, POINT origin, RectList visible)
    : window_(window), area_(area), origin_(origin), visible_(std::move(visible)) {
  SelectDefaults(state_);
  List();
}

DeviceContext::DeviceContext() : window_(nullptr), area_(Area::kMemory), origin_{0, 0} {
  SelectDefaults(state_);
  HBITMAP bitmap = DefaultBitmap();
  SelectBitmap(bitmap, std::static_pointer_cast<Bitmap>(Lookup(bitmap)));
  List();
}

DeviceContext::~DeviceContext() {
  if (state_.bitmap != nullptr) --state_.bitmap->selected;
  std::lock_guard guard(LiveLock());
  Live().erase(handle_);
}

void DeviceContext::List() {
  std::lock_guard guard(LiveLock());
  handle_ = reinterpret_cast<HDC>(next_handle);
  next_handle += 4;
  Live().emplace(handle_, this);
}

DeviceContext* DeviceContext::FromHandle(HDC dc) {
  std::lock_guard guard(LiveLock());
  const auto it = Live().find(dc);
  return it != Live().end() ? it->second : nullptr;
}

HDC DeviceContext::Keep(std::unique_ptr<DeviceContext> context) {
  const HDC handle = context->handle();
  std::lock_guard guard(LiveLock());
  Kept().emplace(handle, std::move(context));
  return handle;
}

bool DeviceContext::Destroy(HDC dc) {
  // Declared first, so destroyed after the lock is let go: the destructor
  // takes it.
  std::unique_ptr<DeviceContext> gone;
  std::lock_guard guard(LiveLock());
  const auto it = Kept().find(dc);
  if (it == Kept().end()) return false;
  gone = std::move(it->second);
  Kept().erase(it);
  return true;
}

void DeviceContext::SelectPen(HPEN handle, std::shared_ptr<Pen> pen) {
  state_.pen_handle = handle;
  state_.pen = std::move(pen);
  style_position = 0;
}

bool DeviceContext::SelectBitmap(HBITMAP handle, std::shared_ptr<Bitmap> bitmap) {
  if (bitmap != state_.bitmap) {
    // The 1 x 1 default may sit in any number of contexts; others in one.
    if (bitmap->selected > 0 && handle != DefaultBitmap()) return false;
    ++bitmap->selected;
    if (state_.bitmap != nullptr) --state_.bitmap->selected;
  }
  state_.bitmap_handle = handle;
  state_.bitmap = std::move(bitmap);
  return true;
}

void DeviceContext::PutState(DcState state) {
  if (state.bitmap != state_.bitmap) {
    if (state.bitmap != nullptr) ++state.bitmap->selected;
    if (state_.bitmap != nullptr) --state_.bitmap->selected;
  }
  if (state.pen != state_.pen) style_position = 0;
  state_ = std::move(state);
}

RectList DeviceContext::Reachable() const {
  if (area_ == Area::kMemory) {
    if (state_.bitmap == nullptr) return {};
    return {RECT{0, 0, state_.bitmap->surface->width(), state_.bitmap->surface->height()}};
  }
  return visible_;
}

DeviceContext::Target DeviceContext::Resolve() const {
  Target target;
  if (area_ == Area::kMemory) {
    if (state_.bitmap != nullptr) target.surface = state_.bitmap->surface;
  } else if (area_ == Area::kScreen) {
    target.surface = WindowSurface(nullptr);
    target.offset = origin_;
  } else {
    HWND top = GetAncestor(window_, GA_ROOT);
    target.surface = WindowSurface(top);
    RECT rect{};
    if (target.surface != nullptr && GetWindowRect(top, &rect)) {
      target.offset = {origin_.x - rect.left, origin_.y - rect.top};
    }
  }
  if (target.surface == nullptr) return target;
  target.clip = Reachable();
  if (state_.clip.has_value()) target.clip = Intersection(target.clip, *state_.clip);
  Intersect(target.clip,
            {-target.offset.x, -target.offset.y, target.surface->width() - target.offset.x,
             target.surface->height() - target.offset.y});
  if (area_ != Area::kMemory && !target.clip.empty()) {
    RECT drawn = Bounds(target.clip);
    OffsetRect(&drawn, target.offset.x, target.offset.y);
    DamageWindowSurface(area_ == Area::kScreen ? nullptr : GetAncestor(window_, GA_ROOT), drawn);
  }
  return target;
}

}  // namespace gdi
