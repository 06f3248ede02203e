#include "framework/rtl/invariant.h"

#include <cstdio>
#include <cstdlib>

[[noreturn]] void invariant::Broken(const char* condition, const char* message, const char* file,
                                    int line) {
  std::fprintf(stderr, "%s:%d: invariant broken: %s (%s)\n", file, line, message, condition);
  std::abort();
}
