// Text drawing and fonts. A code page 1251 character is one UTF-16 unit, so
// counts and the widths of `dx` carry over one for one.
#include <platform/cp1251_bridge.h>

#include <cstddef>
#include <cstring>
#include <iterator>

#include "cp1251_text.h"

namespace {

// A font's description with its face's name in the other encoding.
template <typename Out, typename In>
Out FontAs(const In& in) {
  using From = std::remove_extent_t<decltype(In::lfFaceName)>;
  using To = std::remove_extent_t<decltype(Out::lfFaceName)>;
  static_assert(offsetof(In, lfFaceName) == offsetof(Out, lfFaceName));
  Out out{};
  std::memcpy(&out, &in, offsetof(In, lfFaceName));
  const auto* face = std::begin(in.lfFaceName);
  const auto length = std::find(face, std::end(in.lfFaceName), From{}) - face;
  const std::basic_string<To> name =
      cp1251::Recode<To>(std::basic_string_view<From>(face, static_cast<std::size_t>(length)));
  std::copy_n(name.data(), std::min<std::size_t>(name.size(), LF_FACESIZE - 1), out.lfFaceName);
  return out;
}

BOOL GetNonClientMetrics(NONCLIENTMETRICSA& out, UINT win_ini) {
  NONCLIENTMETRICSW wide{};
  // The caller's size tells which version of the record it holds.
  wide.cbSize = out.cbSize + sizeof(NONCLIENTMETRICSW) - sizeof(NONCLIENTMETRICSA);
  if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, wide.cbSize, &wide, win_ini)) return FALSE;
  out.iBorderWidth = wide.iBorderWidth;
  out.iScrollWidth = wide.iScrollWidth;
  out.iScrollHeight = wide.iScrollHeight;
  out.iCaptionWidth = wide.iCaptionWidth;
  out.iCaptionHeight = wide.iCaptionHeight;
  out.lfCaptionFont = FontAs<LOGFONTA>(wide.lfCaptionFont);
  out.iSmCaptionWidth = wide.iSmCaptionWidth;
  out.iSmCaptionHeight = wide.iSmCaptionHeight;
  out.lfSmCaptionFont = FontAs<LOGFONTA>(wide.lfSmCaptionFont);
  out.iMenuWidth = wide.iMenuWidth;
  out.iMenuHeight = wide.iMenuHeight;
  out.lfMenuFont = FontAs<LOGFONTA>(wide.lfMenuFont);
  out.lfStatusFont = FontAs<LOGFONTA>(wide.lfStatusFont);
  out.lfMessageFont = FontAs<LOGFONTA>(wide.lfMessageFont);
  if (out.cbSize == sizeof out) out.iPaddedBorderWidth = wide.iPaddedBorderWidth;
  return TRUE;
}

}  // namespace

int WINAPI Cp1251DrawTextA(HDC dc, LPCSTR text, int count, LPRECT rect, UINT format) {
  const std::wstring wide = cp1251::Wide(text, count);
  return DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), rect, format);
}

BOOL WINAPI Cp1251ExtTextOutA(HDC dc, int x, int y, UINT options, const RECT* rect, LPCSTR text,
                              UINT count, const INT* dx) {
  if ((options & ETO_GLYPH_INDEX) != 0) {
    return ExtTextOutA(dc, x, y, options, rect, text, count, dx);
  }
  const std::wstring wide = cp1251::Wide(text, static_cast<int>(count));
  return ExtTextOutW(dc, x, y, options, rect, wide.c_str(), static_cast<UINT>(wide.size()), dx);
}

BOOL WINAPI Cp1251GetTextExtentPointA(HDC dc, LPCSTR text, int count, LPSIZE size) {
  const std::wstring wide = cp1251::Wide(text, std::max(count, 0));
  return GetTextExtentPointW(dc, wide.c_str(), static_cast<int>(wide.size()), size);
}

BOOL WINAPI Cp1251GetTextExtentPoint32A(HDC dc, LPCSTR text, int count, LPSIZE size) {
  const std::wstring wide = cp1251::Wide(text, std::max(count, 0));
  return GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), size);
}

HFONT WINAPI Cp1251CreateFontIndirectA(const LOGFONTA* font) {
  if (font == nullptr) return CreateFontIndirectW(nullptr);
  const LOGFONTW wide = FontAs<LOGFONTW>(*font);
  return CreateFontIndirectW(&wide);
}

int WINAPI Cp1251GetObjectA(HANDLE object, int size, LPVOID out) {
  if (GetObjectType(object) != OBJ_FONT) return GetObjectA(object, size, out);
  LOGFONTW wide{};
  if (GetObjectW(object, sizeof wide, &wide) == 0) return 0;
  if (out == nullptr) return sizeof(LOGFONTA);
  const LOGFONTA font = FontAs<LOGFONTA>(wide);
  const int given = std::clamp(size, 0, static_cast<int>(sizeof font));
  std::memcpy(out, &font, static_cast<std::size_t>(given));
  return given;
}

// Of the settings only the non-client metrics carry text the program reads.
BOOL WINAPI Cp1251SystemParametersInfoA(UINT action, UINT uparam, PVOID pparam, UINT win_ini) {
  if (action == SPI_GETNONCLIENTMETRICS && pparam != nullptr) {
    return GetNonClientMetrics(*static_cast<NONCLIENTMETRICSA*>(pparam), win_ini);
  }
  return SystemParametersInfoA(action, uparam, pparam, win_ini);
}
