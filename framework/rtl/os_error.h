// Failures of the platform's own calls, with the code GetLastError gives.
#pragma once

#include <platform/types.h>

#include "framework/rtl/exceptions.h"

class EOSError : public Exception {
 public:
  EOSError(std::string message, DWORD code) : Exception(std::move(message)), code_(code) {}
  DWORD ErrorCode() const { return code_; }

 private:
  DWORD code_;
};

// The platform's text for an error code.
std::string SysErrorMessage(DWORD code);
// Raises EOSError for the last error: "Win32 Error.  Code: %d.\n%s", or
// "A Win32 API function failed" when the platform gives no code.
[[noreturn]] void RaiseLastOSError();
