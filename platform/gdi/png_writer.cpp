#include "png_writer.h"

#include <png.h>

#include <algorithm>
#include <vector>

#include <platform/picture.h>

#include "objects.h"

namespace gdi {

bool WritePng(const Surface& surface, const RECT& area, const std::string& path) {
  const LONG left = std::max<LONG>(0, area.left);
  const LONG top = std::max<LONG>(0, area.top);
  const LONG right = std::min<LONG>(surface.width(), area.right);
  const LONG bottom = std::min<LONG>(surface.height(), area.bottom);
  if (right <= left || bottom <= top) return false;
  const LONG width = right - left;
  const LONG height = bottom - top;
  std::vector<png_byte> rgb(static_cast<std::size_t>(width) * height * 3);
  for (LONG y = 0; y < height; ++y) {
    const std::uint32_t* row = surface.Row(top + y) + left;
    png_byte* out = &rgb[static_cast<std::size_t>(y) * width * 3];
    for (LONG x = 0; x < width; ++x) {
      out[3 * x] = static_cast<png_byte>(row[x] >> 16);
      out[3 * x + 1] = static_cast<png_byte>(row[x] >> 8);
      out[3 * x + 2] = static_cast<png_byte>(row[x]);
    }
  }
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(width);
  image.height = static_cast<png_uint_32>(height);
  image.format = PNG_FORMAT_RGB;
  const bool written =
      png_image_write_to_file(&image, path.c_str(), 0, rgb.data(), 0, nullptr) != 0;
  png_image_free(&image);
  return written;
}

}  // namespace gdi

BOOL SaveBitmapPicture(HBITMAP handle, LPCSTR path) {
  std::shared_ptr<gdi::Object> object = gdi::Lookup(handle);
  if (path == nullptr || object == nullptr || object->kind != gdi::Kind::kBitmap) return FALSE;
  const gdi::Surface& surface = *std::static_pointer_cast<gdi::Bitmap>(object)->surface;
  return gdi::WritePng(surface, {0, 0, surface.width(), surface.height()}, path) ? TRUE : FALSE;
}
