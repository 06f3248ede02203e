#include "real_time_host.h"

#include <ctime>

namespace host {

RealTimeHost::RealTimeHost(std::unique_ptr<AudioOutput> audio)
    : start_(std::chrono::steady_clock::now()),
      ui_thread_(std::this_thread::get_id()),
      audio_(std::move(audio)) {}

std::uint64_t RealTimeHost::Now() {
  return static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                        std::chrono::steady_clock::now() - start_)
                                        .count());
}

std::chrono::steady_clock::time_point RealTimeHost::TimeAt(std::uint64_t milliseconds) const {
  return start_ + std::chrono::milliseconds(milliseconds);
}

SYSTEMTIME RealTimeHost::LocalTime() {
  const auto now = std::chrono::system_clock::now();
  const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
  std::tm local{};
  localtime_r(&seconds, &local);
  const auto milliseconds =
      std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
  SYSTEMTIME time{};
  time.wYear = static_cast<WORD>(local.tm_year + 1900);
  time.wMonth = static_cast<WORD>(local.tm_mon + 1);
  time.wDayOfWeek = static_cast<WORD>(local.tm_wday);
  time.wDay = static_cast<WORD>(local.tm_mday);
  time.wHour = static_cast<WORD>(local.tm_hour);
  time.wMinute = static_cast<WORD>(local.tm_min);
  time.wSecond = static_cast<WORD>(local.tm_sec);
  time.wMilliseconds = static_cast<WORD>(milliseconds);
  return time;
}

void RealTimeHost::WaitForWork(std::uint64_t deadline) {
  std::unique_lock lock(mutex_);
  const auto woken = [&] { return woken_; };
  if (deadline == kForever) {
    woken_changed_.wait(lock, woken);
  } else {
    woken_changed_.wait_until(lock, TimeAt(deadline), woken);
  }
  woken_ = false;
}

bool RealTimeHost::IsUserInterfaceThread() const {
  return std::this_thread::get_id() == ui_thread_;
}

void RealTimeHost::Wake() {
  {
    std::lock_guard lock(mutex_);
    woken_ = true;
  }
  woken_changed_.notify_all();
}

bool RealTimeHost::WaitUntil(std::unique_lock<std::mutex>& lock, std::condition_variable& changed,
                             std::uint64_t deadline, const std::function<bool()>& ready) {
  if (deadline == kForever) {
    changed.wait(lock, ready);
    return true;
  }
  return changed.wait_until(lock, TimeAt(deadline), ready);
}

SIZE RealTimeHost::ScreenSize() {
  return {1024, 768};
}

bool RealTimeHost::NextInput(InputEvent& /* event */) {
  return false;
}

POINT RealTimeHost::CursorPos() {
  std::lock_guard lock(mutex_);
  return cursor_;
}

void RealTimeHost::SetCursorPos(POINT position) {
  std::lock_guard lock(mutex_);
  cursor_ = position;
}

bool RealTimeHost::StartAudio(const AudioFormat& format, AudioSource* source, std::string& reason) {
  return audio_ != nullptr && audio_->StartAudio(format, source, reason);
}

void RealTimeHost::StopAudio() {
  if (audio_ != nullptr) audio_->StopAudio();
}

}  // namespace host
