// Critical sections: the owner may enter again and releases after as many
// leaves; another thread waits until then, and waiting for one lets virtual
// time pass on the user-interface thread.
#include <atomic>

#include <gtest/gtest.h>
#include <platform/headless.h>
#include <platform/kernel.h>

namespace {

class CriticalSection : public ::testing::Test {
 public:
  void SetUp() override {
    host::Headless().Reset();
    InitializeCriticalSection(&section);
  }
  void TearDown() override { DeleteCriticalSection(&section); }

  static void Settle() { host::Headless().AdvanceClock(0); }

  CRITICAL_SECTION section;
  std::atomic<bool> inside{false};
};

TEST_F(CriticalSection, OwnerReentersAndOthersWaitForTheLastLeave) {
  struct Other {
    static DWORD Run(LPVOID self) {
      auto& test = *static_cast<CriticalSection*>(self);
      EnterCriticalSection(&test.section);
      test.inside = true;
      LeaveCriticalSection(&test.section);
      return 0;
    }
  };
  EnterCriticalSection(&section);
  EnterCriticalSection(&section);
  HANDLE thread = CreateThread(nullptr, 0, Other::Run, this, 0, nullptr);
  Settle();
  EXPECT_FALSE(inside);
  LeaveCriticalSection(&section);
  Settle();
  EXPECT_FALSE(inside);
  LeaveCriticalSection(&section);
  EXPECT_EQ(WaitForSingleObject(thread, INFINITE), WAIT_OBJECT_0);
  EXPECT_TRUE(inside);
  CloseHandle(thread);
}

TEST_F(CriticalSection, UserInterfaceThreadWaitingForItLetsTimePass) {
  struct Holder {
    static DWORD Run(LPVOID self) {
      auto& test = *static_cast<CriticalSection*>(self);
      EnterCriticalSection(&test.section);
      test.inside = true;
      Sleep(50);
      test.inside = false;
      LeaveCriticalSection(&test.section);
      return 0;
    }
  };
  HANDLE thread = CreateThread(nullptr, 0, Holder::Run, this, 0, nullptr);
  Settle();
  EXPECT_TRUE(inside);
  EnterCriticalSection(&section);
  EXPECT_FALSE(inside);
  EXPECT_EQ(GetTickCount(), 50u);
  LeaveCriticalSection(&section);
  EXPECT_EQ(WaitForSingleObject(thread, INFINITE), WAIT_OBJECT_0);
  CloseHandle(thread);
}

}  // namespace
