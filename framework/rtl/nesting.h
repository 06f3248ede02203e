// Counts how deeply a recursive reader has descended. Past the limit it calls
// `refuse`, which throws the reader's own error: deeper nesting than any
// input needs would only exhaust the stack.
#pragma once

template <typename Refuse>
class NestingGuard {
 public:
  NestingGuard(int& depth, int limit, Refuse refuse) : depth_(depth) {
    if (depth_ >= limit) refuse();
    ++depth_;
  }
  ~NestingGuard() { --depth_; }
  NestingGuard(const NestingGuard&) = delete;
  NestingGuard& operator=(const NestingGuard&) = delete;

 private:
  int& depth_;
};
