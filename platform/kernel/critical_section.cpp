#include <condition_variable>
#include <mutex>

#include <platform/kernel.h>

#include "../host/host.h"

namespace {

// Ownership is kept in fields rather than in a recursive mutex so that a
// thread that waits for it waits through the host, which must know which
// threads wait to run virtual time.
struct Lock {
  std::mutex mutex;
  std::condition_variable released;
  DWORD owner = 0;
  LONG recursion = 0;
};

Lock& LockOf(LPCRITICAL_SECTION section) {
  return *static_cast<Lock*>(section->Lock);
}

}  // namespace

void InitializeCriticalSection(LPCRITICAL_SECTION section) {
  section->Lock = new Lock;
}

void DeleteCriticalSection(LPCRITICAL_SECTION section) {
  delete static_cast<Lock*>(section->Lock);
  section->Lock = nullptr;
}

void EnterCriticalSection(LPCRITICAL_SECTION section) {
  Lock& lock = LockOf(section);
  const DWORD me = GetCurrentThreadId();
  std::unique_lock guard(lock.mutex);
  if (lock.owner == me) {
    ++lock.recursion;
    return;
  }
  host::Current().WaitUntil(guard, lock.released, host::kForever,
                            [&lock] { return lock.owner == 0; });
  lock.owner = me;
  lock.recursion = 1;
}

void LeaveCriticalSection(LPCRITICAL_SECTION section) {
  Lock& lock = LockOf(section);
  std::lock_guard guard(lock.mutex);
  if (lock.owner != GetCurrentThreadId()) return;
  if (--lock.recursion > 0) return;
  lock.owner = 0;
  lock.released.notify_one();
}
