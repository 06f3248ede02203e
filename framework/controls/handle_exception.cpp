#include "framework/controls/handle_exception.h"

#include <cstdio>
#include <exception>

#include "framework/rtl/exceptions.h"

TNotifyEvent ApplicationHandleException;

namespace {

// The last resort: the exception in flight goes to the standard error stream.
void PrintException() {
  try {
    throw;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s\n", e.what());
  } catch (...) {
    std::fprintf(stderr, "unknown exception in a message handler\n");
  }
}

}  // namespace

void HandleControlException(TObject* sender) {
  if (!ApplicationHandleException.Assigned()) {
    PrintException();
    return;
  }
  try {
    ApplicationHandleException(sender);
  } catch (...) {
    // Showing the exception failed too (no message box could be made): the
    // message still ends here, and what went wrong is not lost.
    PrintException();
  }
}
