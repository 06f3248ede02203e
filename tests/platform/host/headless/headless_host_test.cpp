// The headless host: the virtual clock moves only when a test or a wait of
// the user-interface thread moves it, stepping through other threads' timed
// waits, and its calendar with it; the idle handler acts whenever the
// user-interface thread waits; a wait that nothing can end aborts; input
// arrives as a person gives it, typed characters with the keys of their
// layout.
#include <platform/headless.h>

#include <cstdio>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>
#include <platform/kernel.h>

#include "platform/host/headless/calendar.h"
#include "platform/host/headless/typing.h"

namespace {

using host::InputEvent;

class HeadlessHost : public ::testing::Test {
 protected:
  void SetUp() override { host.Reset(); }

  // Every piece of input gathered so far, in order, one line per event so
  // that a wrong sequence shows side by side.
  std::vector<std::string> Taken() {
    std::vector<std::string> lines;
    char line[64];
    for (InputEvent e{}; host.NextInput(e);) {
      const int x = e.position.x, y = e.position.y;
      const bool down = e.kind == InputEvent::kButtonDown || e.kind == InputEvent::kKeyDown;
      if (e.kind == InputEvent::kMouseMove) {
        std::snprintf(line, sizeof line, "move %d,%d", x, y);
      } else if (e.kind == InputEvent::kButtonDown || e.kind == InputEvent::kButtonUp) {
        std::snprintf(line, sizeof line, "%s %d %d,%d", down ? "down" : "up", e.button, x, y);
      } else if (e.kind == InputEvent::kWheel) {
        std::snprintf(line, sizeof line, "wheel %d %d,%d", e.wheel_delta, x, y);
      } else if (e.kind == InputEvent::kKeyDown || e.kind == InputEvent::kKeyUp) {
        std::snprintf(line, sizeof line, "key%c %x", down ? '+' : '-', e.virtual_key);
      } else if (e.kind == InputEvent::kText) {
        std::snprintf(line, sizeof line, "text %x", static_cast<unsigned char>(e.text));
      } else {
        std::snprintf(line, sizeof line, "window event %d", static_cast<int>(e.kind));
      }
      lines.push_back(line);
    }
    return lines;
  }

  host::HeadlessHost& host = host::Headless();
};

HANDLE Start(LPTHREAD_START_ROUTINE routine, void* parameter) {
  HANDLE thread = CreateThread(nullptr, 0, routine, parameter, 0, nullptr);
  EXPECT_NE(thread, nullptr);
  return thread;
}

void Join(HANDLE thread) {
  EXPECT_EQ(WaitForSingleObject(thread, INFINITE), WAIT_OBJECT_0);
  CloseHandle(thread);
}

TEST_F(HeadlessHost, ClockMovesOnlyWhenMoved) {
  EXPECT_EQ(host.Now(), 0u);
  host.Wake();
  host.WaitForWork(5000);  // woken: returns at once
  EXPECT_EQ(host.Now(), 0u);
  host.MoveMouse(1, 1);
  host.WaitForWork(host::kForever);  // input waiting: returns at once
  EXPECT_EQ(host.Now(), 0u);
  Taken();
  host.AdvanceClock(40);
  EXPECT_EQ(host.Now(), 40u);
  host.WaitForWork(100);  // nothing to do: the clock jumps to the deadline
  EXPECT_EQ(host.Now(), 100u);
  host.WaitForWork(50);  // a deadline already passed
  EXPECT_EQ(host.Now(), 100u);
}

// A Monday morning start, across days, months and a year.
TEST(Calendar, FollowsTheClockFromItsStart) {
  constexpr std::uint64_t kHour = 60 * 60 * 1000;
  constexpr std::uint64_t kDay = 24 * kHour;
  const std::pair<std::uint64_t, const char*> cases[] = {
      {0, "2026-01-05 (1) 09:00:00.000"},          {1, "2026-01-05 (1) 09:00:00.001"},
      {61'001, "2026-01-05 (1) 09:01:01.001"},     {15 * kHour - 1, "2026-01-05 (1) 23:59:59.999"},
      {15 * kHour, "2026-01-06 (2) 00:00:00.000"}, {27 * kDay, "2026-02-01 (0) 09:00:00.000"},
      {55 * kDay, "2026-03-01 (0) 09:00:00.000"},  // 2026 is no leap year
      {361 * kDay, "2027-01-01 (5) 09:00:00.000"},
  };
  for (const auto& [ms, expected] : cases) {
    const SYSTEMTIME t = host::CalendarTime(ms);
    char text[64];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d (%d) %02d:%02d:%02d.%03d", t.wYear, t.wMonth,
                  t.wDay, t.wDayOfWeek, t.wHour, t.wMinute, t.wSecond, t.wMilliseconds);
    EXPECT_EQ(std::string(text), expected) << ms;
  }
}

TEST_F(HeadlessHost, IdleHandlerActsBeforeTimePasses) {
  int calls = 0;
  host.SetIdleHandler([&] {
    ++calls;
    if (calls > 1) return false;
    EXPECT_TRUE(host.WaitsForWork());
    host.KeyDown('A');
    return true;
  });
  host.WaitForWork(host::kForever);
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(host.Now(), 0u);
  EXPECT_EQ(Taken().size(), 1u);
  EXPECT_FALSE(host.WaitsForWork());

  host.WaitForWork(300);  // the handler has nothing more: time passes
  EXPECT_EQ(calls, 2);
  EXPECT_EQ(host.Now(), 300u);

  host.SetIdleHandler([&] {  // one that moves the clock itself, past the deadline
    if (host.Now() >= 330) return false;
    host.AdvanceClock(10);
    return true;
  });
  host.WaitForWork(325);
  EXPECT_EQ(host.Now(), 330u);
}

// A thread that waits on virtual time, as the hint's mouse watcher does:
// every 100 ms until told to stop, noting the clock at each time-out.
struct Poller {
  HANDLE stop = CreateEventA(nullptr, FALSE, FALSE, nullptr);
  std::vector<DWORD> ticks;

  static DWORD Run(LPVOID self) {
    auto& poller = *static_cast<Poller*>(self);
    while (WaitForSingleObject(poller.stop, 100) == WAIT_TIMEOUT) {
      poller.ticks.push_back(GetTickCount());
    }
    return 0;
  }
};

using HeadlessHostDeathTest = HeadlessHost;

TEST_F(HeadlessHostDeathTest, WaitingForeverWithNothingToComeAborts) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_DEATH(host.WaitForWork(host::kForever),
               "the user-interface thread waits for input and no test gives any");
  host.SetIdleHandler([] { return false; });
  EXPECT_DEATH(host.WaitForWork(host::kForever), "no test gives any");
  EXPECT_DEATH(Sleep(INFINITE), "no other thread will give");
  // Another thread's timer alone keeps the clock going only so far.
  EXPECT_DEATH(
      {
        Poller poller;
        CreateThread(nullptr, 0, Poller::Run, &poller, 0, nullptr);
        host.WaitForWork(host::kForever);
      },
      "no test gives any");
}

TEST_F(HeadlessHost, WaitsOfTheUserInterfaceThreadStepThroughOtherThreadsDeadlines) {
  Poller poller;
  HANDLE thread = Start(Poller::Run, &poller);
  host.WaitForWork(250);
  EXPECT_EQ(poller.ticks, (std::vector<DWORD>{100, 200}));
  Sleep(150);  // to 400
  host.AdvanceClock(100);
  EXPECT_EQ(poller.ticks, (std::vector<DWORD>{100, 200, 300, 400, 500}));
  SetEvent(poller.stop);
  Join(thread);
  CloseHandle(poller.stop);
}

// Another thread wakes a wait for work at once, or after its own timed wait,
// which the clock runs on.
TEST_F(HeadlessHost, AnotherThreadWakesTheWaitForWork) {
  for (const DWORD sleep : {0, 700}) {
    SCOPED_TRACE(sleep);
    host.Reset();
    HANDLE thread = Start(
        [](LPVOID sleep) -> DWORD {
          if (sleep != nullptr) Sleep(static_cast<DWORD>(reinterpret_cast<std::uintptr_t>(sleep)));
          while (!host::Headless().WaitsForWork()) std::this_thread::yield();
          host::Headless().Wake();
          return 0;
        },
        reinterpret_cast<void*>(static_cast<std::uintptr_t>(sleep)));
    host.WaitForWork(host::kForever);
    EXPECT_EQ(host.Now(), sleep);
    Join(thread);
  }
}

TEST_F(HeadlessHost, ConveniencesGiveTheInputOfAPerson) {
  host.Click(10, 20);
  host.Click(10, 20, host::kRightButton);  // already there: no move
  host.Wheel(-120);
  host.Type("a\xDF\xB9");  // a, Я (Shift+Z), № (no key: text alone)
  EXPECT_EQ(Taken(), (std::vector<std::string>{
                         "move 10,20", "down 0 10,20", "up 0 10,20", "down 1 10,20", "up 1 10,20",
                         "wheel -120 10,20", "key+ 41", "text 61", "key- 41", "key+ 10", "key+ 5a",
                         "text df", "key- 5a", "key- 10", "text b9"}));
}

TEST(Typing, CharactersHaveTheKeysOfTheirLayout) {
  const struct {
    char c;
    UINT key;
    bool shift;
    char text;
  } cases[] = {
      {'a', 'A', false, 'a'},        {'Z', 'Z', true, 'Z'},       {')', '0', true, ')'},
      {'.', 0xBE, false, '.'},       {'\xC9', 'Q', true, '\xC9'},  // Й
      {'\xE1', 0xBC, false, '\xE1'},                               // б on the comma key
      {'\xA8', 0xC0, true, '\xA8'},                                // Ё
      {'\n', 0x0D, false, '\r'},     {'\b', 0x08, false, '\b'},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(static_cast<unsigned char>(c.c)));
    const auto stroke = host::KeyFor(c.c);
    ASSERT_TRUE(stroke.has_value());
    EXPECT_EQ(stroke->virtual_key, c.key);
    EXPECT_EQ(stroke->shift, c.shift);
    EXPECT_EQ(stroke->text, c.text);
  }
  EXPECT_FALSE(host::KeyFor('\xB9').has_value());  // №
}

TEST(Typing, EveryRussianLetterHasAKeyOfItsOwn) {
  std::set<UINT> keys;
  for (int c = 0xE0; c <= 0xFF; ++c) {
    const auto lower = host::KeyFor(static_cast<char>(c));
    const auto upper = host::KeyFor(static_cast<char>(c - 0x20));
    ASSERT_TRUE(lower && upper);
    EXPECT_EQ(lower->virtual_key, upper->virtual_key);
    EXPECT_TRUE(upper->shift);
    keys.insert(lower->virtual_key);
  }
  keys.insert(host::KeyFor('\xB8')->virtual_key);  // ё
  EXPECT_EQ(keys.size(), 33u);
}

TEST_F(HeadlessHost, MouseInputMovesTheCursorWhenInjected) {
  host.Inject({.kind = InputEvent::kButtonDown, .position = {5, 6}});
  host.MoveMouse(7, 8);
  EXPECT_EQ(host.CursorPos().x, 7);  // ahead of the input not yet taken
  host.SetCursorPos({30, 40});       // moves without input
  EXPECT_EQ(host.PendingInput(), 2u);
  host.Press();
  EXPECT_EQ(Taken().back(), "down 0 30,40");
}

TEST_F(HeadlessHost, ResetRestoresTheStart) {
  host.SetScreenSize({640, 480});
  host.AdvanceClock(1234);
  host.MoveMouse(3, 4);
  host.Wake();
  bool called = false;
  host.SetIdleHandler([&] {
    called = true;
    return false;
  });
  host.Reset();
  EXPECT_EQ(host.Now(), 0u);
  EXPECT_EQ(host.ScreenSize().cx, 1024);
  EXPECT_EQ(host.ScreenSize().cy, 768);
  EXPECT_EQ(host.CursorPos().x, 0);
  EXPECT_EQ(host.PendingInput(), 0u);
  host.WaitForWork(10);  // not woken any more: waits, without the old handler
  EXPECT_EQ(host.Now(), 10u);
  EXPECT_FALSE(called);
}

}  // namespace
