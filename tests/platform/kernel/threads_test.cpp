// Threads, events and critical sections on the headless host: a thread's
// handle is signalled when it ends and keeps its exit code, closing it leaves
// the thread running; an auto-reset event lets one waiter through per signal;
// a critical section's owner may enter again, others wait for its last leave,
// and the user-interface thread waiting for one lets virtual time pass.
#include <atomic>

#include <gtest/gtest.h>
#include <platform/headless.h>
#include <platform/kernel.h>

namespace {

class Threads : public ::testing::Test {
 protected:
  void SetUp() override { host::Headless().Reset(); }
  // Returns once every other thread waits or has ended.
  static void Settle() { host::Headless().AdvanceClock(0); }
};

struct Job {
  HANDLE go = CreateEventA(nullptr, FALSE, FALSE, nullptr);
  DWORD seen_id = 0;

  static DWORD Run(LPVOID self) {
    auto& job = *static_cast<Job*>(self);
    job.seen_id = GetCurrentThreadId();
    WaitForSingleObject(job.go, INFINITE);
    return 42;
  }
  ~Job() { CloseHandle(go); }
};

TEST_F(Threads, HandleIsSignalledWhenTheThreadEnds) {
  Job job;
  DWORD id = 0;
  HANDLE thread = CreateThread(nullptr, 1000, Job::Run, &job, 0, &id);
  ASSERT_NE(thread, nullptr);
  DWORD code = 0;
  EXPECT_TRUE(GetExitCodeThread(thread, &code));
  EXPECT_EQ(code, STILL_ACTIVE);
  EXPECT_EQ(WaitForSingleObject(thread, 50), WAIT_TIMEOUT);
  SetEvent(job.go);
  EXPECT_EQ(WaitForSingleObject(thread, INFINITE), WAIT_OBJECT_0);
  EXPECT_EQ(WaitForSingleObject(thread, 0), WAIT_OBJECT_0);  // stays signalled
  EXPECT_TRUE(GetExitCodeThread(thread, &code));
  EXPECT_EQ(code, 42u);
  EXPECT_EQ(job.seen_id, id);
  EXPECT_NE(id, 0u);
  EXPECT_NE(id, GetCurrentThreadId());
  EXPECT_TRUE(CloseHandle(thread));
}

TEST_F(Threads, ClosingTheHandleLeavesTheThreadRunning) {
  Job job;
  HANDLE thread = CreateThread(nullptr, 0, Job::Run, &job, 0, nullptr);
  ASSERT_NE(thread, nullptr);
  EXPECT_TRUE(CloseHandle(thread));
  DWORD code = 0;
  EXPECT_FALSE(GetExitCodeThread(thread, &code));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
  Settle();  // the thread is waiting for `go`
  EXPECT_NE(job.seen_id, 0u);
  SetEvent(job.go);
  Settle();  // and has ended before Job goes away
}

TEST_F(Threads, RefusesWhatItCannotDo) {
  SetLastError(0);
  EXPECT_EQ(CreateThread(nullptr, 0, nullptr, nullptr, 0, nullptr), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
  constexpr DWORD kCreateSuspended = 4;
  EXPECT_EQ(CreateThread(nullptr, 0, Job::Run, nullptr, kCreateSuspended, nullptr), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
}

// Only auto-reset events are made by the framework: a wait takes the signal.
TEST_F(Threads, AnEventStartsAsAskedAndAWaitResetsIt) {
  for (const BOOL initial : {FALSE, TRUE}) {
    HANDLE event = CreateEventA(nullptr, FALSE, initial, nullptr);
    ASSERT_NE(event, nullptr);
    EXPECT_EQ(WaitForSingleObject(event, 0), initial ? WAIT_OBJECT_0 : WAIT_TIMEOUT) << initial;
    EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_TIMEOUT) << initial;
    EXPECT_TRUE(CloseHandle(event));
  }
}

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

// Three threads wait; each signal lets one through and the event is reset
// by it.
TEST_F(Threads, AnEventLetsOneWaiterThroughPerSignal) {
  Gate gate{CreateEventA(nullptr, FALSE, FALSE, nullptr)};
  HANDLE threads[3];
  for (HANDLE& t : threads) t = CreateThread(nullptr, 0, Gate::PassOnce, &gate, 0, nullptr);
  Settle();
  EXPECT_EQ(gate.passed, 0);
  for (int signal = 1; signal <= 3; ++signal) {
    EXPECT_TRUE(SetEvent(gate.event));
    Settle();
    EXPECT_EQ(gate.passed, signal);
    EXPECT_EQ(WaitForSingleObject(gate.event, 0), WAIT_TIMEOUT);
  }
  for (HANDLE t : threads) {
    EXPECT_EQ(WaitForSingleObject(t, INFINITE), WAIT_OBJECT_0);
    CloseHandle(t);
  }
  CloseHandle(gate.event);
}

class CriticalSection : public Threads {
 protected:
  void SetUp() override {
    Threads::SetUp();
    InitializeCriticalSection(&section);
  }
  void TearDown() override { DeleteCriticalSection(&section); }

  // Enters and notes it; with a stay, sleeps that long and notes that it
  // is about to leave.
  static DWORD EnterAndStay(CriticalSection& test, DWORD stay) {
    EnterCriticalSection(&test.section);
    test.inside = true;
    if (stay != 0) {
      Sleep(stay);
      test.inside = false;
    }
    LeaveCriticalSection(&test.section);
    return 0;
  }

  CRITICAL_SECTION section;
  std::atomic<bool> inside{false};
};

TEST_F(CriticalSection, OwnerReentersAndOthersWaitForTheLastLeave) {
  EnterCriticalSection(&section);
  EnterCriticalSection(&section);
  HANDLE thread = CreateThread(
      nullptr, 0, [](LPVOID self) { return EnterAndStay(*static_cast<CriticalSection*>(self), 0); },
      this, 0, nullptr);
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
  HANDLE thread = CreateThread(
      nullptr, 0,
      [](LPVOID self) { return EnterAndStay(*static_cast<CriticalSection*>(self), 50); }, this, 0,
      nullptr);
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
