// Events: an auto-reset event lets exactly one of several waiters through per
// signal, a manual-reset one lets all through until it is reset.
#include <atomic>

#include <gtest/gtest.h>
#include <platform/headless.h>
#include <platform/kernel.h>

namespace {

class Events : public ::testing::Test {
 protected:
  void SetUp() override { host::Headless().Reset(); }

  // Returns once every other thread waits or has ended.
  static void Settle() { host::Headless().AdvanceClock(0); }
};

struct Gate {
  HANDLE event;
  std::atomic<int> passed{0};

  static DWORD PassOnce(LPVOID self) {
    auto& gate = *static_cast<Gate*>(self);
    if (WaitForSingleObject(gate.event, INFINITE) != WAIT_OBJECT_0) return 1;
    ++gate.passed;
    return 0;
  }
};

constexpr int kWaiters = 3;

TEST_F(Events, AutoResetLetsOneWaiterThroughPerSignal) {
  Gate gate{CreateEventA(nullptr, FALSE, FALSE, nullptr)};
  HANDLE threads[kWaiters];
  for (HANDLE& t : threads) t = CreateThread(nullptr, 0, Gate::PassOnce, &gate, 0, nullptr);
  Settle();
  EXPECT_EQ(gate.passed, 0);
  for (int signal = 1; signal <= kWaiters; ++signal) {
    EXPECT_TRUE(SetEvent(gate.event));
    Settle();
    EXPECT_EQ(gate.passed, signal);
  }
  // Reset again by the last waiter through: a new wait times out.
  EXPECT_EQ(WaitForSingleObject(gate.event, 10), WAIT_TIMEOUT);
  for (HANDLE t : threads) {
    EXPECT_EQ(WaitForSingleObject(t, INFINITE), WAIT_OBJECT_0);
    CloseHandle(t);
  }
  CloseHandle(gate.event);
}

TEST_F(Events, ManualResetLetsEveryWaiterThroughUntilReset) {
  Gate gate{CreateEventA(nullptr, TRUE, FALSE, nullptr)};
  HANDLE threads[kWaiters];
  for (HANDLE& t : threads) t = CreateThread(nullptr, 0, Gate::PassOnce, &gate, 0, nullptr);
  Settle();
  EXPECT_TRUE(SetEvent(gate.event));
  Settle();
  EXPECT_EQ(gate.passed, kWaiters);
  EXPECT_EQ(WaitForSingleObject(gate.event, 0), WAIT_OBJECT_0);  // still set
  EXPECT_TRUE(ResetEvent(gate.event));
  EXPECT_EQ(WaitForSingleObject(gate.event, 0), WAIT_TIMEOUT);
  for (HANDLE t : threads) {
    EXPECT_EQ(WaitForSingleObject(t, INFINITE), WAIT_OBJECT_0);
    CloseHandle(t);
  }
  CloseHandle(gate.event);
}

TEST_F(Events, InitialStateAndKind) {
  const struct {
    BOOL manual, initial;
    DWORD first, second;
  } cases[] = {
      {FALSE, FALSE, WAIT_TIMEOUT, WAIT_TIMEOUT},
      {FALSE, TRUE, WAIT_OBJECT_0, WAIT_TIMEOUT},
      {TRUE, FALSE, WAIT_TIMEOUT, WAIT_TIMEOUT},
      {TRUE, TRUE, WAIT_OBJECT_0, WAIT_OBJECT_0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "manual " << c.manual << " initial " << c.initial);
    HANDLE event = CreateEventA(nullptr, c.manual, c.initial, nullptr);
    ASSERT_NE(event, nullptr);
    EXPECT_EQ(WaitForSingleObject(event, 0), c.first);
    EXPECT_EQ(WaitForSingleObject(event, 0), c.second);
    EXPECT_TRUE(CloseHandle(event));
  }
}

}  // namespace
