#include "framework/graphics/graphics_objects.h"

#include <algorithm>
#include <cstring>
#include <string_view>

#include <platform/windows.h>

#include "framework/graphics/bitmap.h"

namespace {

const TTypeInfo* TypeInfoFontName() {
  static const TTypeInfo& type = *new TTypeInfo(MakeStringType("TFontName"));
  return &type;
}

// Read once, the first time a font needs it.
std::int32_t ScreenPixelsPerInch() {
  static const std::int32_t pixels = [] {
    HDC screen = GetDC(nullptr);
    const int value = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return value > 0 ? value : 96;
  }();
  return pixels;
}

void PutName(TFontData& data, std::string_view name) {
  const std::size_t length = std::min<std::size_t>(name.size(), sizeof data.Name - 1);
  std::memset(data.Name, 0, sizeof data.Name);
  data.Name[0] = static_cast<char>(length);
  std::memcpy(data.Name + 1, name.data(), length);
}

std::string NameOf(const TFontData& data) {
  return std::string(data.Name + 1, static_cast<unsigned char>(data.Name[0]));
}

// "Gothic" in Shift-JIS, the face of the default font on a Japanese system.
constexpr std::string_view kJapaneseFace = "\x83\x53\x83\x56\x83\x62\x83\x4E";

const TFontData& DefaultFontData() {
  static const TFontData data = [] {
    TFontData d{};
    std::memset(&d, 0, sizeof d);
    d.Height = -MulDiv(8, ScreenPixelsPerInch(), 72);
    d.Pitch = fpDefault;
    d.Charset = DEFAULT_CHARSET;
    PutName(d, "MS Sans Serif");
    LOGFONTA system{};
    if (GetSystemMetrics(SM_DBCSENABLED) != 0 &&
        GetObjectA(GetStockObject(SYSTEM_FONT), sizeof system, &system) != 0 &&
        system.lfCharSet == SHIFTJIS_CHARSET) {
      d.Height = -MulDiv(9, ScreenPixelsPerInch(), 72);
      d.Charset = SHIFTJIS_CHARSET;
      PutName(d, kJapaneseFace);
    }
    return d;
  }();
  return data;
}

constexpr TPenData kDefaultPen{nullptr, clBlack, 1, psSolid, {}};
constexpr TBrushData kDefaultBrush{nullptr, clWhite, bsSolid, {}, nullptr};

HFONT MakeFont(const TFontData& data) {
  LOGFONTA font{};
  font.lfHeight = data.Height;
  const TFontStyles style{data.Style};
  font.lfWeight = style.Contains(fsBold) ? FW_BOLD : FW_NORMAL;
  font.lfItalic = style.Contains(fsItalic) ? 1 : 0;
  font.lfUnderline = style.Contains(fsUnderline) ? 1 : 0;
  font.lfStrikeOut = style.Contains(fsStrikeOut) ? 1 : 0;
  font.lfCharSet = data.Charset;
  font.lfPitchAndFamily = data.Pitch == fpVariable ? VARIABLE_PITCH
                          : data.Pitch == fpFixed  ? FIXED_PITCH
                                                   : DEFAULT_PITCH;
  std::string face = NameOf(data);
  if (SameText(face, "Default")) face = NameOf(DefaultFontData());
  std::memcpy(font.lfFaceName, face.c_str(), face.size() + 1);
  return CreateFontIndirectA(&font);
}

HPEN MakePen(const TPenData& data) {
  // TPenStyle numbers the PS_ styles in their order.
  const LOGPEN pen{static_cast<UINT>(data.Style), {data.Width, 0}, ResolveColor(data.Color)};
  return CreatePenIndirect(&pen);
}

HBRUSH MakeBrush(const TBrushData& data) {
  LOGBRUSH brush{};
  if (data.Bitmap != nullptr) {
    // FIXME: the bitmap is used as it is, not switched to a device-dependent
    // handle first; the platform's pattern brushes copy any bitmap.
    brush.lbStyle = BS_PATTERN;
    brush.lbHatch = reinterpret_cast<ULONG_PTR>(data.Bitmap->Handle());
  } else if (data.Style == bsSolid) {
    brush.lbStyle = BS_SOLID;
  } else if (data.Style == bsClear) {
    brush.lbStyle = BS_HOLLOW;
  } else {
    brush.lbStyle = BS_HATCHED;
    brush.lbHatch = static_cast<ULONG_PTR>(data.Style - bsHorizontal);
  }
  brush.lbColor = ResolveColor(data.Color);
  return CreateBrushIndirect(&brush);
}

}  // namespace

TAVRION_CLASS_INFO(TGraphicsObject, "Graphics") {}

TAVRION_CLASS_INFO(TFont, "Graphics") {
  using TFontNameProp = TPublishedAlias<std::string, TypeInfoFontName>;
  c.Property<&TFont::Charset, &TFont::SetCharset, TFontCharsetProp>("Charset");
  c.Property<&TFont::Color, &TFont::SetColor, TColorProp>("Color");
  c.Property<&TFont::Height, &TFont::SetHeight>("Height");
  c.Property<&TFont::Name, &TFont::SetName, TFontNameProp>("Name");
  c.Property<&TFont::Pitch, &TFont::SetPitch>("Pitch").Default(fpDefault);
  c.Property<&TFont::Size, &TFont::SetSize>("Size").NotStored();
  c.Property<&TFont::Style, &TFont::SetStyle>("Style");
}

TAVRION_CLASS_INFO(TPen, "Graphics") {
  c.Property<&TPen::Color, &TPen::SetColor, TColorProp>("Color").Default(clBlack);
  c.Property<&TPen::Mode, &TPen::SetMode>("Mode").Default(pmCopy);
  c.Property<&TPen::Style, &TPen::SetStyle>("Style").Default(psSolid);
  c.Property<&TPen::Width, &TPen::SetWidth>("Width").Default(1);
}

TAVRION_CLASS_INFO(TBrush, "Graphics") {
  c.Property<&TBrush::Color, &TBrush::SetColor, TColorProp>("Color").Default(clWhite);
  c.Property<&TBrush::Style, &TBrush::SetStyle>("Style").Default(bsSolid);
}

int PenModeToROP2(TPenMode mode) {
  static constexpr int kCodes[] = {
      R2_BLACK,       R2_WHITE,      R2_NOP,         R2_NOT,        R2_COPYPEN,  R2_NOTCOPYPEN,
      R2_MERGEPENNOT, R2_MASKPENNOT, R2_MERGENOTPEN, R2_MASKNOTPEN, R2_MERGEPEN, R2_NOTMERGEPEN,
      R2_MASKPEN,     R2_NOTMASKPEN, R2_XORPEN,      R2_NOTXORPEN,
  };
  return kCodes[mode];
}

HPEN StockPen() {
  static HPEN const pen = static_cast<HPEN>(GetStockObject(BLACK_PEN));
  return pen;
}

HBRUSH StockBrush() {
  static HBRUSH const brush = static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
  return brush;
}

HFONT StockFont() {
  static HFONT const font = static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
  return font;
}

// TGraphicsObject.

void TGraphicsObject::NotifyChanged() {
  OnChange(this);
}

TGraphicsObject::ChangeLock::ChangeLock(const TGraphicsObject& object) : lock_(object.owner_lock_) {
  if (lock_ != nullptr) EnterCriticalSection(lock_);
}

TGraphicsObject::ChangeLock::~ChangeLock() {
  if (lock_ != nullptr) LeaveCriticalSection(lock_);
}

// TFont.

TFont::TFont()
    : resource_(FontManager().AllocEntry(DefaultFontData())),
      pixels_per_inch_(ScreenPixelsPerInch()) {}

TFont::~TFont() {
  FontManager().FreeEntry(resource_);
}

void TFont::Assign(TPersistent* source) {
  auto* font = dynamic_cast<TFont*>(source);
  if (font == nullptr) {
    inherited::Assign(source);
    return;
  }
  ChangeLock lock(*this);
  FontManager().AssignEntry(*this, resource_, font->resource_);
  SetColor(font->color_);
  if (pixels_per_inch_ != font->pixels_per_inch_) SetSize(font->Size());
}

HFONT TFont::Handle() {
  return static_cast<HFONT>(FontManager().HandleOf(resource_, MakeFont));
}

void TFont::SetHandle(HFONT handle) {
  if (handle != nullptr) {
    // A cached font's handle: share its entry rather than take the handle
    // over, which would delete it under the fonts that made it.
    ChangeLock lock(*this);
    if (FontManager().ShareHandle(*this, resource_, handle)) return;
  }
  LOGFONTA font{};
  if (handle == nullptr || GetObjectA(handle, sizeof font, &font) == 0) {
    ChangeData(FontManager(), resource_, [](TFontData& d) { d = DefaultFontData(); });
    return;
  }
  TFontData data;
  std::memset(&data, 0, sizeof data);
  data.Handle = handle;
  data.Height = font.lfHeight;
  TFontStyles style;
  if (font.lfWeight >= FW_BOLD) style.Include(fsBold);
  if (font.lfItalic == 1) style.Include(fsItalic);
  if (font.lfUnderline == 1) style.Include(fsUnderline);
  if (font.lfStrikeOut == 1) style.Include(fsStrikeOut);
  data.Style = static_cast<std::uint8_t>(style.bits);
  data.Charset = font.lfCharSet;
  PutName(data, std::string_view(font.lfFaceName, strnlen(font.lfFaceName, LF_FACESIZE)));
  switch (font.lfPitchAndFamily & 0x0F) {
    case FIXED_PITCH:
      data.Pitch = fpFixed;
      break;
    case VARIABLE_PITCH:
      data.Pitch = fpVariable;
      break;
    default:
      data.Pitch = fpDefault;
  }
  ChangeData(FontManager(), resource_, [&](TFontData& d) { d = data; });
}

void TFont::SetColor(TColor value) {
  if (value == color_) return;
  ChangeLock lock(*this);
  color_ = value;
  NotifyChanged();
}

void TFont::SetHeight(std::int32_t value) {
  ChangeData(FontManager(), resource_, [&](TFontData& d) { d.Height = value; });
}

std::int32_t TFont::Size() const {
  return -MulDiv(Height(), 72, pixels_per_inch_);
}

void TFont::SetSize(std::int32_t value) {
  SetHeight(-MulDiv(value, pixels_per_inch_, 72));
}

std::string TFont::Name() const {
  return NameOf(Data());
}

void TFont::SetName(const std::string& value) {
  if (value.empty()) return;
  ChangeData(FontManager(), resource_, [&](TFontData& d) { PutName(d, value); });
}

void TFont::SetStyle(TFontStyles value) {
  ChangeData(FontManager(), resource_,
             [&](TFontData& d) { d.Style = static_cast<std::uint8_t>(value.bits); });
}

void TFont::SetPitch(TFontPitch value) {
  ChangeData(FontManager(), resource_, [&](TFontData& d) { d.Pitch = value; });
}

void TFont::SetCharset(TFontCharset value) {
  ChangeData(FontManager(), resource_, [&](TFontData& d) { d.Charset = value; });
}

// TPen.

TPen::TPen() : resource_(PenManager().AllocEntry(kDefaultPen)) {}

TPen::~TPen() {
  PenManager().FreeEntry(resource_);
}

void TPen::Assign(TPersistent* source) {
  auto* pen = dynamic_cast<TPen*>(source);
  if (pen == nullptr) {
    inherited::Assign(source);
    return;
  }
  ChangeLock lock(*this);
  PenManager().AssignEntry(*this, resource_, pen->resource_);
  SetMode(pen->mode_);
}

HPEN TPen::Handle() {
  return static_cast<HPEN>(PenManager().HandleOf(resource_, MakePen));
}

void TPen::SetColor(TColor value) {
  ChangeData(PenManager(), resource_, [&](TPenData& d) { d.Color = value; });
}

void TPen::SetMode(TPenMode value) {
  if (value == mode_) return;
  ChangeLock lock(*this);
  mode_ = value;
  NotifyChanged();
}

void TPen::SetStyle(TPenStyle value) {
  ChangeData(PenManager(), resource_, [&](TPenData& d) { d.Style = value; });
}

void TPen::SetWidth(std::int32_t value) {
  if (value < 0) return;
  ChangeData(PenManager(), resource_, [&](TPenData& d) { d.Width = value; });
}

// TBrush.

TBrush::TBrush() : resource_(BrushManager().AllocEntry(kDefaultBrush)) {}

TBrush::~TBrush() {
  BrushManager().FreeEntry(resource_);
}

void TBrush::Assign(TPersistent* source) {
  auto* brush = dynamic_cast<TBrush*>(source);
  if (brush == nullptr) {
    inherited::Assign(source);
    return;
  }
  ChangeLock lock(*this);
  BrushManager().AssignEntry(*this, resource_, brush->resource_);
}

HBRUSH TBrush::Handle() {
  return static_cast<HBRUSH>(BrushManager().HandleOf(resource_, MakeBrush));
}

void TBrush::SetColor(TColor value) {
  ChangeData(BrushManager(), resource_, [&](TBrushData& d) {
    d.Color = value;
    d.Bitmap = nullptr;
    if (d.Style == bsClear) d.Style = bsSolid;
  });
}

void TBrush::SetStyle(TBrushStyle value) {
  ChangeData(BrushManager(), resource_, [&](TBrushData& d) {
    d.Style = value;
    d.Bitmap = nullptr;
    if (value == bsClear) d.Color = clWhite;
  });
}

void TBrush::SetBitmap(TBitmap* value) {
  ChangeData(BrushManager(), resource_, [&](TBrushData& d) {
    d = kDefaultBrush;
    d.Bitmap = value;
  });
}
