#include "framework/controls/handle_exception.h"

#include <cstdio>
#include <exception>

#include "framework/rtl/exceptions.h"

TNotifyEvent ApplicationHandleException;

void HandleControlException(TObject* sender) {
  if (ApplicationHandleException.Assigned()) {
    ApplicationHandleException(sender);
    return;
  }
  try {
    throw;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s\n", e.what());
  } catch (...) {
    std::fprintf(stderr, "unknown exception in a message handler\n");
  }
}
