#include "framework/rtl/os_error.h"

#include <platform/kernel.h>

#include "framework/rtl/format.h"
#include "framework/rtl/sysconst.h"
#include "rtl/resstrings.h"

std::string SysErrorMessage(DWORD code) {
  char buffer[256] = {};
  const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                      nullptr, code, 0, buffer, sizeof buffer, nullptr);
  std::string text(buffer, length);
  // The system's texts end with a line break.
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ')) {
    text.pop_back();
  }
  return text;
}

void RaiseLastOSError() {
  const DWORD code = GetLastError();
  if (code == 0) throw EOSError(LoadResString(SUnkOSError), 0);
  throw EOSError(Format(LoadResString(SOSError), {std::int64_t{code}, SysErrorMessage(code)}),
                 code);
}
