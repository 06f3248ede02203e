#include <condition_variable>
#include <mutex>
#include <thread>

#include <platform/kernel.h>

#include "../host/host.h"

DWORD GetTickCount() {
  return static_cast<DWORD>(host::Current().Now());
}

void GetLocalTime(SYSTEMTIME* time) {
  if (time != nullptr) *time = host::Current().LocalTime();
}

// A wait for nothing but the clock: on the headless host, the user-interface
// thread's sleep moves the virtual clock, another thread's waits for it.
void Sleep(DWORD milliseconds) {
  host::Host& host = host::Current();
  std::mutex mutex;
  std::condition_variable never;
  std::unique_lock lock(mutex);
  const std::uint64_t deadline =
      milliseconds == INFINITE ? host::kForever : host.Now() + milliseconds;
  host.WaitUntil(lock, never, deadline, [] { return false; });
  if (milliseconds == 0) std::this_thread::yield();
}
