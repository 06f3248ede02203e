#include <memory>

#include "waitable.h"

namespace {

class Event final : public kernel::Waitable {
 public:
  Event(bool manualReset, bool signalled) : manual_reset_(manualReset), signalled_(signalled) {}

  bool Close() override { return true; }

  void Set() {
    std::lock_guard guard(mutex_);
    signalled_ = true;
    // Every waiter looks; the first through resets an auto-reset event, so
    // exactly one goes on, even when another's wait is just ending.
    changed_.notify_all();
  }

  void Reset() {
    std::lock_guard guard(mutex_);
    signalled_ = false;
  }

 private:
  bool Signalled() const override { return signalled_; }
  void Acquired() override {
    if (!manual_reset_) signalled_ = false;
  }

  const bool manual_reset_;
  bool signalled_;
};

}  // namespace

HANDLE CreateEventA(LPSECURITY_ATTRIBUTES, BOOL manualReset, BOOL initialState, LPCSTR) {
  return kernel::AddHandle(new Event(manualReset != FALSE, initialState != FALSE));
}

BOOL SetEvent(HANDLE event) {
  const std::shared_ptr<Event> object = kernel::Share<Event>(event);
  if (object == nullptr) return FALSE;
  object->Set();
  return TRUE;
}

BOOL ResetEvent(HANDLE event) {
  const std::shared_ptr<Event> object = kernel::Share<Event>(event);
  if (object == nullptr) return FALSE;
  object->Reset();
  return TRUE;
}
