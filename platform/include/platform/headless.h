// The headless host: the host of tests and benchmarks, and the one in use
// unless another is installed. It has a virtual screen, a virtual clock that
// moves only when a test or a wait of the user-interface thread moves it, and
// input that tests inject as a person would give it. See docs/headless.md.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "../../host/host.h"

namespace host {

inline constexpr int kLeftButton = 0;
inline constexpr int kRightButton = 1;
inline constexpr int kMiddleButton = 2;

// The beeps asked for since the last Reset.
struct BeepLog {
  int count = 0;
  UINT last_type = 0;
};

// One pull of the sound's frames: the virtual time it started at and how many
// frames the source gave.
struct AudioPull {
  std::uint64_t time = 0;
  std::size_t frames = 0;
};

// What the sound since the last StartAudio (or Reset) gave the host.
struct AudioRecording {
  AudioFormat format;
  std::vector<std::uint8_t> bytes;  // the frames, back to back
  std::vector<AudioPull> pulls;

  std::size_t Frames() const {
    return format.FrameBytes() == 0 ? 0 : bytes.size() / format.FrameBytes();
  }
};

// What the host was told of one top-level window.
struct HostWindowLog {
  WindowState state;  // as last told
  bool open = true;   // false once the platform closed it
  int updates = 0;    // changes told after opening
  int presents = 0;
  std::vector<RECT> last_damage;  // the last present's rectangles
};

class HeadlessHost final : public Host {
 public:
  static constexpr SIZE kDefaultScreen{1024, 768};
  // How far the clock may run on other threads' timed waits alone while the
  // user-interface thread waits with no deadline of its own, before the host
  // decides that nothing will ever give it work.
  static constexpr std::uint64_t kIdleLimit = 10 * 60 * 1000;

  HeadlessHost();

  std::uint64_t Now() override;
  SYSTEMTIME LocalTime() override;
  SIZE ScreenSize() override;
  void WaitForWork(std::uint64_t deadline) override;
  void Wake() override;
  bool IsUserInterfaceThread() const override;
  bool NextInput(InputEvent& event) override;
  bool WaitUntil(std::unique_lock<std::mutex>& lock, std::condition_variable& changed,
                 std::uint64_t deadline, const std::function<bool()>& ready) override;
  POINT CursorPos() override;
  void SetCursorPos(POINT position) override;
  void ThreadCreated() override;
  void ThreadStarted() override;
  void ThreadEnded() override;
  void Beep(UINT type) override;
  void SetClipboardText(const std::string& utf8) override;
  std::optional<std::string> ClipboardText() override;
  void ClearClipboard() override;
  bool StartAudio(const AudioFormat& format, AudioSource* source, std::string& reason) override;
  void StopAudio() override;
  std::unique_ptr<HostWindow> OpenWindow(HWND handle, const WindowState& state) override;
  void SetCursorShape(WORD system_cursor) override;
  void SetCursorPicture(const CursorPicture& picture) override;
  void SetMouseCapture(HWND top_level) override;

  // The test API. Any thread may call it.

  // Clock and calendar back to their start, input and idle handler gone, the
  // cursor at (0, 0), the default screen; the calling thread becomes the
  // user-interface thread. Threads still alive are left as they are.
  void Reset();
  void SetScreenSize(SIZE size);
  // The show command GetStartupInfoA reports, as if the process had been
  // started with it; none after Reset.
  void SetStartupShowCommand(std::optional<WORD> command);
  // Lets `milliseconds` of virtual time pass. Timed waits of other threads
  // that fall due on the way end in order, and each has been answered (its
  // thread waits again or has ended) before the clock moves on and before
  // this returns.
  void AdvanceClock(std::uint64_t milliseconds);

  // Input. Mouse events move the cursor to their position when injected.
  void Inject(const InputEvent& event);
  void MoveMouse(LONG x, LONG y);
  void Press(int button = kLeftButton);
  void Release(int button = kLeftButton);
  // Moves there (when the cursor is elsewhere), presses and releases.
  void Click(LONG x, LONG y, int button = kLeftButton);
  void Wheel(int delta);
  void KeyDown(UINT virtualKey);
  void KeyUp(UINT virtualKey);
  // Types code page 1251 text: for each character its key goes down (with
  // Shift when the character needs it), the character arrives as text, and
  // the key goes up. See typing.h for the keys.
  void Type(std::string_view text);
  std::size_t PendingInput();

  // Called on the user-interface thread inside WaitForWork when it would
  // otherwise wait; returns whether it did something (injected input, posted
  // a message, changed state). An empty function removes it.
  void SetIdleHandler(std::function<bool()> handler);
  // Whether the user-interface thread is inside WaitForWork now.
  bool WaitsForWork();

  BeepLog Beeps();

  // The clipboard the host keeps in memory (UTF-8), as a program sees it:
  // empty after Reset.
  void SetClipboard(std::string_view utf8);
  std::optional<std::string> Clipboard();

  // The frames pulled from the sound as virtual time passed.
  AudioRecording Audio();
  // With a reason, the host has no sound output, as a machine without a sound
  // device: StartAudio stops what plays, clears the recording and fails with
  // that reason. Without one (and after Reset) sound plays again.
  void SetNoAudioOutput(std::optional<std::string> reason);

  // The top-level windows the platform opened since the last Reset.
  std::optional<HostWindowLog> WindowLog(HWND window);
  // Called on the user-interface thread with each present: the window, the
  // picture shown and the rectangles shown of it. It must not draw (the
  // platform holds its surfaces' lock). An empty function removes it; Reset
  // does too.
  using PresentHandler =
      std::function<void(HWND, const gdi::Surface& picture, const std::vector<RECT>& damaged)>;
  void SetPresentHandler(PresentHandler handler);
  // The cursor shape and the capture as last set (0 and null after Reset);
  // the shape is 0 while a picture is shown.
  WORD CursorShape();
  // The program's own cursor shown now, if one is.
  std::optional<CursorPicture> ShownCursorPicture();
  // How often the shown cursor changed since the last Reset.
  int CursorChanges();
  HWND MouseCapture();

 private:
  struct Waiter;

  bool ThreadWaitUntil(std::unique_lock<std::mutex>& lock, std::condition_variable& changed,
                       std::uint64_t deadline, const std::function<bool()>& ready);
  bool UserInterfaceWaitUntil(std::unique_lock<std::mutex>& lock, std::uint64_t deadline,
                              const std::function<bool()>& ready);
  void Changed();
  bool Settled(std::unique_lock<std::mutex>& guard, std::uint64_t seen);
  bool AnyBlockedWaiterReady(std::unique_lock<std::mutex>& guard);
  std::uint64_t NextDeadline(std::uint64_t limit) const;
  void MoveClockTo(std::unique_lock<std::mutex>& guard, std::uint64_t time);
  void Step(std::unique_lock<std::mutex>& guard, std::uint64_t deadline, std::uint64_t since,
            const char* stuck);
  void Unpin(const std::vector<Waiter*>& pinned);
  void Push(const InputEvent& event);
  void PullAudio(std::uint64_t milliseconds);

  class Window;

  std::mutex mutex_;
  // Notified whenever `generation_` grows: anything that may let the
  // user-interface thread or a clock mover go on.
  std::condition_variable changes_;
  // Notified when a waiter's pin count drops.
  std::condition_variable unpinned_;
  std::uint64_t generation_ = 0;
  std::atomic<std::uint64_t> now_{0};
  std::atomic<std::thread::id> ui_thread_;
  SIZE screen_ = kDefaultScreen;
  POINT cursor_{0, 0};
  std::deque<InputEvent> input_;
  bool woken_ = false;
  bool in_wait_for_work_ = false;
  std::function<bool()> idle_handler_;
  BeepLog beeps_;
  std::optional<std::string> clipboard_;
  AudioSource* audio_source_ = nullptr;
  // Frames times 1000 owed to the sound but not pulled yet, so that whole
  // seconds pull exactly the rate's number of frames.
  std::uint64_t audio_owed_ = 0;
  AudioRecording audio_;
  std::optional<std::string> no_audio_output_;
  std::map<HWND, HostWindowLog> windows_;
  PresentHandler present_handler_;
  std::atomic<WORD> cursor_shape_{0};
  std::optional<CursorPicture> cursor_picture_;
  std::atomic<int> cursor_changes_{0};
  std::atomic<HWND> mouse_capture_{nullptr};
  // Threads made by CreateThread that are not waiting in WaitUntil.
  int running_ = 0;
  std::vector<Waiter*> waiters_;
};

// The process's headless host, whether it is the one installed or not.
HeadlessHost& Headless();

}  // namespace host
