// Icons: the mask keeps the background where it is set, the image is drawn
// where it is clear; DrawIcon stretches to the system's size. The system
// icons are real pictures, and GetIconInfo hands out copies of an icon's
// bitmaps.
#include <gtest/gtest.h>
#include <platform/icons.h>
#include <platform/kernel.h>
#include <platform/windows.h>

#include "tests/platform/gdi/canvas.h"

namespace {

// 2 x 2: the top-left pixel is transparent (mask 1, image black), the rest red.
HICON MakeTwoByTwo(BOOL is_icon) {
  const WORD mask_rows[2] = {0x80, 0x00};  // rows padded to 16 bits
  HBITMAP mask = CreateBitmap(2, 2, 1, 1, mask_rows);
  Canvas image(2, 2, kRed);
  image.Set(0, 0, kBlack);
  HBITMAP color = static_cast<HBITMAP>(GetCurrentObject(image.dc(), OBJ_BITMAP));
  const ICONINFO info{is_icon, 1, 0, mask, color};
  HICON icon = CreateIconIndirect(&info);
  DeleteObject(mask);
  return icon;
}

TEST(Icons, MaskThenImage) {
  HICON icon = MakeTwoByTwo(TRUE);
  ASSERT_NE(icon, nullptr);
  Canvas target(6, 4, kBlue);
  EXPECT_TRUE(DrawIconEx(target.dc(), 1, 1, icon, 0, 0, 0, nullptr, DI_NORMAL));
  Canvas expected(6, 4, kBlue);
  expected.Fill(1, 1, 3, 3, kRed);
  expected.Set(1, 1, kBlue);  // transparent
  EXPECT_TRUE(SamePixels(target, expected));

  EXPECT_TRUE(DestroyIcon(icon));
  SetLastError(0);
  EXPECT_FALSE(DrawIconEx(target.dc(), 0, 0, icon, 0, 0, 0, nullptr, DI_NORMAL));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_CURSOR_HANDLE);
}

TEST(Icons, GetIconInfoGivesFreshCopies) {
  for (const BOOL is_icon : {TRUE, FALSE}) {
    HICON icon = MakeTwoByTwo(is_icon);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    EXPECT_EQ(info.fIcon, is_icon);
    // An icon's hot spot is its centre, a cursor's the one given: (1, 0).
    EXPECT_EQ(info.xHotspot, 1u);
    EXPECT_EQ(info.yHotspot, is_icon ? 1u : 0u);
    ICONINFO again{};
    ASSERT_TRUE(GetIconInfo(icon, &again));
    EXPECT_NE(again.hbmMask, info.hbmMask);
    BITMAP mask{}, color{};
    ASSERT_TRUE(GetObjectA(info.hbmMask, sizeof mask, &mask));
    ASSERT_TRUE(GetObjectA(info.hbmColor, sizeof color, &color));
    EXPECT_EQ(mask.bmBitsPixel, 1);
    EXPECT_EQ(color.bmWidth, 2);
    // The copies draw the icon again, and deleting them leaves it whole.
    HDC from = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(from, info.hbmColor);
    EXPECT_EQ(GetPixel(from, 1, 1), kRed);
    SelectObject(from, old);
    DeleteDC(from);
    for (const ICONINFO& got : {info, again}) {
      EXPECT_TRUE(DeleteObject(got.hbmMask));
      EXPECT_TRUE(DeleteObject(got.hbmColor));
    }
    Canvas target(32, 32, kBlue);
    EXPECT_TRUE(DrawIcon(target.dc(), 0, 0, icon));  // stretched to the system's icon size
    EXPECT_EQ(target.At(4, 4), kBlue);
    EXPECT_EQ(target.At(20, 4), kRed);
    EXPECT_EQ(target.At(31, 31), kRed);
    DestroyIcon(icon);
  }
}

// What a shaded colour is, roughly.
char Hue(COLORREF c) {
  const int r = GetRValue(c), g = GetGValue(c), b = GetBValue(c);
  if (r > 200 && g > 200 && b > 200) return 'w';
  if (r < 60 && g < 60 && b < 60) return 'k';
  if (b > 150 && r < 120) return 'b';
  if (r > 200 && g > 150 && b < 100) return 'y';
  if (r > 150 && g < 110 && b < 110) return 'r';
  return '?';
}

TEST(Icons, SystemIconsArePictures) {
  const struct {
    LPCSTR name;
    char mark;  // at the centre
    char body;  // beside the mark
    POINT at;
  } cases[] = {
      {IDI_ERROR, 'w', 'r', {16, 6}},        // a white X on a red disc
      {IDI_WARNING, 'k', 'y', {8, 26}},      // a black ! on a yellow triangle
      {IDI_INFORMATION, 'w', 'b', {6, 16}},  // a white i on a blue disc
      {IDI_QUESTION, 'w', 'b', {6, 16}},     // a white ? on a blue disc
      {IDI_APPLICATION, 'w', 'b', {16, 7}},  // a window with a blue title
  };
  constexpr COLORREF kGray = RGB(128, 128, 128);
  for (const auto& c : cases) {
    SCOPED_TRACE(reinterpret_cast<std::uintptr_t>(c.name));
    Canvas canvas(32, 32, kGray);
    HICON icon = LoadIconA(nullptr, c.name);
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(LoadIconA(nullptr, c.name), icon);
    ASSERT_TRUE(DrawIcon(canvas.dc(), 0, 0, icon));
    EXPECT_EQ(Hue(canvas.At(16, 16)), c.mark);
    EXPECT_EQ(Hue(canvas.At(c.at.x, c.at.y)), c.body);
    EXPECT_EQ(canvas.At(0, 0), kGray);  // the corners keep the background
    EXPECT_EQ(canvas.At(31, 31), kGray);
    EXPECT_TRUE(DestroyIcon(icon));  // shared: it stays
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    EXPECT_EQ(info.xHotspot, 16u);
    DeleteObject(info.hbmMask);
    DeleteObject(info.hbmColor);
  }
}

}  // namespace
