#include <atomic>
#include <memory>
#include <system_error>
#include <thread>

#include <unistd.h>

#include "../host/host.h"
#include "waitable.h"

namespace {

// Ids are handed out in order rather than taken from the system, so that
// CreateThread can report the id before the thread has run.
std::atomic<DWORD> next_thread_id{1};
thread_local DWORD this_thread_id = 0;

class Thread final : public kernel::Waitable {
 public:
  explicit Thread(DWORD id) : id_(id) {}

  // The thread runs on without its handle.
  bool Close() override { return true; }

  DWORD id() const { return id_; }

  void Finish(DWORD exitCode) {
    std::lock_guard guard(mutex_);
    exit_code_ = exitCode;
    ended_ = true;
    changed_.notify_all();
  }

  DWORD ExitCode() {
    std::lock_guard guard(mutex_);
    return ended_ ? exit_code_ : STILL_ACTIVE;
  }

 private:
  bool Signalled() const override { return ended_; }

  const DWORD id_;
  bool ended_ = false;
  DWORD exit_code_ = 0;
};

}  // namespace

HANDLE CreateThread(LPSECURITY_ATTRIBUTES, SIZE_T, LPTHREAD_START_ROUTINE startAddress,
                    LPVOID parameter, DWORD creationFlags, LPDWORD threadId) {
  if (startAddress == nullptr || (creationFlags & ~STACK_SIZE_PARAM_IS_A_RESERVATION) != 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  auto thread = std::make_shared<Thread>(next_thread_id++);
  host::Host* host = &host::Current();
  host->ThreadCreated();
  try {
    std::thread([thread, host, startAddress, parameter] {
      this_thread_id = thread->id();
      host->ThreadStarted();
      thread->Finish(startAddress(parameter));
      // Only after the handle is signalled: until then a thread waiting for
      // this one must see it running, not stuck.
      host->ThreadEnded();
    }).detach();
  } catch (const std::system_error&) {
    host->ThreadEnded();
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  if (threadId != nullptr) *threadId = thread->id();
  return kernel::AddHandle(thread);
}

BOOL GetExitCodeThread(HANDLE thread, LPDWORD exitCode) {
  const std::shared_ptr<Thread> object = kernel::Share<Thread>(thread);
  if (object == nullptr) return FALSE;
  if (exitCode != nullptr) *exitCode = object->ExitCode();
  return TRUE;
}

DWORD GetCurrentThreadId() {
  if (this_thread_id == 0) this_thread_id = next_thread_id++;
  return this_thread_id;
}

DWORD GetCurrentProcessId() {
  return static_cast<DWORD>(::getpid());
}
