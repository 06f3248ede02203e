// Starting and stopping the sound, on a host with a virtual clock.
#include <gtest/gtest.h>
#include <platform/codepage.h>
#include <platform/sound.h>

#include "framework/rtl/exceptions.h"
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
  void Sleep(DWORD ms) override {
    if (cursor != stimulus::kHourGlassCursor) log.push_back("slept without the hourglass");
    now_ms += ms;
    slept_ms += ms;
  }
  void PlaySound(const char* name, DWORD flags) override {
    log.push_back(std::string("play ") + (name ? "'" + std::string(name) + "'" : "null") + " " +
                  std::to_string(flags));
  }
};

stimulus::SharedParams Defaults() {
  return {300, 1000, 5};
}

TEST(Playback, PlaysOnceOrLoopedAfterTheHourglass) {
  Host host;
  stimulus::Stimulate(host, Defaults());
  EXPECT_EQ(host.log, (Log{"cursor -11", "cursor 0", "play 'tavrion.wav' 1"}));
  host.log.clear();
  host.loop = true;
  stimulus::Stimulate(host, Defaults());
  EXPECT_EQ(host.log, (Log{"cursor -11", "cursor 0", "play 'tavrion.wav' 9"}));
}

TEST(Playback, AnEmptyNameIsPassedAsAnEmptyText) {
  Host host;
  host.file = "";
  stimulus::Stimulate(host, Defaults());
  EXPECT_EQ(host.log.back(), "play '' 1");
}

TEST(Playback, ZeroValuesAreRefusedInOrderWithoutTouchingTheCursor) {
  const struct {
    stimulus::SharedParams shared;
    const char* message;
  } cases[] = {
      {{0, 0, 0}, "Нулевая частота ?"},
      {{300, 0, 0}, "Нулевая продолжительность импульса ?"},
      {{300, 1000, 0}, "Воспроизвести ноль импульсов ?"},
  };
  for (const auto& c : cases) {
    Host host;
    stimulus::Stimulate(host, c.shared);
    EXPECT_EQ(host.log, (Log{"message " + codepage::Utf8ToCp1251(c.message).value()}));
  }
}

TEST(Playback, NegativeValuesPassTheChecks) {
  Host host;
  stimulus::Stimulate(host, {-5, -1, -2});
  EXPECT_EQ(host.log.back(), "play 'tavrion.wav' 1");
}

TEST(Playback, DelayIsWaitedInWholeSeconds) {
  const struct {
    const char* delay;
    std::int64_t start_ms;
    std::int64_t min_wait, max_wait;
  } cases[] = {
      {"0", 1'000'000'500, 0, 0},
      {"-3", 1'000'000'500, 0, 0},
      {"2", 1'000'000'500, 1500, 1500 + stimulus::kDelayPollMilliseconds},
      {"2", 1'000'000'000, 2000, 2000 + stimulus::kDelayPollMilliseconds},
      {"1", 1'000'000'999, 1, 1 + stimulus::kDelayPollMilliseconds},
      // clock + delay leaves the 32-bit range: the end lies in the past
      {"2147483647", 1'000'000'500, 0, 0},
  };
  for (const auto& c : cases) {
    Host host;
    host.delay = c.delay;
    host.now_ms = c.start_ms;
    stimulus::Stimulate(host, Defaults());
    EXPECT_GE(host.slept_ms, c.min_wait) << c.delay;
    EXPECT_LE(host.slept_ms, c.max_wait) << c.delay;
    EXPECT_EQ(host.log.back(), "play 'tavrion.wav' 1") << c.delay;
    EXPECT_EQ(std::count(host.log.begin(), host.log.end(), "slept without the hourglass"), 0);
  }
}

TEST(Playback, UnreadableDelayRestoresTheCursorAndPlaysNothing) {
  Host host;
  host.cursor = 3;
  host.delay = "abc";
  try {
    stimulus::Stimulate(host, Defaults());
    FAIL() << "no exception";
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "'abc' is not a valid integer value");
  }
  EXPECT_EQ(host.log, (Log{"cursor -11", "cursor 3"}));
}

TEST(Playback, StopPurgesWithNoName) {
  Host host;
  stimulus::StopSound(host);
  stimulus::StopSound(host);
  EXPECT_EQ(host.log, (Log{"play null 64", "play null 64"}));
}

}  // namespace
