// A host on the system's steady clock: the scheduler that the desktop (SDL)
// host and the console host share. On its own it has a screen with no
// windows shown anywhere and no input; its sound goes to the output it is
// given. The desktop host overrides the waiting for work and the display.
#pragma once

#include <chrono>
#include <memory>
#include <thread>

#include "host.h"

namespace host {

class RealTimeHost : public Host {
 public:
  // The constructing thread is the user-interface thread.
  explicit RealTimeHost(std::unique_ptr<AudioOutput> audio = nullptr);

  std::uint64_t Now() override;
  SYSTEMTIME LocalTime() override;
  void WaitForWork(std::uint64_t deadline) override;
  bool IsUserInterfaceThread() const override;
  void Wake() override;
  bool WaitUntil(std::unique_lock<std::mutex>& lock, std::condition_variable& changed,
                 std::uint64_t deadline, const std::function<bool()>& ready) override;

  SIZE ScreenSize() override;
  bool NextInput(InputEvent& event) override;
  POINT CursorPos() override;
  void SetCursorPos(POINT position) override;

  bool StartAudio(const AudioFormat& format, AudioSource* source, std::string& reason) override;
  void StopAudio() override;

 protected:
  // The steady clock's time at `milliseconds` on the host's clock.
  std::chrono::steady_clock::time_point TimeAt(std::uint64_t milliseconds) const;

 private:
  const std::chrono::steady_clock::time_point start_;
  const std::thread::id ui_thread_;
  std::unique_ptr<AudioOutput> audio_;
  std::mutex mutex_;
  std::condition_variable woken_changed_;
  bool woken_ = false;
  POINT cursor_{0, 0};
};

}  // namespace host
