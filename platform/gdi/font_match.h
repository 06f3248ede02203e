// Which installed face file a logical font is drawn with, found through
// fontconfig with the program's own rules on top of the system's.
#pragma once

#include <string>
#include <string_view>

#include <platform/windows.h>

namespace gdi {

struct FontFile {
  std::string path;  // empty when nothing is installed
  int index = 0;     // the face within the file
};

// The face name; it need not end in a NUL when it fills the array.
std::string_view FaceName(const LOGFONTA& font);

// The best installed face for the font's name, weight and slant that covers
// Russian. "MS Sans Serif" is its own bitmap face at the sizes that face
// has, upright and of normal weight; otherwise it and the other classic
// interface faces ("Microsoft Sans Serif", "Tahoma", "Arial") become
// Liberation Sans, whose advances are close to theirs, so texts laid out for
// them keep their widths.
FontFile MatchFont(const LOGFONTA& font);

}  // namespace gdi
