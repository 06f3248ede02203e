#include "framework/graphics/icon.h"

#include <cstring>

#include <platform/windows.h>

#include "framework/graphics/bitmap.h"
#include "framework/graphics/canvas.h"
#include "framework/rtl/sysconst.h"
#include "framework/streaming/streams.h"
#include "rtl/resstrings.h"

TAVRION_CLASS_INFO(TIcon, "Graphics") {}

namespace {

std::uint32_t Read32(const unsigned char* at) {
  return at[0] | at[1] << 8 | at[2] << 16 | static_cast<std::uint32_t>(at[3]) << 24;
}
std::uint16_t Read16(const unsigned char* at) {
  return static_cast<std::uint16_t>(at[0] | at[1] << 8);
}

// The first picture of an icon file, as the icon file lays it out.
struct Picture {
  int width = 0;
  int height = 0;
  const unsigned char* image = nullptr;  // BITMAPINFOHEADER, colours, pixels, mask
  std::size_t size = 0;
};

bool FirstPicture(const std::vector<unsigned char>& data, Picture& picture) {
  if (data.size() < 22 || Read16(&data[0]) != 0 || Read16(&data[2]) != 1 || Read16(&data[4]) == 0) {
    return false;
  }
  const unsigned char* entry = &data[6];
  picture.width = entry[0] == 0 ? 256 : entry[0];
  picture.height = entry[1] == 0 ? 256 : entry[1];
  picture.size = Read32(entry + 8);
  const std::uint32_t offset = Read32(entry + 12);
  if (offset > data.size() || picture.size > data.size() - offset || picture.size < 40)
    return false;
  picture.image = &data[offset];
  return Read32(picture.image) == 40;  // a PNG picture inside is not read here
}

// The picture's colours as top-down 0x00RRGGBB pixels and its mask as a
// monochrome bitmap's rows; false when the picture is cut short.
bool Decode(const Picture& picture, std::vector<std::uint32_t>& pixels,
            std::vector<unsigned char>& mask) {
  const unsigned char* header = picture.image;
  const int bits = Read16(header + 14);
  if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32) return false;
  const int w = picture.width;
  const int h = picture.height;
  std::size_t colours = bits <= 8 ? Read32(header + 32) : 0;
  if (bits <= 8 && colours == 0) colours = std::size_t{1} << bits;
  const std::size_t colour_row = (static_cast<std::size_t>(w) * bits + 31) / 32 * 4;
  const std::size_t mask_row = (static_cast<std::size_t>(w) + 31) / 32 * 4;
  const std::size_t needed = 40 + colours * 4 + colour_row * h + mask_row * h;
  if (needed > picture.size) return false;
  const unsigned char* palette = header + 40;
  const unsigned char* colour = palette + colours * 4;
  const unsigned char* and_mask = colour + colour_row * h;
  pixels.assign(static_cast<std::size_t>(w) * h, 0);
  const std::size_t out_row = (static_cast<std::size_t>(w) + 15) / 16 * 2;
  mask.assign(out_row * h, 0);
  for (int y = 0; y < h; ++y) {
    const unsigned char* row = colour + colour_row * static_cast<std::size_t>(h - 1 - y);
    for (int x = 0; x < w; ++x) {
      std::uint32_t bgr = 0;
      if (bits <= 8) {
        const int per_byte = 8 / bits;
        const int shift = 8 - bits * (x % per_byte + 1);
        const std::size_t index = (row[x / per_byte] >> shift) & ((1 << bits) - 1);
        if (index < colours) bgr = Read32(palette + index * 4);
      } else {
        const unsigned char* p = row + static_cast<std::size_t>(x) * (bits / 8);
        bgr = p[0] | p[1] << 8 | p[2] << 16;
      }
      pixels[static_cast<std::size_t>(y) * w + x] = bgr & 0xFFFFFF;
    }
    std::memcpy(&mask[out_row * y], and_mask + mask_row * static_cast<std::size_t>(h - 1 - y),
                (static_cast<std::size_t>(w) + 7) / 8);
  }
  return true;
}

}  // namespace

TIcon::~TIcon() {
  ReleaseHandle();
}

void TIcon::ReleaseHandle() {
  if (handle_ != nullptr) DestroyIcon(handle_);
  handle_ = nullptr;
}

void TIcon::Assign(TPersistent* source) {
  if (auto* icon = dynamic_cast<TIcon*>(source)) {
    SetData(icon->data_);
    return;
  }
  TPersistent::Assign(source);
}

TGraphic* TIcon::NewOfSameClass() const {
  return Construct<TIcon>();
}

void TIcon::SetWidth(int) {
  throw EInvalidGraphicOperation(LoadResString(SChangeIconSize));
}

void TIcon::SetHeight(int) {
  throw EInvalidGraphicOperation(LoadResString(SChangeIconSize));
}

void TIcon::SetData(std::vector<unsigned char> data) {
  Picture picture;
  if (!data.empty() && !FirstPicture(data, picture)) {
    throw EInvalidGraphic(LoadResString(SInvalidIcon));
  }
  ReleaseHandle();
  data_ = std::move(data);
  width_ = picture.width;
  height_ = picture.height;
  NotifyChanged(this);
}

void TIcon::LoadFromStream(TStream& stream) {
  std::vector<unsigned char> data(static_cast<std::size_t>(stream.Size() - stream.Position()));
  if (!data.empty() && stream.Read(data.data(), static_cast<std::int32_t>(data.size())) !=
                           static_cast<std::int32_t>(data.size())) {
    throw EInvalidGraphic(LoadResString(SInvalidIcon));
  }
  SetData(std::move(data));
}

void TIcon::DefineProperties(TFiler* filer) {
  TGraphic::DefineProperties(filer);
  filer->DefineBinaryProperty("Data", [this](TStream& stream) { LoadFromStream(stream); });
}

HICON TIcon::Handle() {
  if (handle_ != nullptr || data_.empty()) return handle_;
  Picture picture;
  std::vector<std::uint32_t> pixels;
  std::vector<unsigned char> mask;
  if (!FirstPicture(data_, picture) || !Decode(picture, pixels, mask)) {
    throw EInvalidGraphic(LoadResString(SInvalidIcon));
  }
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = picture.width;
  info.bmiHeader.biHeight = -picture.height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  ICONINFO icon{TRUE, 0, 0, nullptr, nullptr};
  icon.hbmColor = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  icon.hbmMask = CreateBitmap(picture.width, picture.height, 1, 1, mask.data());
  if (icon.hbmColor != nullptr && bits != nullptr) {
    std::memcpy(bits, pixels.data(), pixels.size() * sizeof(std::uint32_t));
    handle_ = CreateIconIndirect(&icon);
  }
  if (icon.hbmColor != nullptr) DeleteObject(icon.hbmColor);
  if (icon.hbmMask != nullptr) DeleteObject(icon.hbmMask);
  if (handle_ == nullptr) GDIError();
  return handle_;
}

void TIcon::SetHandle(HICON value) {
  if (value == handle_) return;
  ReleaseHandle();
  data_.clear();
  handle_ = value;
  width_ = value != nullptr ? GetSystemMetrics(SM_CXICON) : 0;
  height_ = value != nullptr ? GetSystemMetrics(SM_CYICON) : 0;
  NotifyChanged(this);
}

void TIcon::Draw(TCanvas* canvas, const RECT& rect) {
  DrawIconEx(canvas->Handle(), rect.left, rect.top, Handle(), rect.right - rect.left,
             rect.bottom - rect.top, 0, nullptr, DI_NORMAL);
}
