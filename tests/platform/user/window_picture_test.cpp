// Saved pictures of windows: the client area or the whole window with the
// frame and caption the default handling drew.
#include <gtest/gtest.h>
#include <platform/picture.h>

#include "tests/support/png_image.h"
#include "tests/support/temp_dir.h"
#include "tests/support/test_window.h"

namespace {

using WindowPictures = WindowTest;

TEST_F(WindowPictures, ClientAreaOrWholeWindowWithItsFrame) {
  HWND window = CreateWindowExA(0, TestWindowClass(), "Tavrion v2.2",
                                WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_VISIBLE, 40, 40, 320,
                                200, nullptr, nullptr, nullptr, nullptr);
  DrainMessages();
  HDC client = GetDC(window);
  SetPixel(client, 0, 0, RGB(0, 0, 255));
  ReleaseDC(window, client);
  TempDir dir;
  const std::string path = dir.File("w.png");

  ASSERT_TRUE(SaveWindowPicture(window, path.c_str(), TRUE));
  PngImage image = ReadPng(path);
  EXPECT_EQ(image.width, 320);
  EXPECT_EQ(image.height, 200);
  // A raised edge (light outer corner), the active caption's colour right of
  // the title, and the client area inside the 3-pixel frame and 19-pixel caption.
  EXPECT_EQ(image.At(0, 0), GetSysColor(COLOR_3DLIGHT));
  EXPECT_EQ(image.At(200, 3 + 8), GetSysColor(COLOR_ACTIVECAPTION));
  EXPECT_EQ(image.At(3, 3 + 19), RGB(0, 0, 255));

  ASSERT_TRUE(SaveWindowPicture(window, path.c_str(), FALSE));
  image = ReadPng(path);
  EXPECT_EQ(image.width, 320 - 6);
  EXPECT_EQ(image.height, 200 - 6 - 19);
  EXPECT_EQ(image.At(0, 0), RGB(0, 0, 255));
}

}  // namespace
