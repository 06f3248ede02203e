// Where an exception that escapes the handling of a window message goes:
// the application object installs its handler here when it starts.
#pragma once

#include <utility>

#include "framework/streaming/published_type.h"

// Called inside the catch block, so the handler can look at the exception
// in flight; `sender` is the control whose message failed.
extern TNotifyEvent ApplicationHandleException;

// Hands the exception in flight to ApplicationHandleException; without a
// handler its message goes to the standard error stream, so it is not lost.
void HandleControlException(TObject* sender);

// Runs `work` as the handling of one message: whatever escapes it, of any
// type, goes to HandleControlException with `sender`, and the caller goes on.
template <typename Work>
void Guarded(TObject* sender, Work&& work) {
  try {
    std::forward<Work>(work)();
  } catch (...) {
    HandleControlException(sender);
  }
}
