// Kernel objects that WaitForSingleObject waits on: events and threads.
#pragma once

#include <condition_variable>
#include <mutex>

#include "handles.h"

namespace kernel {

class Waitable : public KernelObject {
 public:
  // WAIT_OBJECT_0 once the object is signalled, WAIT_TIMEOUT when
  // `milliseconds` (INFINITE: no limit) pass on the host's clock first.
  DWORD Wait(DWORD milliseconds);

 protected:
  // Both run with mutex_ held.
  virtual bool Signalled() const = 0;
  // A wait has just let its thread through: an auto-reset event resets here.
  virtual void Acquired() {}

  std::mutex mutex_;
  // Notified by every change that may let a wait through.
  std::condition_variable changed_;
};

}  // namespace kernel
