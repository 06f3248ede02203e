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

std::string EmbedSource(const std::vector<ResourceFile>& resources,
                        const std::vector<TableString>& strings);

}  // namespace resembed
