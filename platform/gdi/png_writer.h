// Writing a surface, or a part of it, as a PNG file (RGB, 8 bits a channel).
#pragma once

#include <string>

#include "surface.h"

namespace gdi {

// `area` is cut to the surface; false when the file cannot be written.
bool WritePng(const Surface& surface, const RECT& area, const std::string& path);

}  // namespace gdi
