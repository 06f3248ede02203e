// Starting and stopping the sound, on a host with a virtual clock.
#include <gtest/gtest.h>
#include <platform/codepage.h>
#include <platform/sound.h>

#include "framework/rtl/exceptions.h"
#include "framework/rtl/sysconst.h"
#include "rtl/resstrings.h"
#include "stimulus/playback.h"

namespace {

using Log = std::vector<std::string>;

class Host : public stimulus::PlaybackHost {
 public:
  std::int16_t cursor = 0;
  std::string delay = "0";
  std::string file = "tavrion.wav";
  bool loop = false;
  std::int64_t now_ms = 1'000'000'500;  // mid-second
  std::int64_t slept_ms = 0;
  int cancel_at_tick = -1;                        // the wait's tick at which the start is cancelled
  std::optional<stimulus::SoundRefusal> refusal;  // what every play answers
  Log log;

  std::int16_t ScreenCursor() override { return cursor; }
  void SetScreenCursor(std::int16_t c) override {
    cursor = c;
    log.push_back("cursor " + std::to_string(c));
  }
  void ShowMessage(std::string_view text) override {
    log.push_back("message " + std::string(text));
  }
  std::string DelayText() override { return delay; }
  std::string FileName() override { return file; }
  bool LoopChecked() override { return loop; }
  std::int32_t ClockSeconds() override { return static_cast<std::int32_t>(now_ms / 1000); }
  bool AwaitClock() override {
    if (cursor != stimulus::kHourGlassCursor) log.push_back("slept without the hourglass");
    if (cancel_at_tick-- == 0) return false;
    const std::int64_t next = (now_ms / 1000 + 1) * 1000;
    slept_ms += next - now_ms;
    now_ms = next;
    return true;
  }
  std::optional<stimulus::SoundRefusal> PlaySound(const char* name, DWORD flags) override {
    log.push_back("play '" + std::string(name) + "' " + std::to_string(flags));
    return refusal;
  }
};

stimulus::SharedParams Shared(std::int32_t frequency = 300, std::int32_t duration = 1000,
                              std::int32_t count = 5, bool write_failed = false) {
  stimulus::SharedParams shared;
  shared.Frequency = frequency, shared.Duration = duration, shared.Count = count;
  shared.WriteFailed = write_failed;
  return shared;
}

TEST(Playback, RefusalsComeInOrderWithoutTouchingTheCursor) {
  const std::string incomplete = LoadResString(SWorkingFileIncomplete);
  const struct {
    stimulus::SharedParams shared;
    std::string message;  // empty: it plays
  } cases[] = {
      {Shared(0, 0, 0, true), codepage::Utf8ToCp1251("Нулевая частота ?").value()},
      {Shared(300, 0, 0), codepage::Utf8ToCp1251("Нулевая продолжительность импульса ?").value()},
      {Shared(300, 1000, 0), codepage::Utf8ToCp1251("Воспроизвести ноль импульсов ?").value()},
      {Shared(300, 1000, 5, true), incomplete},
      {Shared(-5, -1, -2), ""},  // only zeros are looked for
  };
  for (const auto& c : cases) {
    Host host;
    stimulus::Stimulate(host, c.shared);
    EXPECT_EQ(host.log.back(), c.message.empty() ? "play 'tavrion.wav' 1" : "message " + c.message);
    if (!c.message.empty()) {
      EXPECT_EQ(host.log.size(), 1u);
    }
  }
}

// After the hourglass the file plays, once or looped; one that does not
// start is told with its cause, after the cursor is back.
TEST(Playback, PlaysAfterTheHourglassOrTellsWhyNot) {
  using Cause = stimulus::SoundRefusal::Cause;
  const std::string_view output_away = "Нет вывода звука (Audio target 'x' not available)."_cp1251;
  const struct {
    bool loop;
    std::optional<stimulus::SoundRefusal> refusal;
    std::string_view message;  // before "Стимуляция невозможна"; none when it plays
    const char* file = "tavrion.wav";
  } cases[] = {
      {false, {}, {}},
      {true, {}, {}},
      {false, {}, {}, ""},
      {false, {{Cause::kFileMissing, {}}}, "Рабочий файл «tavrion.wav» не найден."_cp1251},
      {true,
       {{Cause::kFileUnplayable, {}}},
       "Рабочий файл «tavrion.wav» не читается как звук WAV."_cp1251},
      {false, {{Cause::kNoOutput, "Audio target 'x' not available"}}, output_away},
      {true, {{Cause::kNoOutput, "Audio target 'x' not available"}}, output_away},
      {false, {{Cause::kNoOutput, {}}}, "Нет вывода звука (причина неизвестна)."_cp1251},
  };
  for (const auto& c : cases) {
    Host host;
    host.loop = c.loop, host.file = c.file, host.refusal = c.refusal;
    stimulus::Stimulate(host, Shared());
    Log expected = {"cursor -11", "cursor 0",
                    "play '" + std::string(c.file) + (c.loop ? "' 9" : "' 1")};
    if (!c.message.empty()) {
      expected.push_back("message " +
                         std::string(c.message).append("\nСтимуляция невозможна"_cp1251));
    }
    EXPECT_EQ(host.log, expected);
  }
}

// The hourglass is up all the wait (AwaitClock logs it otherwise).
TEST(Playback, DelayIsWaitedInWholeSecondsOrCancelled) {
  const struct {
    const char* delay;
    std::int64_t start_ms, waited_ms;
    int cancel_at_tick = -1;
  } cases[] = {
      {"-3", 1'000'000'500, 0},
      {"2", 1'000'000'500, 1500},
      {"2", 1'000'000'000, 2000},
      // clock + delay leaves the 32-bit range: the end lies in the past
      {"2147483647", 1'000'000'500, 0},
      {"5", 1'000'000'500, 1500, 2},
  };
  for (const auto& c : cases) {
    Host host;
    host.delay = c.delay, host.now_ms = c.start_ms, host.cancel_at_tick = c.cancel_at_tick;
    stimulus::Stimulate(host, Shared());
    EXPECT_EQ(host.slept_ms, c.waited_ms) << c.delay;
    Log expected = {"cursor -11", "cursor 0"};
    if (c.cancel_at_tick < 0) expected.push_back("play 'tavrion.wav' 1");
    EXPECT_EQ(host.log, expected) << c.delay;
  }
}

TEST(Playback, UnreadableDelayRestoresTheCursorAndPlaysNothing) {
  Host host;
  host.cursor = 3;
  host.delay = "abc";
  try {
    stimulus::Stimulate(host, Shared());
    FAIL() << "no exception";
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "'abc' is not a valid integer value");
  }
  EXPECT_EQ(host.log, (Log{"cursor -11", "cursor 3"}));
}

}  // namespace
