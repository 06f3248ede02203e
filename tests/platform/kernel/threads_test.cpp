// Threads: the handle is signalled when the thread ends, the exit code is
// kept, the id reported is the thread's own, and closing the handle of a
// running thread leaves it running.
#include <gtest/gtest.h>
#include <platform/headless.h>
#include <platform/kernel.h>

namespace {

class Threads : public ::testing::Test {
 protected:
  void SetUp() override { host::Headless().Reset(); }
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
  EXPECT_EQ(GetCurrentThreadId(), GetCurrentThreadId());
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
  host::Headless().AdvanceClock(0);  // the thread is waiting for `go`
  EXPECT_NE(job.seen_id, 0u);
  SetEvent(job.go);
  host::Headless().AdvanceClock(0);  // and has ended before Job goes away
}

TEST_F(Threads, RefusesWhatItCannotDo) {
  SetLastError(0);
  EXPECT_EQ(CreateThread(nullptr, 0, nullptr, nullptr, 0, nullptr), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
  constexpr DWORD kCreateSuspended = 4;
  EXPECT_EQ(CreateThread(nullptr, 0, Job::Run, nullptr, kCreateSuspended, nullptr), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
}

}  // namespace
