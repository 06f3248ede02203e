#include "waitable.h"

#include "../host/host.h"

namespace kernel {

DWORD Waitable::Wait(DWORD milliseconds) {
  host::Host& host = host::Current();
  std::unique_lock lock(mutex_);
  const std::uint64_t deadline =
      milliseconds == INFINITE ? host::kForever : host.Now() + milliseconds;
  if (!host.WaitUntil(lock, changed_, deadline, [this] { return Signalled(); }))
    return WAIT_TIMEOUT;
  Acquired();
  return WAIT_OBJECT_0;
}

}  // namespace kernel

DWORD WaitForSingleObject(HANDLE handle, DWORD milliseconds) {
  const std::shared_ptr<kernel::Waitable> object = kernel::Share<kernel::Waitable>(handle);
  if (object == nullptr) return WAIT_FAILED;
  return object->Wait(milliseconds);
}
