// Prints a binary form definition as the readable text that CompileForm reads.
#pragma once

#include <string>
#include <vector>

namespace formconv {

// Reads with the framework's reader; its errors (EReadError "Invalid stream
// format", "Stream read error", "Invalid property value") pass through.
std::string PrintForm(const std::vector<unsigned char>& binary);

}  // namespace formconv
