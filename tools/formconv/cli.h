// The command line of formconv, apart from main so that tests can run it.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace formconv {

// formconv --to-binary SOURCE OUT [-I DIR]...   text to binary
// formconv --to-text BINARY                     binary to text on `out`
// Returns the exit code: 0, 1 for a fault of the input, 2 for a usage error.
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace formconv
