// An icon or cursor file as a program carries it: each picture becomes an
// RT_ICON or RT_CURSOR resource (a cursor's starts with its hot spot), and one
// RT_GROUP_ICON or RT_GROUP_CURSOR resource under the file's name lists them,
// as LoadIconA and LoadCursorA expect.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

#include "embed_source.h"

namespace resembed {

struct IconFileError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// The file's type in its directory.
enum class IconFileKind { kIcon = 1, kCursor = 2 };

// The resources of one file; its pictures take the picture numbers from
// `next_id` on, which moves past them.
std::vector<ResourceFile> IconResources(IconFileKind kind, const std::string& name,
                                        const std::vector<unsigned char>& file, int& next_id);

}  // namespace resembed
