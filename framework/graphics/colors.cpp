#include "framework/graphics/colors.h"

#include <climits>
#include <iterator>

#include <platform/windows.h>

#include "framework/streaming/class_registry.h"

namespace {

// In the order form definitions are converted by.
constexpr TIdentMapEntry kColors[] = {
    {clBlack, "clBlack"},
    {clMaroon, "clMaroon"},
    {clGreen, "clGreen"},
    {clOlive, "clOlive"},
    {clNavy, "clNavy"},
    {clPurple, "clPurple"},
    {clTeal, "clTeal"},
    {clGray, "clGray"},
    {clSilver, "clSilver"},
    {clRed, "clRed"},
    {clLime, "clLime"},
    {clYellow, "clYellow"},
    {clBlue, "clBlue"},
    {clFuchsia, "clFuchsia"},
    {clAqua, "clAqua"},
    {clWhite, "clWhite"},
    {clScrollBar, "clScrollBar"},
    {clBackground, "clBackground"},
    {clActiveCaption, "clActiveCaption"},
    {clInactiveCaption, "clInactiveCaption"},
    {clMenu, "clMenu"},
    {clWindow, "clWindow"},
    {clWindowFrame, "clWindowFrame"},
    {clMenuText, "clMenuText"},
    {clWindowText, "clWindowText"},
    {clCaptionText, "clCaptionText"},
    {clActiveBorder, "clActiveBorder"},
    {clInactiveBorder, "clInactiveBorder"},
    {clAppWorkSpace, "clAppWorkSpace"},
    {clHighlight, "clHighlight"},
    {clHighlightText, "clHighlightText"},
    {clBtnFace, "clBtnFace"},
    {clBtnShadow, "clBtnShadow"},
    {clGrayText, "clGrayText"},
    {clBtnText, "clBtnText"},
    {clInactiveCaptionText, "clInactiveCaptionText"},
    {clBtnHighlight, "clBtnHighlight"},
    {cl3DDkShadow, "cl3DDkShadow"},
    {cl3DLight, "cl3DLight"},
    {clInfoText, "clInfoText"},
    {clInfoBk, "clInfoBk"},
    {clNone, "clNone"},
};
static_assert(std::size(kColors) == 42);

constexpr TIdentMapEntry kCharsets[] = {
    {ANSI_CHARSET, "ANSI_CHARSET"},
    {DEFAULT_CHARSET, "DEFAULT_CHARSET"},
    {SYMBOL_CHARSET, "SYMBOL_CHARSET"},
    {MAC_CHARSET, "MAC_CHARSET"},
    {SHIFTJIS_CHARSET, "SHIFTJIS_CHARSET"},
    {HANGEUL_CHARSET, "HANGEUL_CHARSET"},
    {JOHAB_CHARSET, "JOHAB_CHARSET"},
    {GB2312_CHARSET, "GB2312_CHARSET"},
    {CHINESEBIG5_CHARSET, "CHINESEBIG5_CHARSET"},
    {GREEK_CHARSET, "GREEK_CHARSET"},
    {TURKISH_CHARSET, "TURKISH_CHARSET"},
    {HEBREW_CHARSET, "HEBREW_CHARSET"},
    {ARABIC_CHARSET, "ARABIC_CHARSET"},
    {BALTIC_CHARSET, "BALTIC_CHARSET"},
    {RUSSIAN_CHARSET, "RUSSIAN_CHARSET"},
    {THAI_CHARSET, "THAI_CHARSET"},
    {EASTEUROPE_CHARSET, "EASTEUROPE_CHARSET"},
    {OEM_CHARSET, "OEM_CHARSET"},
};
static_assert(std::size(kCharsets) == 18);

// A form definition may name a colour or a character set as soon as the
// program runs, whoever asks for the records first.
[[maybe_unused]] const bool kNamesRegistered = [] {
  RegisterIntConst(TypeInfoColor(), IdentToColor, ColorToIdent);
  RegisterIntConst(TypeInfoFontCharset(), IdentToCharset, CharsetToIdent);
  return true;
}();

}  // namespace

COLORREF ResolveColor(TColor color) {
  if (color < 0) return GetSysColor(color & 0xFF);
  return static_cast<COLORREF>(color);
}

bool ColorToIdent(std::int32_t color, std::string& ident) {
  return IntToIdent(color, ident, kColors);
}

bool IdentToColor(const std::string& ident, std::int32_t& color) {
  return IdentToInt(ident, color, kColors);
}

const TTypeInfo* TypeInfoColor() {
  static const TTypeInfo& type =
      *new TTypeInfo(MakeIntegerType("TColor", otSLong, INT_MIN, INT_MAX));
  return &type;
}

bool CharsetToIdent(std::int32_t charset, std::string& ident) {
  return IntToIdent(charset, ident, kCharsets);
}

bool IdentToCharset(const std::string& ident, std::int32_t& charset) {
  return IdentToInt(ident, charset, kCharsets);
}

const TTypeInfo* TypeInfoFontCharset() {
  static const TTypeInfo& type = *new TTypeInfo(MakeIntegerType("TFontCharset", otUByte, 0, 255));
  return &type;
}
