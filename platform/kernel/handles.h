// The kernel's handle table: every HANDLE the platform gives out points at a
// KernelObject, and is checked against the table before it is used, so a stale
// or made-up handle fails with ERROR_INVALID_HANDLE instead of crashing.
#pragma once

#include <memory>

#include <platform/kernel.h>

namespace kernel {

class KernelObject {
 public:
  virtual ~KernelObject() = default;
  // Releases what the object holds; false (with the last error set) when the
  // release reports a failure.
  virtual bool Close() = 0;
};

// Takes ownership of the object and returns its handle.
HANDLE AddHandle(KernelObject* object);
// Shares the object with the table: it lives while the handle is open or
// anyone else holds it (a thread keeps its own object while it runs).
HANDLE AddHandle(std::shared_ptr<KernelObject> object);

// The object behind a handle, or null when the handle is not in the table.
KernelObject* LookUpHandle(HANDLE handle);

// The object behind a handle if it is a T; else null with ERROR_INVALID_HANDLE.
template <typename T>
T* LookUp(HANDLE handle) {
  T* object = dynamic_cast<T*>(LookUpHandle(handle));
  if (object == nullptr) SetLastError(ERROR_INVALID_HANDLE);
  return object;
}

// The object behind a handle, kept alive for the caller even when the handle
// is closed meanwhile (a wait may outlast it); null when it is not in the
// table.
std::shared_ptr<KernelObject> ShareHandle(HANDLE handle);

// The same if it is a T; else null with ERROR_INVALID_HANDLE.
template <typename T>
std::shared_ptr<T> Share(HANDLE handle) {
  std::shared_ptr<T> object = std::dynamic_pointer_cast<T>(ShareHandle(handle));
  if (object == nullptr) SetLastError(ERROR_INVALID_HANDLE);
  return object;
}

}  // namespace kernel
