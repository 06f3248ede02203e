// A cursor file as a program carries it: each picture becomes an RT_CURSOR
// resource (its hot spot, then its bitmap), and one RT_GROUP_CURSOR resource
// under the cursor's name lists them, as LoadCursorA expects.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

#include "embed_source.h"

namespace resembed {

struct CursorFileError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// The resources of one cursor file; its pictures take the RT_CURSOR numbers
// from `next_id` on, which moves past them.
std::vector<ResourceFile> CursorResources(const std::string& name,
                                          const std::vector<unsigned char>& file, int& next_id);

}  // namespace resembed
