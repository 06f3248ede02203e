// Many readers or one writer; the writing thread may take the lock again
// (for reading or writing) while it holds it.
#pragma once

#include <condition_variable>
#include <mutex>
#include <thread>

class TMultiReadExclusiveWriteSynchronizer {
 public:
  void BeginRead();
  void EndRead();
  void BeginWrite();
  void EndWrite();

 private:
  std::mutex lock_;
  std::condition_variable changed_;
  std::thread::id writer_;
  int write_depth_ = 0;
  int readers_ = 0;
};

// Holds the lock for writing while it lives.
class WriteLock {
 public:
  explicit WriteLock(TMultiReadExclusiveWriteSynchronizer& sync) : sync_(sync) {
    sync_.BeginWrite();
  }
  ~WriteLock() { sync_.EndWrite(); }
  WriteLock(const WriteLock&) = delete;
  WriteLock& operator=(const WriteLock&) = delete;

 private:
  TMultiReadExclusiveWriteSynchronizer& sync_;
};
