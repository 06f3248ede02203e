#include "handles.h"

#include <memory>
#include <mutex>
#include <unordered_map>

namespace kernel {

namespace {

std::mutex& TableLock() {
  static auto& lock = *new std::mutex;
  return lock;
}

std::unordered_map<HANDLE, std::shared_ptr<KernelObject>>& Table() {
  static auto& table = *new std::unordered_map<HANDLE, std::shared_ptr<KernelObject>>;
  return table;
}

thread_local DWORD last_error = ERROR_SUCCESS;

}  // namespace

HANDLE AddHandle(KernelObject* object) {
  return AddHandle(std::shared_ptr<KernelObject>(object));
}

HANDLE AddHandle(std::shared_ptr<KernelObject> object) {
  std::lock_guard guard(TableLock());
  HANDLE handle = object.get();
  Table().emplace(handle, std::move(object));
  return handle;
}

KernelObject* LookUpHandle(HANDLE handle) {
  std::lock_guard guard(TableLock());
  const auto it = Table().find(handle);
  return it == Table().end() ? nullptr : it->second.get();
}

std::shared_ptr<KernelObject> ShareHandle(HANDLE handle) {
  std::lock_guard guard(TableLock());
  const auto it = Table().find(handle);
  return it == Table().end() ? nullptr : it->second;
}

}  // namespace kernel

DWORD GetLastError() {
  return kernel::last_error;
}

void SetLastError(DWORD code) {
  kernel::last_error = code;
}

BOOL CloseHandle(HANDLE handle) {
  std::shared_ptr<kernel::KernelObject> object;
  {
    std::lock_guard guard(kernel::TableLock());
    const auto it = kernel::Table().find(handle);
    if (it == kernel::Table().end()) {
      SetLastError(ERROR_INVALID_HANDLE);
      return FALSE;
    }
    object = std::move(it->second);
    kernel::Table().erase(it);
  }
  return object->Close() ? TRUE : FALSE;
}
