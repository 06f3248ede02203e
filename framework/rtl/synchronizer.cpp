#include "framework/rtl/synchronizer.h"

void TMultiReadExclusiveWriteSynchronizer::BeginRead() {
  std::unique_lock guard(lock_);
  if (write_depth_ > 0 && writer_ == std::this_thread::get_id()) {
    ++write_depth_;  // the writer reading: counted as a nested write
    return;
  }
  changed_.wait(guard, [&] { return write_depth_ == 0; });
  ++readers_;
}

void TMultiReadExclusiveWriteSynchronizer::EndRead() {
  std::unique_lock guard(lock_);
  if (write_depth_ > 0 && writer_ == std::this_thread::get_id()) {
    --write_depth_;
  } else {
    --readers_;
  }
  changed_.notify_all();
}

void TMultiReadExclusiveWriteSynchronizer::BeginWrite() {
  std::unique_lock guard(lock_);
  const auto self = std::this_thread::get_id();
  if (write_depth_ > 0 && writer_ == self) {
    ++write_depth_;
    return;
  }
  changed_.wait(guard, [&] { return write_depth_ == 0 && readers_ == 0; });
  writer_ = self;
  write_depth_ = 1;
}

void TMultiReadExclusiveWriteSynchronizer::EndWrite() {
  std::unique_lock guard(lock_);
  if (--write_depth_ == 0) writer_ = {};
  changed_.notify_all();
}
