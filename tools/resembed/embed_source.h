// The C++ source that carries resources into a program: the bytes as constant
// arrays and one registration with the platform's resource table, made while
// the program initialises its statics.
#pragma once

#include <string>
#include <vector>

#include "string_table.h"

namespace resembed {

struct ResourceFile {
  std::string type;  // all digits: a number (10 is RCDATA); else a text
  std::string name;  // the same rule; texts are stored in upper case
  std::vector<unsigned char> bytes;
};

// Whether a type or name is a number (all digits, at most 0xFFFF).
bool IsNumberKey(const std::string& key);
// A text type or name as the program stores it: in upper case (ASCII).
std::string UpperKey(std::string key);

std::string EmbedSource(const std::vector<ResourceFile>& resources,
                        const std::vector<TableString>& strings);

}  // namespace resembed
