// The one seam between the platform and the outside world. Everything above
// it is the same code whichever host runs: the headless host (tests,
// benchmarks; the default) or the SDL host (real windows, later).
#pragma once

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <string>

#include <platform/types.h>

namespace host {

inline constexpr std::uint64_t kForever = UINT64_MAX;

// The layout of the PCM frames a sound hands the host: interleaved samples,
// 8-bit unsigned or 16-bit signed in the machine's byte order.
struct AudioFormat {
  int sample_rate = 0;  // frames per second
  int channels = 0;
  int bits_per_sample = 0;  // 8 or 16

  std::size_t FrameBytes() const {
    return static_cast<std::size_t>(channels) * static_cast<std::size_t>(bits_per_sample / 8);
  }
  bool operator==(const AudioFormat&) const = default;
};

// What a playing sound gives the host. Fill is called on the host's audio
// side (a real host's device callback), so it must never block or allocate.
class AudioSource {
 public:
  virtual ~AudioSource() = default;
  // Writes up to `frames` frames to `out` and returns how many it wrote:
  // fewer only once the sound has ended.
  virtual std::size_t Fill(void* out, std::size_t frames) = 0;
};

// One piece of input as a person gives it. Positions are screen coordinates.
struct InputEvent {
  enum Kind { kMouseMove, kButtonDown, kButtonUp, kWheel, kKeyDown, kKeyUp, kText };
  Kind kind;
  POINT position{};
  int button = 0;        // 0 left, 1 right, 2 middle
  int wheel_delta = 0;   // multiples of 120
  UINT virtual_key = 0;  // VK_ code for keys
  char text = 0;         // code page 1251 character for kText
};

class Host {
 public:
  virtual ~Host() = default;

  // Milliseconds on the host's clock since the host started.
  virtual std::uint64_t Now() = 0;
  // The local calendar time now.
  virtual SYSTEMTIME LocalTime() = 0;
  virtual SIZE ScreenSize() = 0;

  // The user-interface thread has nothing to do until `deadline` (kForever:
  // no deadline). Returns when input may have arrived, Wake was called, or the
  // deadline passed.
  virtual void WaitForWork(std::uint64_t deadline) = 0;
  // Whether the calling thread is the user-interface thread, the one that
  // waits with WaitForWork and takes the input.
  virtual bool IsUserInterfaceThread() const = 0;
  // Any thread: makes a WaitForWork in progress return.
  virtual void Wake() = 0;
  // The next piece of input gathered, if any.
  virtual bool NextInput(InputEvent& event) = 0;

  // Blocks the calling thread until `ready` holds (checked under `lock`, and
  // again whenever `changed` is notified) or the clock reaches `deadline`.
  // Returns whether `ready` held. Every timed wait of the platform goes here,
  // so the headless host can run it on its virtual clock. Whoever changes what
  // `ready` reads notifies `changed`; `ready` only reads, because the headless
  // host may also call it from another thread while holding `lock`'s mutex.
  virtual bool WaitUntil(std::unique_lock<std::mutex>& lock, std::condition_variable& changed,
                         std::uint64_t deadline, const std::function<bool()>& ready) = 0;

  // The mouse cursor's position in screen coordinates. Any thread.
  virtual POINT CursorPos() = 0;
  virtual void SetCursorPos(POINT position) = 0;

  // The life of a thread made by CreateThread: the creator announces it before
  // it starts, then the thread itself says that it runs and that it has ended.
  // The headless host lets virtual time pass only while every such thread
  // waits in WaitUntil, so tests with a second thread stay deterministic.
  virtual void ThreadCreated() {}
  virtual void ThreadStarted() {}
  virtual void ThreadEnded() {}

  // MessageBeep: the sound of a MessageBeep type (MB_ICONHAND ...), if the
  // host has any.
  virtual void Beep(UINT /* type */) {}

  // Sound: from StartAudio on, the host pulls `source`'s frames as its output
  // plays them, until StopAudio or the next StartAudio, which replaces the
  // source. Once either returns the host no longer calls the old source, so
  // its owner may free it. A host without sound plays nothing.
  virtual void StartAudio(const AudioFormat& /* format */, AudioSource* /* source */) {}
  virtual void StopAudio() {}

  // The clipboard's text, UTF-8 at this seam. A host without a clipboard of
  // its own keeps nothing and has none to give.
  virtual void SetClipboardText(const std::string& /* utf8 */) {}
  virtual std::optional<std::string> ClipboardText() { return std::nullopt; }
  virtual void ClearClipboard() {}
};

// The host in use: the headless one unless another was installed.
Host& Current();
void Install(Host* host);

// The platform's own state above the host (focus, input, queues, timers ...)
// registers how it is put back to the start; the headless host's Reset does
// it, so that tests cannot leak into each other.
using StateReset = void (*)();
bool SetStateReset(StateReset reset);
void ResetPlatformState();

}  // namespace host
