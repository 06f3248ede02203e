// Creating, selecting, reading and deleting the drawing objects.
#include "objects.h"

#include <cstring>
#include <map>
#include <mutex>

#include <platform/kernel.h>
#include <platform/windows.h>

#include "device_context.h"

namespace gdi {

namespace {

constexpr DWORD kInvalidHandle = 6;      // ERROR_INVALID_HANDLE
constexpr DWORD kInvalidParameter = 87;  // ERROR_INVALID_PARAMETER

// GetSysColorBrush hands out 0x2000 + the colour's index.
constexpr std::uintptr_t kSysColorBrushes = 0x2000;
constexpr int kSysColors = 31;

struct Table {
  std::mutex lock;
  std::map<std::uintptr_t, std::shared_ptr<Object>> objects;
  std::uintptr_t next = 0x10000;
};

Table& Objects() {
  static auto& table = *new Table;
  return table;
}

template <typename T>
std::shared_ptr<T> As(const std::shared_ptr<Object>& object, Kind kind) {
  return object != nullptr && object->kind == kind ? std::static_pointer_cast<T>(object) : nullptr;
}

HGDIOBJ Stock(std::shared_ptr<Object> object) {
  object->stock = true;
  return Register(std::move(object));
}

HGDIOBJ StockPen(int style, COLORREF color) {
  auto pen = std::make_shared<Pen>();
  pen->log = {static_cast<UINT>(style), {1, 0}, color};
  return Stock(pen);
}

HGDIOBJ StockBrush(UINT style, COLORREF color) {
  auto brush = std::make_shared<Brush>();
  brush->log = {style, color, 0};
  return Stock(brush);
}

HGDIOBJ StockFont(LONG height, LONG weight, BYTE charset, BYTE pitch, const char* face) {
  auto font = std::make_shared<Font>();
  font->log.lfHeight = height;
  font->log.lfWeight = weight;
  font->log.lfCharSet = charset;
  font->log.lfPitchAndFamily = pitch;
  std::strncpy(font->log.lfFaceName, face, LF_FACESIZE - 1);
  return Stock(font);
}

struct StockObjects {
  HGDIOBJ objects[18] = {};
  HBITMAP bitmap = nullptr;
  StockObjects() {
    objects[WHITE_BRUSH] = StockBrush(BS_SOLID, 0xFFFFFF);
    objects[LTGRAY_BRUSH] = StockBrush(BS_SOLID, 0xC0C0C0);
    objects[GRAY_BRUSH] = StockBrush(BS_SOLID, 0x808080);
    objects[DKGRAY_BRUSH] = StockBrush(BS_SOLID, 0x404040);
    objects[BLACK_BRUSH] = StockBrush(BS_SOLID, 0x000000);
    objects[NULL_BRUSH] = StockBrush(BS_NULL, 0);
    objects[WHITE_PEN] = StockPen(PS_SOLID, 0xFFFFFF);
    objects[BLACK_PEN] = StockPen(PS_SOLID, 0x000000);
    objects[NULL_PEN] = StockPen(PS_NULL, 0);
    objects[OEM_FIXED_FONT] = StockFont(12, FW_NORMAL, OEM_CHARSET, FIXED_PITCH, "Terminal");
    objects[ANSI_FIXED_FONT] = StockFont(12, FW_NORMAL, ANSI_CHARSET, FIXED_PITCH, "Courier");
    objects[ANSI_VAR_FONT] =
        StockFont(12, FW_NORMAL, ANSI_CHARSET, VARIABLE_PITCH, "MS Sans Serif");
    objects[SYSTEM_FONT] = StockFont(16, FW_BOLD, ANSI_CHARSET, VARIABLE_PITCH, "System");
    objects[DEVICE_DEFAULT_FONT] = StockFont(16, FW_BOLD, ANSI_CHARSET, VARIABLE_PITCH, "System");
    objects[DEFAULT_PALETTE] = Stock(std::make_shared<Palette>());
    objects[SYSTEM_FIXED_FONT] = StockFont(16, FW_NORMAL, ANSI_CHARSET, FIXED_PITCH, "Fixedsys");
    objects[DEFAULT_GUI_FONT] =
        StockFont(-11, FW_NORMAL, DEFAULT_CHARSET, VARIABLE_PITCH, "MS Shell Dlg");
    auto bitmap = std::make_shared<Bitmap>();
    bitmap->surface = std::make_shared<Surface>(1, 1);
    bitmap->surface->set_monochrome(true);
    bitmap->bits_per_pixel = 1;
    this->bitmap = static_cast<HBITMAP>(Stock(bitmap));
  }
};

const StockObjects& Stocks() {
  static auto& stocks = *new const StockObjects;
  return stocks;
}

}  // namespace

HGDIOBJ Register(std::shared_ptr<Object> object) {
  Table& table = Objects();
  std::lock_guard guard(table.lock);
  const std::uintptr_t handle = table.next;
  table.next += 4;
  table.objects.emplace(handle, std::move(object));
  return reinterpret_cast<HGDIOBJ>(handle);
}

std::shared_ptr<Object> Lookup(HGDIOBJ handle) {
  const auto value = reinterpret_cast<std::uintptr_t>(handle);
  if (value >= kSysColorBrushes && value < kSysColorBrushes + kSysColors) {
    auto brush = std::make_shared<Brush>();
    brush->log = {BS_SOLID, GetSysColor(static_cast<int>(value - kSysColorBrushes)), 0};
    brush->stock = true;
    return brush;
  }
  Table& table = Objects();
  std::lock_guard guard(table.lock);
  auto it = table.objects.find(value);
  return it != table.objects.end() ? it->second : nullptr;
}

std::shared_ptr<Brush> LookupBrush(HBRUSH handle) {
  const auto value = reinterpret_cast<std::uintptr_t>(handle);
  // FillRect and the window classes take COLOR_ index + 1 as a brush.
  if (value >= 1 && value <= kSysColors) {
    return LookupBrush(reinterpret_cast<HBRUSH>(kSysColorBrushes + value - 1));
  }
  return As<Brush>(Lookup(handle), Kind::kBrush);
}

HBITMAP DefaultBitmap() {
  return Stocks().bitmap;
}

void SelectDefaults(DcState& state) {
  state.pen_handle = static_cast<HPEN>(GetStockObject(BLACK_PEN));
  state.pen = As<Pen>(Lookup(state.pen_handle), Kind::kPen);
  state.brush_handle = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  state.brush = LookupBrush(state.brush_handle);
  state.font_handle = static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
  state.font = As<Font>(Lookup(state.font_handle), Kind::kFont);
  state.palette = static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE));
}

}  // namespace gdi

using gdi::Kind;

HGDIOBJ GetStockObject(int index) {
  if (index < 0 || index > DEFAULT_GUI_FONT) return nullptr;
  return gdi::Stocks().objects[index];
}

HPEN CreatePenIndirect(const LOGPEN* pen) {
  if (pen == nullptr || (pen->lopnStyle & PS_STYLE_MASK) > PS_INSIDEFRAME) {
    SetLastError(gdi::kInvalidParameter);
    return nullptr;
  }
  auto object = std::make_shared<gdi::Pen>();
  object->log = *pen;
  object->log.lopnColor &= 0xFFFFFF;
  if (object->log.lopnWidth.x < 0) object->log.lopnWidth.x = 0;
  object->log.lopnWidth.y = 0;
  return static_cast<HPEN>(gdi::Register(object));
}

HPEN CreatePen(int style, int width, COLORREF color) {
  const LOGPEN pen{static_cast<UINT>(style), {width, 0}, color};
  return CreatePenIndirect(&pen);
}

HBRUSH CreateBrushIndirect(const LOGBRUSH* brush) {
  if (brush == nullptr) return nullptr;
  switch (brush->lbStyle) {
    case BS_SOLID:
    case BS_NULL:
      break;
    case BS_HATCHED:
      if (brush->lbHatch > HS_DIAGCROSS) return nullptr;
      break;
    case BS_PATTERN:
      return CreatePatternBrush(reinterpret_cast<HBITMAP>(brush->lbHatch));
    default:
      SetLastError(gdi::kInvalidParameter);
      return nullptr;
  }
  auto object = std::make_shared<gdi::Brush>();
  object->log = *brush;
  object->log.lbColor &= 0xFFFFFF;
  return static_cast<HBRUSH>(gdi::Register(object));
}

HBRUSH CreateSolidBrush(COLORREF color) {
  const LOGBRUSH brush{BS_SOLID, color, 0};
  return CreateBrushIndirect(&brush);
}

HBRUSH CreateHatchBrush(int hatch, COLORREF color) {
  if (hatch < HS_HORIZONTAL || hatch > HS_DIAGCROSS) return nullptr;
  const LOGBRUSH brush{BS_HATCHED, color, static_cast<ULONG_PTR>(hatch)};
  return CreateBrushIndirect(&brush);
}

HBRUSH CreatePatternBrush(HBITMAP bitmap) {
  auto source = gdi::As<gdi::Bitmap>(gdi::Lookup(bitmap), Kind::kBitmap);
  if (source == nullptr) {
    SetLastError(gdi::kInvalidHandle);
    return nullptr;
  }
  auto object = std::make_shared<gdi::Brush>();
  object->log = {BS_PATTERN, 0, reinterpret_cast<ULONG_PTR>(bitmap)};
  object->pattern = std::make_shared<gdi::Surface>(*source->surface);
  return static_cast<HBRUSH>(gdi::Register(object));
}

HFONT CreateFontIndirectA(const LOGFONTA* font) {
  if (font == nullptr) return nullptr;
  auto object = std::make_shared<gdi::Font>();
  object->log = *font;
  object->log.lfFaceName[LF_FACESIZE - 1] = '\0';
  return static_cast<HFONT>(gdi::Register(object));
}

HGDIOBJ SelectObject(HDC dc, HGDIOBJ handle) {
  gdi::DeviceContext* context = gdi::DeviceContext::FromHandle(dc);
  std::shared_ptr<gdi::Object> object = gdi::Lookup(handle);
  if (context == nullptr || object == nullptr) {
    SetLastError(gdi::kInvalidHandle);
    return nullptr;
  }
  gdi::DcState& state = context->state();
  switch (object->kind) {
    case Kind::kPen: {
      HPEN previous = state.pen_handle;
      context->SelectPen(static_cast<HPEN>(handle), std::static_pointer_cast<gdi::Pen>(object));
      return previous;
    }
    case Kind::kBrush: {
      HBRUSH previous = state.brush_handle;
      state.brush_handle = static_cast<HBRUSH>(handle);
      state.brush = std::static_pointer_cast<gdi::Brush>(object);
      return previous;
    }
    case Kind::kFont: {
      HFONT previous = state.font_handle;
      state.font_handle = static_cast<HFONT>(handle);
      state.font = std::static_pointer_cast<gdi::Font>(object);
      return previous;
    }
    case Kind::kBitmap: {
      HBITMAP previous = state.bitmap_handle;
      if (context->area() != gdi::DeviceContext::Area::kMemory) return nullptr;
      if (!context->SelectBitmap(static_cast<HBITMAP>(handle),
                                 std::static_pointer_cast<gdi::Bitmap>(object))) {
        return nullptr;
      }
      return previous;
    }
    case Kind::kRegion:
      return reinterpret_cast<HGDIOBJ>(
          static_cast<std::intptr_t>(SelectClipRgn(dc, static_cast<HRGN>(handle))));
    case Kind::kPalette:
      break;
  }
  return nullptr;
}

HGDIOBJ GetCurrentObject(HDC dc, UINT type) {
  gdi::DeviceContext* context = gdi::DeviceContext::FromHandle(dc);
  if (context == nullptr) return nullptr;
  const gdi::DcState& state = context->state();
  switch (type) {
    case OBJ_PEN:
      return state.pen_handle;
    case OBJ_BRUSH:
      return state.brush_handle;
    case OBJ_FONT:
      return state.font_handle;
    case OBJ_BITMAP:
      return state.bitmap_handle;
    case OBJ_PAL:
      return state.palette;
    default:
      return nullptr;
  }
}

BOOL DeleteObject(HGDIOBJ handle) {
  std::shared_ptr<gdi::Object> object = gdi::Lookup(handle);
  if (object == nullptr) return FALSE;
  // Stock objects stay; deleting one is accepted and does nothing.
  if (object->stock) return TRUE;
  // A bitmap selected into a context cannot go; a pen or brush can, and the
  // context keeps drawing with it until something else is selected.
  if (object->kind == Kind::kBitmap &&
      std::static_pointer_cast<gdi::Bitmap>(object)->selected > 0) {
    return FALSE;
  }
  gdi::Table& table = gdi::Objects();
  std::lock_guard guard(table.lock);
  table.objects.erase(reinterpret_cast<std::uintptr_t>(handle));
  return TRUE;
}

DWORD GetObjectType(HGDIOBJ handle) {
  if (gdi::DeviceContext* context = gdi::DeviceContext::FromHandle(static_cast<HDC>(handle))) {
    return context->area() == gdi::DeviceContext::Area::kMemory ? OBJ_MEMDC : OBJ_DC;
  }
  std::shared_ptr<gdi::Object> object = gdi::Lookup(handle);
  if (object == nullptr) return 0;
  switch (object->kind) {
    case Kind::kPen:
      return OBJ_PEN;
    case Kind::kBrush:
      return OBJ_BRUSH;
    case Kind::kFont:
      return OBJ_FONT;
    case Kind::kBitmap:
      return OBJ_BITMAP;
    case Kind::kRegion:
      return 8;  // OBJ_REGION
    case Kind::kPalette:
      return OBJ_PAL;
  }
  return 0;
}

namespace {

// Copies `record` to `buffer` as GetObjectA does: the size asked for at most,
// and the record's size when there is no buffer.
template <typename T>
int CopyOut(const T& record, int size, LPVOID buffer) {
  if (buffer == nullptr) return sizeof(T);
  const int n = std::min<int>(size, sizeof(T));
  if (n <= 0) return 0;
  std::memcpy(buffer, &record, n);
  return n;
}

BITMAP BitmapRecord(gdi::Bitmap& bitmap) {
  BITMAP record{};
  record.bmWidth = bitmap.surface->width();
  record.bmHeight = bitmap.surface->height();
  record.bmPlanes = 1;
  record.bmBitsPixel = bitmap.bits_per_pixel;
  // Rows are padded to 16 bits for device-dependent bitmaps, to 32 for DIBs.
  const int bits = record.bmWidth * record.bmBitsPixel;
  record.bmWidthBytes = bitmap.dib ? (bits + 31) / 32 * 4 : (bits + 15) / 16 * 2;
  if (bitmap.dib) record.bmBits = bitmap.surface->bits();
  return record;
}

}  // namespace

int GetObjectA(HGDIOBJ handle, int size, LPVOID buffer) {
  std::shared_ptr<gdi::Object> object = gdi::Lookup(handle);
  if (object == nullptr) {
    SetLastError(gdi::kInvalidHandle);
    return 0;
  }
  switch (object->kind) {
    case Kind::kPen:
      return CopyOut(std::static_pointer_cast<gdi::Pen>(object)->log, size, buffer);
    case Kind::kBrush:
      return CopyOut(std::static_pointer_cast<gdi::Brush>(object)->log, size, buffer);
    case Kind::kFont:
      return CopyOut(std::static_pointer_cast<gdi::Font>(object)->log, size, buffer);
    case Kind::kBitmap: {
      auto& bitmap = *std::static_pointer_cast<gdi::Bitmap>(object);
      if (bitmap.dib && (buffer == nullptr || size >= static_cast<int>(sizeof(DIBSECTION)))) {
        DIBSECTION section{};
        section.dsBm = BitmapRecord(bitmap);
        section.dsBmih = bitmap.header;
        return CopyOut(section, size, buffer);
      }
      return CopyOut(BitmapRecord(bitmap), size, buffer);
    }
    case Kind::kPalette: {
      const WORD entries = 20;
      return CopyOut(entries, size, buffer);
    }
    case Kind::kRegion:
      return 0;
  }
  return 0;
}

BOOL UnrealizeObject(HGDIOBJ handle) {
  // Brushes are realised at every use, so there is nothing to reset.
  return gdi::Lookup(handle) != nullptr ? TRUE : FALSE;
}

HPALETTE SelectPalette(HDC dc, HPALETTE palette, BOOL) {
  gdi::DeviceContext* context = gdi::DeviceContext::FromHandle(dc);
  auto object = gdi::As<gdi::Palette>(gdi::Lookup(palette), Kind::kPalette);
  if (context == nullptr || object == nullptr) return nullptr;
  HPALETTE previous = context->state().palette;
  context->state().palette = palette;
  return previous;
}

UINT RealizePalette(HDC dc) {
  // 32-bit surfaces have no palette: nothing is ever mapped.
  return gdi::DeviceContext::FromHandle(dc) != nullptr ? 0 : GDI_ERROR;
}

HRGN CreateRectRgn(int left, int top, int right, int bottom) {
  auto region = std::make_shared<gdi::Region>();
  const RECT rect{std::min(left, right), std::min(top, bottom), std::max(left, right),
                  std::max(top, bottom)};
  if (!gdi::IsEmpty(rect)) region->rects.push_back(rect);
  return static_cast<HRGN>(gdi::Register(region));
}

HRGN CreateRectRgnIndirect(const RECT* rect) {
  if (rect == nullptr) return nullptr;
  return CreateRectRgn(rect->left, rect->top, rect->right, rect->bottom);
}

HBRUSH GetSysColorBrush(int index) {
  // Stable handles, one per system colour, that Lookup turns into solid
  // brushes of the colour as it is when they are used; never deleted.
  return reinterpret_cast<HBRUSH>(gdi::kSysColorBrushes + static_cast<std::uintptr_t>(index));
}
