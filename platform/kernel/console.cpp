#include <platform/console.h>

#include <iostream>

namespace platform {

std::vector<std::string> CommandLineArguments(int argc, char** argv) {
  return {argv + 1, argv + argc};
}

std::ostream& ConsoleOut() {
  return std::cout;
}

std::ostream& ConsoleErr() {
  return std::cerr;
}

}  // namespace platform
