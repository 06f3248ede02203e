// The kernel's clock on the headless host: the tick count and the local time
// follow the virtual clock; on the user-interface thread Sleep and a wait's
// time-out move it, and a wait ends when another thread, asleep on that
// clock, signals; handles that cannot be waited on fail.
#include <gtest/gtest.h>
#include <platform/headless.h>
#include <platform/kernel.h>

#include "tests/support/temp_dir.h"

namespace {

class Clock : public ::testing::Test {
 protected:
  void SetUp() override { host::Headless().Reset(); }
};

TEST_F(Clock, TickCountIsTheClockWrappedTo32BitsAndLocalTimeFollowsIt) {
  EXPECT_EQ(GetTickCount(), 0u);
  host::Headless().AdvanceClock(15 * 60 * 60 * 1000);  // from 09:00 on Monday to midnight
  SYSTEMTIME now{};
  GetLocalTime(&now);
  EXPECT_EQ(now.wDay, 6);
  host::Headless().AdvanceClock(0xFFFF'FFFF - 15 * 60 * 60 * 1000);
  EXPECT_EQ(GetTickCount(), 0xFFFF'FFFFu);
  host::Headless().AdvanceClock(6);
  EXPECT_EQ(GetTickCount(), 5u);
}

TEST_F(Clock, SleepAndTimeOutsOnTheUserInterfaceThreadLetThatMuchTimePass) {
  HANDLE event = CreateEventA(nullptr, FALSE, FALSE, nullptr);
  Sleep(250);
  EXPECT_EQ(GetTickCount(), 250u);
  Sleep(0);
  EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_TIMEOUT);
  EXPECT_EQ(GetTickCount(), 250u);
  EXPECT_EQ(WaitForSingleObject(event, 1500), WAIT_TIMEOUT);
  EXPECT_EQ(GetTickCount(), 1750u);
  CloseHandle(event);
}

DWORD SetAfter(LPVOID event) {
  Sleep(40);
  SetEvent(event);
  return 0;
}

TEST_F(Clock, AWaitEndsWhenAnotherThreadSignalsAfterItsSleep) {
  HANDLE event = CreateEventA(nullptr, FALSE, FALSE, nullptr);
  HANDLE thread = CreateThread(nullptr, 0, SetAfter, event, 0, nullptr);
  EXPECT_EQ(WaitForSingleObject(event, 100), WAIT_OBJECT_0);
  EXPECT_EQ(GetTickCount(), 40u);
  EXPECT_EQ(WaitForSingleObject(thread, INFINITE), WAIT_OBJECT_0);
  CloseHandle(thread);
  CloseHandle(event);
}

TEST_F(Clock, HandlesThatCannotBeWaitedOnFail) {
  TempDir dir;
  HANDLE file = CreateFileA(dir.File("f").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  int unknown = 0;
  for (HANDLE h : {file, static_cast<HANDLE>(&unknown), static_cast<HANDLE>(nullptr)}) {
    SetLastError(0);
    EXPECT_EQ(WaitForSingleObject(h, 0), WAIT_FAILED);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
  }
  CloseHandle(file);
}

}  // namespace
