// The kernel's clock on the headless host: the tick count and the local time
// follow the virtual clock, and Sleep moves it on the user-interface thread
// while another thread's Sleep waits for it.
#include <gtest/gtest.h>
#include <platform/headless.h>
#include <platform/kernel.h>

namespace {

class Clock : public ::testing::Test {
 protected:
  void SetUp() override { host.Reset(); }
  host::HeadlessHost& host = host::Headless();
};

TEST_F(Clock, TickCountIsTheClockWrappedTo32Bits) {
  EXPECT_EQ(GetTickCount(), 0u);
  host.AdvanceClock(0xFFFF'FFFF);
  EXPECT_EQ(GetTickCount(), 0xFFFF'FFFFu);
  host.AdvanceClock(6);
  EXPECT_EQ(GetTickCount(), 5u);
}

TEST_F(Clock, LocalTimeFollowsTheClock) {
  host.AdvanceClock(15 * 60 * 60 * 1000);  // from 09:00 on Monday to midnight
  SYSTEMTIME now{};
  GetLocalTime(&now);
  EXPECT_EQ(now.wDay, 6);
  EXPECT_EQ(now.wDayOfWeek, 2);
  EXPECT_EQ(now.wHour, 0);
}

TEST_F(Clock, SleepOnTheUserInterfaceThreadMovesTheClock) {
  Sleep(250);
  EXPECT_EQ(GetTickCount(), 250u);
  Sleep(0);
  EXPECT_EQ(GetTickCount(), 250u);
}

DWORD SleepThenTell(LPVOID tick) {
  Sleep(300);
  *static_cast<DWORD*>(tick) = GetTickCount();
  return 0;
}

TEST_F(Clock, SleepOnAnotherThreadWaitsForTheClock) {
  DWORD woke_at = 0;
  HANDLE thread = CreateThread(nullptr, 0, SleepThenTell, &woke_at, 0, nullptr);
  ASSERT_NE(thread, nullptr);
  host.AdvanceClock(299);
  EXPECT_EQ(WaitForSingleObject(thread, 0), WAIT_TIMEOUT);
  host.AdvanceClock(1);
  EXPECT_EQ(WaitForSingleObject(thread, 0), WAIT_OBJECT_0);
  EXPECT_EQ(woke_at, 300u);
  CloseHandle(thread);
}

}  // namespace
