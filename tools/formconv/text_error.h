// A fault in a form's text, with the line it was found on.
#pragma once

#include <stdexcept>
#include <string>

namespace formconv {

class TextError : public std::runtime_error {
 public:
  TextError(int line, const std::string& message) : std::runtime_error(message), line_(line) {}
  int line() const { return line_; }

 private:
  int line_;
};

}  // namespace formconv
