// The headless host runs virtual time like a discrete-event simulation: the
// clock moves only when every thread made by CreateThread waits, and then only
// to the next deadline of a timed wait, so a second thread sees every moment
// it waits for, in order, and the same test runs the same way every time.
#include <platform/headless.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <utility>

#include "../../kernel/startup_info.h"
#include "calendar.h"
#include "typing.h"

namespace host {

// A thread other than the user-interface thread inside WaitUntil. It lives on
// that thread's stack; `pins` counts the clock movers and settle checks that
// use it without holding the host's lock, and it leaves only when none do.
struct HeadlessHost::Waiter {
  std::mutex* mutex;
  std::condition_variable* changed;
  const std::function<bool()>* ready;
  std::uint64_t deadline;
  bool counted;  // a thread made by CreateThread
  bool blocked = false;
  int pins = 0;
};

namespace {

thread_local bool made_by_create_thread = false;

constexpr std::uint64_t kMillisecondsPerSecond = 1000;

constexpr char kNoInput[] = "the user-interface thread waits for input and no test gives any";
constexpr char kNoOne[] = "the user-interface thread waits for something no other thread will give";

// A wait that nothing can end would hang the test until the runner's time
// limit and say nothing of where. The process ends at once with the reason
// instead; an exception could not do it, since the wait sits under the code
// being tested, whose message loops catch everything and would wait again.
[[noreturn]] void Stuck(const char* what, std::uint64_t now) {
  std::fprintf(stderr, "headless host: at %llu ms, %s\n", static_cast<unsigned long long>(now),
               what);
  std::fflush(stderr);
  std::abort();
}

bool IsMouse(InputEvent::Kind kind) {
  return kind == InputEvent::kMouseMove || kind == InputEvent::kButtonDown ||
         kind == InputEvent::kButtonUp || kind == InputEvent::kWheel;
}

}  // namespace

HeadlessHost::HeadlessHost() : ui_thread_(std::this_thread::get_id()) {}

HeadlessHost& Headless() {
  // Never destroyed: detached threads may still use it while the process ends.
  static HeadlessHost* const host = new HeadlessHost();
  return *host;
}

std::uint64_t HeadlessHost::Now() {
  return now_;
}

SYSTEMTIME HeadlessHost::LocalTime() {
  return CalendarTime(now_);
}

SIZE HeadlessHost::ScreenSize() {
  std::lock_guard guard(mutex_);
  return screen_;
}

POINT HeadlessHost::CursorPos() {
  std::lock_guard guard(mutex_);
  return cursor_;
}

void HeadlessHost::SetCursorPos(POINT position) {
  std::lock_guard guard(mutex_);
  cursor_ = position;
}

bool HeadlessHost::IsUserInterfaceThread() const {
  return ui_thread_.load() == std::this_thread::get_id();
}

void HeadlessHost::Changed() {
  ++generation_;
  changes_.notify_all();
}

void HeadlessHost::ThreadCreated() {
  std::lock_guard guard(mutex_);
  ++running_;
  Changed();
}

void HeadlessHost::ThreadStarted() {
  made_by_create_thread = true;
}

void HeadlessHost::ThreadEnded() {
  std::lock_guard guard(mutex_);
  --running_;
  Changed();
}

void HeadlessHost::Beep(UINT type) {
  std::lock_guard guard(mutex_);
  ++beeps_.count;
  beeps_.last_type = type;
}

void HeadlessHost::SetClipboardText(const std::string& utf8) {
  SetClipboard(utf8);
}

std::optional<std::string> HeadlessHost::ClipboardText() {
  return Clipboard();
}

void HeadlessHost::ClearClipboard() {
  std::lock_guard guard(mutex_);
  clipboard_.reset();
}

void HeadlessHost::SetClipboard(std::string_view utf8) {
  std::lock_guard guard(mutex_);
  clipboard_ = std::string(utf8);
}

std::optional<std::string> HeadlessHost::Clipboard() {
  std::lock_guard guard(mutex_);
  return clipboard_;
}

bool HeadlessHost::StartAudio(const AudioFormat& format, AudioSource* source, std::string& reason) {
  std::lock_guard guard(mutex_);
  audio_source_ = no_audio_output_ ? nullptr : source;
  audio_owed_ = 0;
  audio_ = {};
  if (no_audio_output_) {
    reason = *no_audio_output_;
    return false;
  }
  audio_.format = format;
  return true;
}

void HeadlessHost::SetNoAudioOutput(std::optional<std::string> reason) {
  std::lock_guard guard(mutex_);
  no_audio_output_ = std::move(reason);
}

void HeadlessHost::StopAudio() {
  std::lock_guard guard(mutex_);
  audio_source_ = nullptr;
}

AudioRecording HeadlessHost::Audio() {
  std::lock_guard guard(mutex_);
  return audio_;
}

// With the host's lock held, before the clock moves on by `milliseconds`.
void HeadlessHost::PullAudio(std::uint64_t milliseconds) {
  if (audio_source_ == nullptr) return;
  audio_owed_ += milliseconds * static_cast<std::uint64_t>(audio_.format.sample_rate);
  const std::size_t frames = audio_owed_ / kMillisecondsPerSecond;
  audio_owed_ %= kMillisecondsPerSecond;
  if (frames == 0) return;
  const std::size_t frame_bytes = audio_.format.FrameBytes();
  const std::size_t before = audio_.bytes.size();
  audio_.bytes.resize(before + frames * frame_bytes);
  const std::size_t given =
      std::min(frames, audio_source_->Fill(audio_.bytes.data() + before, frames));
  audio_.bytes.resize(before + given * frame_bytes);
  audio_.pulls.push_back({.time = now_, .frames = given});
}

// A top-level window as the headless host keeps it: only what it was told.
class HeadlessHost::Window final : public HostWindow {
 public:
  Window(HeadlessHost& host, HWND handle) : host_(host), handle_(handle) {}
  ~Window() override {
    std::lock_guard guard(host_.mutex_);
    if (const auto it = host_.windows_.find(handle_); it != host_.windows_.end()) {
      it->second.open = false;
    }
  }
  void Update(const WindowState& state) override {
    std::lock_guard guard(host_.mutex_);
    HostWindowLog& log = host_.windows_[handle_];
    log.state = state;
    ++log.updates;
  }
  void Present(const gdi::Surface& picture, const std::vector<RECT>& damaged) override {
    PresentHandler handler;
    {
      std::lock_guard guard(host_.mutex_);
      HostWindowLog& log = host_.windows_[handle_];
      ++log.presents;
      log.last_damage = damaged;
      handler = host_.present_handler_;
    }
    if (handler) handler(handle_, picture, damaged);
  }

 private:
  HeadlessHost& host_;
  const HWND handle_;
};

std::unique_ptr<HostWindow> HeadlessHost::OpenWindow(HWND handle, const WindowState& state) {
  std::lock_guard guard(mutex_);
  windows_[handle] = HostWindowLog{};
  windows_[handle].state = state;
  return std::make_unique<Window>(*this, handle);
}

void HeadlessHost::SetPresentHandler(PresentHandler handler) {
  std::lock_guard guard(mutex_);
  present_handler_ = std::move(handler);
}

std::optional<HostWindowLog> HeadlessHost::WindowLog(HWND window) {
  std::lock_guard guard(mutex_);
  const auto it = windows_.find(window);
  if (it == windows_.end()) return std::nullopt;
  return it->second;
}

void HeadlessHost::SetCursorShape(WORD system_cursor) {
  {
    std::lock_guard guard(mutex_);
    cursor_picture_.reset();
  }
  cursor_shape_ = system_cursor;
  ++cursor_changes_;
}

void HeadlessHost::SetCursorPicture(const CursorPicture& picture) {
  {
    std::lock_guard guard(mutex_);
    cursor_picture_ = picture;
  }
  cursor_shape_ = 0;
  ++cursor_changes_;
}

WORD HeadlessHost::CursorShape() {
  return cursor_shape_;
}

std::optional<CursorPicture> HeadlessHost::ShownCursorPicture() {
  std::lock_guard guard(mutex_);
  return cursor_picture_;
}

int HeadlessHost::CursorChanges() {
  return cursor_changes_;
}

void HeadlessHost::SetMouseCapture(HWND top_level) {
  mouse_capture_ = top_level;
}

HWND HeadlessHost::MouseCapture() {
  return mouse_capture_;
}

BeepLog HeadlessHost::Beeps() {
  std::lock_guard guard(mutex_);
  return beeps_;
}

void HeadlessHost::Wake() {
  std::lock_guard guard(mutex_);
  woken_ = true;
  Changed();
}

bool HeadlessHost::NextInput(InputEvent& event) {
  std::lock_guard guard(mutex_);
  if (input_.empty()) return false;
  event = input_.front();
  input_.pop_front();
  return true;
}

// With the host's lock held.
void HeadlessHost::Unpin(const std::vector<Waiter*>& pinned) {
  for (Waiter* waiter : pinned) --waiter->pins;
  unpinned_.notify_all();
}

// Whether a waiting thread has been given what it waits for but has not woken
// yet. Each waiter's own lock guards what its `ready` reads, and a waiter
// takes its lock before the host's, so the host's lock is let go meanwhile.
bool HeadlessHost::AnyBlockedWaiterReady(std::unique_lock<std::mutex>& guard) {
  std::vector<Waiter*> blocked;
  for (Waiter* waiter : waiters_) {
    if (!waiter->blocked) continue;
    ++waiter->pins;
    blocked.push_back(waiter);
  }
  if (blocked.empty()) return false;
  guard.unlock();
  bool any = false;
  for (Waiter* waiter : blocked) {
    std::lock_guard lock(*waiter->mutex);
    any = any || (*waiter->ready)();
  }
  guard.lock();
  Unpin(blocked);
  return any;
}

// True when nothing changed since `seen` and every thread made by
// CreateThread, the calling one aside, waits for something it has not been
// given. Otherwise waits for the next change and returns false.
bool HeadlessHost::Settled(std::unique_lock<std::mutex>& guard, std::uint64_t seen) {
  const int others = running_ - (made_by_create_thread ? 1 : 0);
  if (generation_ == seen && others == 0 && !AnyBlockedWaiterReady(guard) && generation_ == seen) {
    return true;
  }
  changes_.wait(guard, [&] { return generation_ != seen; });
  return false;
}

std::uint64_t HeadlessHost::NextDeadline(std::uint64_t limit) const {
  std::uint64_t next = limit;
  for (const Waiter* waiter : waiters_) {
    if (waiter->blocked) next = std::min(next, waiter->deadline);
  }
  return std::max(next, now_.load());
}

void HeadlessHost::MoveClockTo(std::unique_lock<std::mutex>& guard, std::uint64_t time) {
  if (time > now_) {
    PullAudio(time - now_);
    now_ = time;
  }
  Changed();
  std::vector<Waiter*> due;
  for (Waiter* waiter : waiters_) {
    if (!waiter->blocked || waiter->deadline > now_) continue;
    // Counted as running from now on, so nobody moves the clock again
    // before this thread has answered.
    waiter->blocked = false;
    if (waiter->counted) ++running_;
    ++waiter->pins;
    due.push_back(waiter);
  }
  if (due.empty()) return;
  guard.unlock();
  for (Waiter* waiter : due) {
    // Taking the waiter's lock first means it is inside its wait, or has not
    // yet looked at the clock and will see the new time.
    { std::lock_guard lock(*waiter->mutex); }
    waiter->changed->notify_all();
  }
  guard.lock();
  Unpin(due);
}

void HeadlessHost::Step(std::unique_lock<std::mutex>& guard, std::uint64_t deadline,
                        std::uint64_t since, const char* stuck) {
  const std::uint64_t next = NextDeadline(deadline);
  if (next == kForever) Stuck(stuck, now_);
  if (deadline == kForever && next > since + kIdleLimit) Stuck(stuck, now_);
  MoveClockTo(guard, next);
}

void HeadlessHost::WaitForWork(std::uint64_t deadline) {
  std::unique_lock guard(mutex_);
  in_wait_for_work_ = true;
  std::uint64_t since = now_;
  for (;;) {
    if (woken_ || !input_.empty()) break;
    const std::uint64_t seen = generation_;
    if (!Settled(guard, seen)) continue;
    if (now_ >= deadline) break;
    if (idle_handler_) {
      const std::function<bool()> handler = idle_handler_;  // it may replace itself
      guard.unlock();
      const bool acted = handler();
      guard.lock();
      if (acted) {
        since = now_;
        continue;
      }
      if (generation_ != seen) continue;
    }
    Step(guard, deadline, since, kNoInput);
  }
  woken_ = false;
  in_wait_for_work_ = false;
}

bool HeadlessHost::WaitUntil(std::unique_lock<std::mutex>& lock, std::condition_variable& changed,
                             std::uint64_t deadline, const std::function<bool()>& ready) {
  if (ready()) return true;
  if (IsUserInterfaceThread()) return UserInterfaceWaitUntil(lock, deadline, ready);
  return ThreadWaitUntil(lock, changed, deadline, ready);
}

// The user-interface thread waiting lets time pass, once the other threads
// have settled, up to its deadline.
bool HeadlessHost::UserInterfaceWaitUntil(std::unique_lock<std::mutex>& lock,
                                          std::uint64_t deadline,
                                          const std::function<bool()>& ready) {
  const std::uint64_t since = now_;
  for (;;) {
    if (ready()) return true;
    std::unique_lock guard(mutex_);
    const std::uint64_t seen = generation_;
    // Another thread may need this lock to give what is waited for.
    lock.unlock();
    bool timed_out = false;
    if (Settled(guard, seen)) {
      if (now_ >= deadline) {
        timed_out = true;
      } else {
        Step(guard, deadline, since, kNoOne);
      }
    }
    guard.unlock();
    lock.lock();
    if (timed_out) return ready();
  }
}

bool HeadlessHost::ThreadWaitUntil(std::unique_lock<std::mutex>& lock,
                                   std::condition_variable& changed, std::uint64_t deadline,
                                   const std::function<bool()>& ready) {
  Waiter self{lock.mutex(), &changed, &ready, deadline, made_by_create_thread};
  {
    std::lock_guard guard(mutex_);
    waiters_.push_back(&self);
  }
  for (;;) {
    const bool given = ready();
    if (given || now_ >= deadline) {
      std::unique_lock guard(mutex_);
      if (self.pins == 0) {
        waiters_.erase(std::find(waiters_.begin(), waiters_.end(), &self));
        Changed();
        return given;
      }
      // Someone is about to take this thread's lock to look at it: let it,
      // then look again, as what is waited for may have changed meanwhile.
      lock.unlock();
      unpinned_.wait(guard, [&] { return self.pins == 0; });
      guard.unlock();
      lock.lock();
      continue;
    }
    {
      std::lock_guard guard(mutex_);
      if (now_ >= deadline) continue;
      self.blocked = true;
      if (self.counted) --running_;
      Changed();
    }
    changed.wait(lock);
    {
      std::lock_guard guard(mutex_);
      if (self.blocked) {
        self.blocked = false;
        if (self.counted) ++running_;
        Changed();
      }
    }
  }
}

void HeadlessHost::Reset() {
  ResetPlatformState();
  kernel::SetStartupShowCommand(std::nullopt);
  std::lock_guard guard(mutex_);
  now_ = 0;
  ui_thread_ = std::this_thread::get_id();
  screen_ = kDefaultScreen;
  cursor_ = {0, 0};
  input_.clear();
  woken_ = false;
  idle_handler_ = nullptr;
  beeps_ = {};
  clipboard_.reset();
  audio_source_ = nullptr;
  audio_ = {};
  no_audio_output_.reset();
  windows_.clear();
  present_handler_ = nullptr;
  cursor_shape_ = 0;
  cursor_picture_.reset();
  cursor_changes_ = 0;
  mouse_capture_ = nullptr;
  Changed();
}

void HeadlessHost::SetStartupShowCommand(std::optional<WORD> command) {
  kernel::SetStartupShowCommand(command);
}

void HeadlessHost::SetScreenSize(SIZE size) {
  std::lock_guard guard(mutex_);
  screen_ = size;
}

void HeadlessHost::AdvanceClock(std::uint64_t milliseconds) {
  std::unique_lock guard(mutex_);
  const std::uint64_t target = now_ + milliseconds;
  for (;;) {
    if (!Settled(guard, generation_)) continue;
    if (now_ >= target) return;
    MoveClockTo(guard, NextDeadline(target));
  }
}

void HeadlessHost::Push(const InputEvent& event) {
  input_.push_back(event);
  if (IsMouse(event.kind)) cursor_ = event.position;
  Changed();
}

void HeadlessHost::Inject(const InputEvent& event) {
  std::lock_guard guard(mutex_);
  Push(event);
}

void HeadlessHost::MoveMouse(LONG x, LONG y) {
  Inject({.kind = InputEvent::kMouseMove, .position = {x, y}});
}

void HeadlessHost::Press(int button) {
  std::lock_guard guard(mutex_);
  Push({.kind = InputEvent::kButtonDown, .position = cursor_, .button = button});
}

void HeadlessHost::Release(int button) {
  std::lock_guard guard(mutex_);
  Push({.kind = InputEvent::kButtonUp, .position = cursor_, .button = button});
}

void HeadlessHost::Click(LONG x, LONG y, int button) {
  std::lock_guard guard(mutex_);
  if (cursor_.x != x || cursor_.y != y) {
    Push({.kind = InputEvent::kMouseMove, .position = {x, y}});
  }
  Push({.kind = InputEvent::kButtonDown, .position = cursor_, .button = button});
  Push({.kind = InputEvent::kButtonUp, .position = cursor_, .button = button});
}

void HeadlessHost::Wheel(int delta) {
  std::lock_guard guard(mutex_);
  Push({.kind = InputEvent::kWheel, .position = cursor_, .wheel_delta = delta});
}

void HeadlessHost::KeyDown(UINT virtualKey) {
  Inject({.kind = InputEvent::kKeyDown, .virtual_key = virtualKey});
}

void HeadlessHost::KeyUp(UINT virtualKey) {
  Inject({.kind = InputEvent::kKeyUp, .virtual_key = virtualKey});
}

void HeadlessHost::Type(std::string_view text) {
  std::lock_guard guard(mutex_);
  for (const char c : text) {
    const std::optional<KeyStroke> stroke = KeyFor(c);
    if (!stroke) {
      Push({.kind = InputEvent::kText, .text = c});
      continue;
    }
    if (stroke->shift) Push({.kind = InputEvent::kKeyDown, .virtual_key = kShiftKey});
    Push({.kind = InputEvent::kKeyDown, .virtual_key = stroke->virtual_key});
    Push({.kind = InputEvent::kText, .text = stroke->text});
    Push({.kind = InputEvent::kKeyUp, .virtual_key = stroke->virtual_key});
    if (stroke->shift) Push({.kind = InputEvent::kKeyUp, .virtual_key = kShiftKey});
  }
}

std::size_t HeadlessHost::PendingInput() {
  std::lock_guard guard(mutex_);
  return input_.size();
}

void HeadlessHost::SetIdleHandler(std::function<bool()> handler) {
  std::lock_guard guard(mutex_);
  idle_handler_ = std::move(handler);
}

bool HeadlessHost::WaitsForWork() {
  std::lock_guard guard(mutex_);
  return in_wait_for_work_;
}

}  // namespace host
