// tavrion-wav: writes the stimulus file for a parameter set given on the
// command line, with the same reading, checks and writer as the window.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace tavrion_wav {

enum ExitCode { kWritten = 0, kRefused = 1, kUsage = 2 };

// Runs with the arguments after the program name; texts on the streams are UTF-8.
int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace tavrion_wav
