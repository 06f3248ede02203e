// The scheduler side of the host: the clock, and waiting. The headless host
// runs it on a virtual clock; the real-time hosts (desktop, console) share
// one on the system's steady clock (real_time_host.h).
#pragma once

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>

#include <platform/types.h>

namespace host {

inline constexpr std::uint64_t kForever = UINT64_MAX;

class Scheduler {
 public:
  virtual ~Scheduler() = default;

  // Milliseconds on the host's clock since the host started.
  virtual std::uint64_t Now() = 0;
  // The local calendar time now.
  virtual SYSTEMTIME LocalTime() = 0;

  // The user-interface thread has nothing to do until `deadline` (kForever:
  // no deadline). Returns when input may have arrived, Wake was called, or the
  // deadline passed.
  virtual void WaitForWork(std::uint64_t deadline) = 0;
  // Whether the calling thread is the user-interface thread, the one that
  // waits with WaitForWork and takes the input.
  virtual bool IsUserInterfaceThread() const = 0;
  // Any thread: makes a WaitForWork in progress return.
  virtual void Wake() = 0;

  // Blocks the calling thread until `ready` holds (checked under `lock`, and
  // again whenever `changed` is notified) or the clock reaches `deadline`.
  // Returns whether `ready` held. Every timed wait of the platform goes here,
  // so the headless host can run it on its virtual clock. Whoever changes what
  // `ready` reads notifies `changed`; `ready` only reads, because the headless
  // host may also call it from another thread while holding `lock`'s mutex.
  virtual bool WaitUntil(std::unique_lock<std::mutex>& lock, std::condition_variable& changed,
                         std::uint64_t deadline, const std::function<bool()>& ready) = 0;

  // The life of a thread made by CreateThread: the creator announces it before
  // it starts, then the thread itself says that it runs and that it has ended.
  // The headless host lets virtual time pass only while every such thread
  // waits in WaitUntil, so tests with a second thread stay deterministic.
  virtual void ThreadCreated() {}
  virtual void ThreadStarted() {}
  virtual void ThreadEnded() {}
};

}  // namespace host
