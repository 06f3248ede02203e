#include "font_match.h"

#include <cstring>
#include <optional>

#include <fontconfig/fontconfig.h>

#include <platform/codepage.h>

#include "raster_faces.h"

namespace gdi {

namespace {

// Loaded after the system's rules. The bitmap "MS Sans Serif" of Debian's
// fonts-wine is taken from its folder, and none of that folder's other faces:
// they would answer to names such as "Courier" and "System". Accepting it by
// file keeps it past a system rule that rejects bitmap faces.
//
// The aliases put Liberation Sans before whatever the system chose for the
// classic faces; for "MS Sans Serif" it comes right after the bitmap face,
// for the sizes and styles that face lacks. Liberation Sans
// takes the binding of the name it stands by: strong for a name the program
// asks for, weak for the Arial that "sans-serif" brings in, which must not
// outrank the faces of another generic name such as "Serif".
constexpr char kRules[] = R"(<?xml version="1.0"?>
<fontconfig>
  <dir>/usr/share/wine/fonts</dir>
  <selectfont>
    <rejectfont><glob>/usr/share/wine/fonts/*</glob></rejectfont>
    <acceptfont>
      <glob>/usr/share/wine/fonts/ms_sans_serif.ttf</glob>
      <pattern>
        <patelt name="file"><string>/usr/share/wine/fonts/ms_sans_serif.ttf</string></patelt>
      </pattern>
    </acceptfont>
  </selectfont>
  <alias binding="same">
    <family>MS Sans Serif</family>
    <accept><family>Liberation Sans</family></accept>
  </alias>
  <alias binding="same">
    <family>Microsoft Sans Serif</family>
    <prefer><family>Liberation Sans</family></prefer>
  </alias>
  <alias binding="same">
    <family>Tahoma</family>
    <prefer><family>Liberation Sans</family></prefer>
  </alias>
  <alias binding="same">
    <family>Arial</family>
    <prefer><family>Liberation Sans</family></prefer>
  </alias>
</fontconfig>
)";

// The system's configuration with the program's rules added, and the fonts
// of both; kept for the life of the process.
FcConfig* Config() {
  static FcConfig* const config = [] {
    FcConfig* loaded = FcInitLoadConfig();
    if (loaded != nullptr) {
      FcConfigParseAndLoadFromMemory(loaded, reinterpret_cast<const FcChar8*>(kRules), FcTrue);
      FcConfigBuildFonts(loaded);
    }
    return loaded;
  }();
  return config;
}

int Weight(const LOGFONTA& font) {
  return FcWeightFromOpenType(font.lfWeight == 0 ? 400 : static_cast<int>(font.lfWeight));
}

int Slant(const LOGFONTA& font) {
  return font.lfItalic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN;
}

bool CoversRussian(FcPattern* face) {
  FcLangSet* langs = nullptr;
  return FcPatternGetLangSet(face, FC_LANG, 0, &langs) == FcResultMatch &&
         FcLangSetHasLang(langs, reinterpret_cast<const FcChar8*>("ru")) != FcLangDifferentLang;
}

bool Scalable(FcPattern* face) {
  FcBool scalable = FcTrue;
  FcPatternGetBool(face, FC_SCALABLE, 0, &scalable);
  return scalable != FcFalse;
}

// A bitmap face is drawn as it is, never scaled, emboldened or slanted: it
// serves a font only at the size it was asked for (the nearest it has, see
// Best) and in its own weight and slant, which the system's rules may have
// marked for synthesis.
bool Serves(FcPattern* face, const LOGFONTA& font) {
  const std::optional<RasterCell> cell = RasterCellFor(font);
  double size = 0;
  if (!cell || FcPatternGetDouble(face, FC_PIXEL_SIZE, 0, &size) != FcResultMatch ||
      static_cast<int>(size) != cell->height) {
    return false;
  }
  int weight = 0, slant = 0;
  FcBool embolden = FcFalse;
  FcMatrix* matrix = nullptr;
  FcPatternGetInteger(face, FC_WEIGHT, 0, &weight);
  FcPatternGetInteger(face, FC_SLANT, 0, &slant);
  FcPatternGetBool(face, FC_EMBOLDEN, 0, &embolden);
  return weight == Weight(font) && slant == Slant(font) && embolden == FcFalse &&
         FcPatternGetMatrix(face, FC_MATRIX, 0, &matrix) != FcResultMatch;
}

// The best match, by the font's own name first when `by_name`, else among
// sans-serif faces alone; among outline faces alone when `outline`.
FcPattern* Best(const LOGFONTA& font, bool by_name, bool outline) {
  FcPattern* pattern = FcPatternCreate();
  const std::string family = codepage::Cp1251ToUtf8(FaceName(font));
  if (by_name && !family.empty()) {
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
  }
  FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>("sans-serif"));
  FcPatternAddString(pattern, FC_LANG, reinterpret_cast<const FcChar8*>("ru"));
  FcPatternAddInteger(pattern, FC_WEIGHT, Weight(font));
  FcPatternAddInteger(pattern, FC_SLANT, Slant(font));
  if (outline) FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
  // The cell of a bitmap size: a bitmap face's nearest size comes first in
  // the match.
  if (const std::optional<RasterCell> cell = RasterCellFor(font)) {
    FcPatternAddDouble(pattern, FC_PIXEL_SIZE, cell->height);
  }
  FcConfigSubstitute(Config(), pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  FcPattern* match = FcFontMatch(Config(), pattern, &result);
  FcPatternDestroy(pattern);
  return match;
}

}  // namespace

std::string_view FaceName(const LOGFONTA& font) {
  return {font.lfFaceName, strnlen(font.lfFaceName, sizeof font.lfFaceName)};
}

FontFile MatchFont(const LOGFONTA& font) {
  FcPattern* match = Best(font, true, false);
  if (match != nullptr && !Scalable(match) && !Serves(match, font)) {
    FcPatternDestroy(match);
    match = Best(font, true, true);
  }
  // A face asked for by name outranks the language; every text may hold
  // Cyrillic, so a named face without it gives way to one with it.
  if (match != nullptr && !CoversRussian(match)) {
    FcPatternDestroy(match);
    match = Best(font, false, true);
  }
  FontFile found;
  if (match == nullptr) return found;
  FcChar8* file = nullptr;
  if (FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch) {
    found.path = reinterpret_cast<const char*>(file);
  }
  FcPatternGetInteger(match, FC_INDEX, 0, &found.index);
  FcPatternDestroy(match);
  return found;
}

}  // namespace gdi
