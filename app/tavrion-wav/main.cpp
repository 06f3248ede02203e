#include <iostream>
#include <string>
#include <vector>

#include "app/tavrion-wav/cli.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  return tavrion_wav::Run(args, std::cout, std::cerr);
}
