// Fills the framework's message templates: "%s" takes a text, "%d" an
// integer, "%%" is a percent sign. A template that asks for an argument of the
// other kind, or for more arguments than given, raises EConvertError.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <variant>

using FormatArg = std::variant<std::int64_t, std::string>;

std::string Format(std::string_view pattern, std::initializer_list<FormatArg> args);
