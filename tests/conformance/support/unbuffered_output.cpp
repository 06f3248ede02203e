// Every conformance program writes its report unbuffered: under Wine the
// standard output to a pipe is buffered whole, and a program that dies on
// the way would leave no line of what it had done.
#include <cstdio>

namespace {

[[maybe_unused]] const int unbuffered = [] {
  std::setvbuf(stdout, nullptr, _IONBF, 0);
  return 0;
}();

}  // namespace
