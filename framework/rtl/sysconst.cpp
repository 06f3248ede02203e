#include "framework/rtl/sysconst.h"

#include <platform/resources.h>

std::string LoadResString(UINT id) {
  char text[4096];
  const int length = LoadStringA(GetModuleHandleA(nullptr), id, text, sizeof text);
  return std::string(text, static_cast<std::size_t>(length));
}
