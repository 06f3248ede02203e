#include "framework/graphics/icon.h"

#include <platform/windows.h>

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
  if (FirstPicture(data_, picture)) {
    handle_ =
        CreateIconFromResourceEx(const_cast<PBYTE>(picture.image), static_cast<DWORD>(picture.size),
                                 TRUE, 0x00030000, picture.width, picture.height, LR_DEFAULTCOLOR);
  }
  if (handle_ == nullptr) throw EInvalidGraphic(LoadResString(SInvalidIcon));
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
