#include "tests/conformance/support/wine.h"

#include <platform/resources.h>

namespace conf {

bool RunningUnderWine() {
  static const bool wine =
      GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
  return wine;
}

}  // namespace conf
