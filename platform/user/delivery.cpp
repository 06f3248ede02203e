// The window procedure call that every sent and dispatched message goes
// through, and the spy of tests.
#include "delivery.h"

#include <mutex>

#include "message_queue.h"

namespace user {

namespace {

thread_local bool inside_default = false;

std::mutex& SpyLock() {
  static auto& lock = *new std::mutex;
  return lock;
}

platform::MessageSpy& SpyFunction() {
  static auto& spy = *new platform::MessageSpy;
  return spy;
}

// Restores the default-handling flag however the procedure leaves.
class Restore {
 public:
  explicit Restore(bool value) : value_(value) {}
  ~Restore() { inside_default = value_; }
  Restore(const Restore&) = delete;
  Restore& operator=(const Restore&) = delete;

 private:
  bool value_;
};

}  // namespace

LRESULT Deliver(WNDPROC proc, HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                platform::Delivery how, bool from_other_thread) {
  if (how == platform::Delivery::kSent && inside_default) how = platform::Delivery::kSentByDefault;
  platform::MessageSpy spy;
  {
    std::lock_guard guard(SpyLock());
    spy = SpyFunction();
  }
  if (spy) spy(window, message, wParam, lParam, how);
  if (proc == nullptr) return 0;
  if (how != platform::Delivery::kPosted) {
    CallWndProcHooks(window, message, wParam, lParam, !from_other_thread);
  }
  Restore restore(inside_default);
  inside_default = false;
  return proc(window, message, wParam, lParam);
}

DefaultHandlingScope::DefaultHandlingScope() : was_inside_(inside_default) {
  inside_default = true;
}

DefaultHandlingScope::~DefaultHandlingScope() {
  inside_default = was_inside_;
}

}  // namespace user

void platform::SetMessageSpy(MessageSpy spy) {
  std::lock_guard guard(user::SpyLock());
  user::SpyFunction() = std::move(spy);
}
