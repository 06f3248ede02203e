// Runs a clean-up when the scope ends, however it ends: the one way to put a
// state back after a call that may throw.
//
// The clean-up may itself throw (hiding a form runs its OnHide). On a normal
// exit that exception goes on to the caller; while another exception is
// already leaving the scope, the clean-up's is dropped so that the first one,
// the cause, goes on instead of ending the program.
#pragma once

#include <exception>
#include <utility>

template <typename Cleanup>
class ScopeExit {
 public:
  explicit ScopeExit(Cleanup cleanup) : cleanup_(std::move(cleanup)) {}
  ~ScopeExit() noexcept(false) {
    if (std::uncaught_exceptions() == exceptions_) {
      cleanup_();
      return;
    }
    try {
      cleanup_();
    } catch (...) {
    }
  }
  ScopeExit(const ScopeExit&) = delete;
  ScopeExit& operator=(const ScopeExit&) = delete;

 private:
  Cleanup cleanup_;
  int exceptions_ = std::uncaught_exceptions();
};
