// Compiles a form's readable text into the binary form definition.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace formconv {

// The bytes of a file that the text names with file("..."), or nothing when
// there is no such file.
using FileLoader = std::function<std::optional<std::vector<unsigned char>>(const std::string&)>;

// Raises TextError (text_error.h) with the line of the first fault.
std::vector<unsigned char> CompileForm(std::string_view text, const FileLoader& load_file = {});

}  // namespace formconv
