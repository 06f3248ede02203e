#include "framework/controls/control_canvas.h"

#include "framework/controls/win_control.h"
#include "framework/graphics/bitmap.h"
#include "framework/graphics/locked_list.h"
#include "framework/rtl/scope_exit.h"

TAVRION_CLASS_INFO(TControlCanvas, "Controls") {}

namespace {

constexpr std::size_t kCachedContexts = 4;

// The control canvases holding a context, oldest first.
TLockedList<TControlCanvas>& Holding() {
  static auto& list = *new TLockedList<TControlCanvas>;
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
    TLockedList<TControlCanvas>& list = Holding();
    list.Enter();
    const ScopeExit leave([&list] { list.Leave(); });
    if (list.Items().size() >= kCachedContexts) {
      // The oldest canvas that is not in use gives its context back.
      for (TControlCanvas* canvas : list.Snapshot()) {
        if (canvas->FreeHandleIfUnused()) break;
      }
    }
    device_context_ = control_->GetDeviceContext(window_);
    list.Add(this);
  }
  SetHandle(device_context_);
}

void TControlCanvas::FreeHandle() {
  if (device_context_ == nullptr) return;
  SetHandle(nullptr);
  Holding().Remove(this);
  ReleaseDC(window_, device_context_);
  device_context_ = nullptr;
}

void FreeDeviceContexts() {
  TLockedList<TControlCanvas>& list = Holding();
  list.Enter();
  for (TControlCanvas* canvas : list.Snapshot()) canvas->FreeHandleIfUnused();
  list.Leave();
  FreeMemoryContexts();
}
