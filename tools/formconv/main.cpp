// formconv: converts form definitions between the readable text and the
// binary format. See docs/formconv.md.
#include <iostream>

#include "cli.h"

int main(int argc, char** argv) {
  return formconv::RunCli(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
}
