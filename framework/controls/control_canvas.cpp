#include "framework/controls/control_canvas.h"

#include <algorithm>
#include <mutex>
#include <vector>

#include "framework/controls/win_control.h"

TAVRION_CLASS_INFO(TControlCanvas, "Controls") {}

namespace {

constexpr std::size_t kCachedContexts = 4;

struct CanvasList {
  std::recursive_mutex lock;
  std::vector<TControlCanvas*> canvases;  // holding a context, oldest first
};

CanvasList& Holding() {
  static auto& list = *new CanvasList;
  return list;
}

}  // namespace

TControlCanvas::~TControlCanvas() {
  FreeHandle();
}

void TControlCanvas::SetControl(TControl* control) {
  if (control_ == control) return;
  FreeHandle();
  control_ = control;
}

void TControlCanvas::AcquireHandle() {
  if (control_ == nullptr) return;
  if (device_context_ == nullptr) {
    CanvasList& list = Holding();
    std::lock_guard guard(list.lock);
    if (list.canvases.size() >= kCachedContexts) {
      // The oldest canvas that is not in use gives its context back.
      for (TControlCanvas* canvas : list.canvases) {
        if (!canvas->TryLock()) continue;
        canvas->FreeHandle();
        canvas->Unlock();
        break;
      }
    }
    device_context_ = control_->GetDeviceContext(window_);
    list.canvases.push_back(this);
  }
  SetHandle(device_context_);
}

void TControlCanvas::FreeHandle() {
  if (device_context_ == nullptr) return;
  SetHandle(nullptr);
  CanvasList& list = Holding();
  {
    std::lock_guard guard(list.lock);
    std::erase(list.canvases, this);
  }
  ReleaseDC(window_, device_context_);
  device_context_ = nullptr;
}

void FreeDeviceContexts() {
  CanvasList& list = Holding();
  std::lock_guard guard(list.lock);
  for (std::size_t i = list.canvases.size(); i-- > 0;) {
    TControlCanvas* canvas = list.canvases[i];
    if (!canvas->TryLock()) continue;
    canvas->FreeHandle();
    canvas->Unlock();
  }
}
