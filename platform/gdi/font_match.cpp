#include "font_match.h"

#include <cstring>

#include <fontconfig/fontconfig.h>

#include <platform/codepage.h>

namespace gdi {

namespace {

// Loaded after the system's rules, so these come last and put Liberation
// Sans before whatever the system chose for the classic faces. It takes the
// binding of the name it stands before: strong for a name the program asks
// for, weak for the Arial that "sans-serif" brings in, which must not outrank
// the faces of another generic name such as "Serif".
constexpr char kRules[] = R"(<?xml version="1.0"?>
<fontconfig>
  <alias binding="same">
    <family>MS Sans Serif</family>
    <prefer><family>Liberation Sans</family></prefer>
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

// The system's configuration and fonts with the program's rules added; kept
// for the life of the process.
FcConfig* Config() {
  static FcConfig* const config = [] {
    FcConfig* loaded = FcInitLoadConfigAndFonts();
    if (loaded != nullptr) {
      FcConfigParseAndLoadFromMemory(loaded, reinterpret_cast<const FcChar8*>(kRules), FcTrue);
    }
    return loaded;
  }();
  return config;
}

bool CoversRussian(FcPattern* face) {
  FcLangSet* langs = nullptr;
  return FcPatternGetLangSet(face, FC_LANG, 0, &langs) == FcResultMatch &&
         FcLangSetHasLang(langs, reinterpret_cast<const FcChar8*>("ru")) != FcLangDifferentLang;
}

// The best match, by the font's own name first when `by_name`; else among
// sans-serif faces alone.
FcPattern* Best(const LOGFONTA& font, bool by_name) {
  FcPattern* pattern = FcPatternCreate();
  const std::string family = codepage::Cp1251ToUtf8(FaceName(font));
  if (by_name && !family.empty()) {
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
  }
  FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>("sans-serif"));
  FcPatternAddString(pattern, FC_LANG, reinterpret_cast<const FcChar8*>("ru"));
  const int weight = font.lfWeight == 0 ? 400 : static_cast<int>(font.lfWeight);
  FcPatternAddInteger(pattern, FC_WEIGHT, FcWeightFromOpenType(weight));
  FcPatternAddInteger(pattern, FC_SLANT, font.lfItalic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
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
  FcPattern* match = Best(font, true);
  // A face asked for by name outranks the language; every text may hold
  // Cyrillic, so a named face without it gives way to one with it.
  if (match != nullptr && !CoversRussian(match)) {
    FcPatternDestroy(match);
    match = Best(font, false);
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
