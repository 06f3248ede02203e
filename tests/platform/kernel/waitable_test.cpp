// WaitForSingleObject: time-outs run on the host's clock, handles that cannot
// be waited on fail.
#include <gtest/gtest.h>
#include <platform/headless.h>
#include <platform/kernel.h>

#include "tests/support/temp_dir.h"

namespace {

class Waits : public ::testing::Test {
 protected:
  void SetUp() override { host.Reset(); }
  host::HeadlessHost& host = host::Headless();
};

TEST_F(Waits, TimeOutOnTheUserInterfaceThreadPassesThatMuchVirtualTime) {
  HANDLE event = CreateEventA(nullptr, FALSE, FALSE, nullptr);
  EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_TIMEOUT);
  EXPECT_EQ(GetTickCount(), 0u);
  EXPECT_EQ(WaitForSingleObject(event, 1500), WAIT_TIMEOUT);
  EXPECT_EQ(GetTickCount(), 1500u);
  CloseHandle(event);
}

DWORD SetAfter(LPVOID event) {
  Sleep(40);
  SetEvent(event);
  return 0;
}

TEST_F(Waits, EndsWhenSignalledBeforeTheTimeOut) {
  HANDLE event = CreateEventA(nullptr, FALSE, FALSE, nullptr);
  HANDLE thread = CreateThread(nullptr, 0, SetAfter, event, 0, nullptr);
  EXPECT_EQ(WaitForSingleObject(event, 100), WAIT_OBJECT_0);
  EXPECT_EQ(GetTickCount(), 40u);
  EXPECT_EQ(WaitForSingleObject(thread, INFINITE), WAIT_OBJECT_0);
  CloseHandle(thread);
  CloseHandle(event);
}

TEST_F(Waits, HandlesThatCannotBeWaitedOnFail) {
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
