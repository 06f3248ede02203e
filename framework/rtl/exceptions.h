// The framework's exception classes. Every failure the framework raises is an
// Exception (or a descendant) carrying the message shown to the user.
#pragma once

#include <exception>
#include <string>

class Exception : public std::exception {
 public:
  explicit Exception(std::string message) : message_(std::move(message)) {}
  const std::string& Message() const { return message_; }
  void SetMessage(std::string message) { message_ = std::move(message); }
  // The message, in code page 1251 like every text of the program.
  const char* what() const noexcept override { return message_.c_str(); }

 private:
  std::string message_;
};

// A text could not be converted to a number.
class EConvertError : public Exception {
 public:
  using Exception::Exception;
};

// An index outside a list.
class EListError : public Exception {
 public:
  using Exception::Exception;
};

// A silent failure: it ends what was going on and is shown to nobody.
class EAbort : public Exception {
 public:
  using Exception::Exception;
};
