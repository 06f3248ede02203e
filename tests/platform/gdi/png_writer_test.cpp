// PNG pictures of bitmaps and windows, read back with libpng.
#include <png.h>

#include <cstdint>
#include <vector>

#include <gtest/gtest.h>
#include <platform/headless.h>
#include <platform/picture.h>
#include <platform/windows.h>

#include "tests/platform/gdi/canvas.h"
#include "tests/support/temp_dir.h"
#include "tests/support/test_window.h"

namespace {

struct Image {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgb;
  COLORREF At(int x, int y) const {
    const std::uint8_t* p = &rgb[(y * width + x) * 3];
    return RGB(p[0], p[1], p[2]);
  }
};

Image Read(const std::string& path) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  Image out;
  if (!png_image_begin_read_from_file(&image, path.c_str())) return out;
  image.format = PNG_FORMAT_RGB;
  out.rgb.resize(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, out.rgb.data(), 0, nullptr)) return out;
  out.width = static_cast<int>(image.width);
  out.height = static_cast<int>(image.height);
  return out;
}

TEST(PngWriter, ABitmapRoundTrips) {
  TempDir dir;
  Canvas canvas(3, 2, RGB(1, 2, 3));
  SetPixel(canvas.dc(), 2, 1, RGB(200, 100, 50));
  ASSERT_TRUE(SaveBitmapPicture(canvas.bitmap(), dir.File("b.png").c_str()));
  const Image image = Read(dir.File("b.png"));
  ASSERT_EQ(image.width, 3);
  ASSERT_EQ(image.height, 2);
  EXPECT_EQ(image.At(0, 0), RGB(1, 2, 3));
  EXPECT_EQ(image.At(2, 1), RGB(200, 100, 50));
  EXPECT_FALSE(SaveBitmapPicture(canvas.bitmap(), dir.File("missing/b.png").c_str()));
}

class WindowPictures : public testing::Test {
 protected:
  WindowPictures() { host::Headless().Reset(); }
  ~WindowPictures() override {
    ResetTestWindows();
    DrainMessages();
  }
};

TEST_F(WindowPictures, ClientAreaOrWholeWindow) {
  TempDir dir;
  HWND window = MakeWindow(WS_POPUP | WS_BORDER | WS_VISIBLE, 50, 60, 12, 10);
  DrainMessages();
  HDC whole = GetWindowDC(window);
  RECT all{0, 0, 12, 10};
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  FillRect(whole, &all, red);
  ReleaseDC(window, whole);
  HDC client = GetDC(window);
  SetPixel(client, 0, 0, RGB(0, 0, 255));
  ReleaseDC(window, client);
  DeleteObject(red);

  ASSERT_TRUE(SaveWindowPicture(window, dir.File("w.png").c_str(), TRUE));
  Image image = Read(dir.File("w.png"));
  ASSERT_EQ(image.width, 12);
  ASSERT_EQ(image.height, 10);
  EXPECT_EQ(image.At(0, 0), RGB(255, 0, 0));
  EXPECT_EQ(image.At(1, 1), RGB(0, 0, 255));  // the client area starts inside the border

  ASSERT_TRUE(SaveWindowPicture(window, dir.File("c.png").c_str(), FALSE));
  image = Read(dir.File("c.png"));
  EXPECT_EQ(image.width, 10);
  EXPECT_EQ(image.height, 8);
  EXPECT_EQ(image.At(0, 0), RGB(0, 0, 255));
}

}  // namespace
