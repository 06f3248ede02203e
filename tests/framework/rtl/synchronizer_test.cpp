// The name-space lock: the writer may take it again, others wait for it.
#include <atomic>
#include <thread>

#include <gtest/gtest.h>

#include "framework/rtl/synchronizer.h"

namespace {

TEST(Synchronizer, WriterReentersAndOthersWaitForTheLastRelease) {
  TMultiReadExclusiveWriteSynchronizer sync;
  std::atomic<bool> other_got_in{false};
  sync.BeginWrite();
  sync.BeginWrite();  // nested, as reading a root inside a form's load
  sync.BeginRead();   // the writer reading
  std::thread other([&] {
    sync.BeginWrite();
    other_got_in = true;
    sync.EndWrite();
  });
  sync.EndRead();
  sync.EndWrite();
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  EXPECT_FALSE(other_got_in);
  sync.EndWrite();
  other.join();
  EXPECT_TRUE(other_got_in);
}

TEST(Synchronizer, ReadersShareAndKeepTheWriterOut) {
  TMultiReadExclusiveWriteSynchronizer sync;
  sync.BeginRead();
  std::atomic<bool> reader_in{false}, writer_in{false};
  std::thread reader([&] {
    sync.BeginRead();
    reader_in = true;
    sync.EndRead();
  });
  reader.join();
  EXPECT_TRUE(reader_in);
  std::thread writer([&] {
    sync.BeginWrite();
    writer_in = true;
    sync.EndWrite();
  });
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  EXPECT_FALSE(writer_in);
  sync.EndRead();
  writer.join();
  EXPECT_TRUE(writer_in);
}

}  // namespace
