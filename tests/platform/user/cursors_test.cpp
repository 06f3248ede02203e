// System cursors and icons: stable handles, never destroyed; the cursors' masks
// and hot spots; the shown cursor; the program's own cursors and icon from its
// resources, shown as pictures.
#include <tuple>
#include <utility>

#include <gtest/gtest.h>
#include <platform/gdi.h>
#include <platform/headless.h>
#include <platform/icons.h>
#include <platform/kernel.h>
#include <platform/resources.h>
#include <platform/windows.h>

#include "platform/user/cursors.h"

namespace {

TEST(Cursors, SystemCursorsHaveStableDistinctHandles) {
  const LPCSTR names[] = {IDC_ARROW,    IDC_IBEAM,    IDC_WAIT,        IDC_CROSS,  IDC_UPARROW,
                          IDC_SIZENWSE, IDC_SIZENESW, IDC_SIZEWE,      IDC_SIZENS, IDC_SIZEALL,
                          IDC_NO,       IDC_HAND,     IDC_APPSTARTING, IDC_HELP};
  std::vector<HCURSOR> seen;
  for (LPCSTR name : names) {
    HCURSOR cursor = LoadCursorA(nullptr, name);
    ASSERT_NE(cursor, nullptr) << reinterpret_cast<std::uintptr_t>(name);
    EXPECT_EQ(LoadCursorA(nullptr, name), cursor);
    EXPECT_EQ(user::SystemCursorId(cursor), reinterpret_cast<std::uintptr_t>(name));
    EXPECT_EQ(std::count(seen.begin(), seen.end(), cursor), 0);
    seen.push_back(cursor);
  }
  // The obsolete size cursor is the size-all one.
  EXPECT_EQ(LoadCursorA(nullptr, MAKEINTRESOURCEA(32640)), LoadCursorA(nullptr, IDC_SIZEALL));
}

// The first and last rows, counted from the top, of the AND half of a
// cursor's mask that show something.
using Rows = std::pair<int, int>;

Rows OpaqueRows(HBITMAP mask, int width) {
  Rows rows{-1, -1};
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, mask);
  for (int y = 0; y < width; ++y) {
    for (int x = 0; x < width; ++x) {
      if (GetPixel(dc, x, y) == RGB(255, 255, 255)) continue;
      if (rows.first < 0) rows.first = y;
      rows.second = y;
    }
  }
  SelectObject(dc, old);
  DeleteDC(dc);
  return rows;
}

TEST(Cursors, SystemCursorsAreMonochromeMasksWithTheirHotSpots) {
  using Hotspot = std::pair<DWORD, DWORD>;
  const std::tuple<LPCSTR, Hotspot, Rows> cases[] = {
      {IDC_ARROW, {0, 0}, {0, 19}},     {IDC_IBEAM, {16, 16}, {3, 28}},
      {IDC_CROSS, {16, 16}, {2, 29}},   {IDC_UPARROW, {16, 0}, {0, 24}},
      {IDC_SIZEWE, {16, 16}, {12, 19}}, {IDC_HELP, {0, 0}, {0, 19}},
  };
  for (const auto& [name, hotspot, rows] : cases) {
    SCOPED_TRACE(reinterpret_cast<std::uintptr_t>(name));
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(LoadCursorA(nullptr, name), &info));
    EXPECT_FALSE(info.fIcon);
    EXPECT_EQ(std::pair(info.xHotspot, info.yHotspot), hotspot);
    EXPECT_EQ(info.hbmColor, nullptr);
    BITMAP mask{};
    ASSERT_TRUE(GetObjectA(info.hbmMask, sizeof mask, &mask));
    // The AND half above the XOR half.
    EXPECT_EQ(std::tuple(mask.bmBitsPixel, mask.bmWidth, mask.bmHeight), std::tuple(1, 32, 64));
    EXPECT_EQ(OpaqueRows(info.hbmMask, 32), rows);
    EXPECT_TRUE(DeleteObject(info.hbmMask));
  }
}

TEST(Cursors, UnknownNamesAndOtherModulesGiveNothing) {
  const HINSTANCE program = GetModuleHandleA(nullptr);
  int marker = 0;
  const std::pair<HINSTANCE, LPCSTR> cases[] = {
      {nullptr, MAKEINTRESOURCEA(32761)},  // the program's, not the system's
      {nullptr, "ARROW"},
      {program, IDC_ARROW},  // the system's, not the program's
      {program, MAKEINTRESOURCEA(32760)},
      {reinterpret_cast<HINSTANCE>(&marker), MAKEINTRESOURCEA(32761)}};
  for (const auto& [instance, name] : cases) {
    EXPECT_EQ(LoadCursorA(instance, name), nullptr) << reinterpret_cast<std::uintptr_t>(name);
  }
  const std::pair<HINSTANCE, LPCSTR> icons[] = {
      {program, "NOICON"}, {program, IDI_APPLICATION}, {program, MAKEINTRESOURCEA(32761)}};
  for (const auto& [instance, name] : icons) {
    SetLastError(0);
    EXPECT_EQ(LoadIconA(instance, name), nullptr) << reinterpret_cast<std::uintptr_t>(name);
    EXPECT_EQ(GetLastError(), ERROR_RESOURCE_NAME_NOT_FOUND);
  }
}

// The program's icon loads once at the system's icon size, stays shared, and
// draws as the icon file painted it: a grey frame, a dotted dark-green middle
// line and green pulses on black.
TEST(Cursors, TheProgramsIconLoadsSharedAndDrawsItsPicture) {
  const HICON icon = LoadIconA(GetModuleHandleA(nullptr), "mainicon");
  ASSERT_NE(icon, nullptr);
  EXPECT_EQ(LoadIconA(GetModuleHandleA(nullptr), "MAINICON"), icon);
  int marker = 0;  // another module does not share the program's
  EXPECT_EQ(LoadIconA(reinterpret_cast<HINSTANCE>(&marker), "MAINICON"), nullptr);
  EXPECT_TRUE(DestroyIcon(icon));
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), 32, -32, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(dc, bitmap);
  PatBlt(dc, 0, 0, 32, 32, WHITENESS);
  ASSERT_TRUE(DrawIconEx(dc, 0, 0, icon, 0, 0, 0, nullptr, DI_NORMAL));
  const std::tuple<int, int, COLORREF> pixels[] = {
      {0, 0, RGB(128, 128, 128)}, {31, 31, RGB(128, 128, 128)}, {1, 1, RGB(0, 0, 0)},
      {2, 16, RGB(0, 128, 0)},    {3, 16, RGB(0, 0, 0)},        {5, 7, RGB(0, 255, 0)},
      {7, 10, RGB(0, 0, 0)},      {29, 24, RGB(0, 255, 0)}};
  for (const auto& [x, y, colour] : pixels) {
    EXPECT_EQ(GetPixel(dc, x, y), colour) << x << "," << y;
  }
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
}

// The seven cursors the program carries load, show as a picture with clear
// and solid pixels and a hot spot inside, and can be destroyed.
TEST(Cursors, TheProgramsOwnCursorsLoadAndShowAsPictures) {
  host::Headless().Reset();
  const HINSTANCE program = GetModuleHandleA(nullptr);
  std::vector<HCURSOR> seen;
  for (WORD number = 32761; number <= 32767; ++number) {
    const HCURSOR cursor = LoadCursorA(program, MAKEINTRESOURCEA(number));
    ASSERT_NE(cursor, nullptr) << number;
    EXPECT_EQ(std::count(seen.begin(), seen.end(), cursor), 0) << number;
    seen.push_back(cursor);
    SetCursor(cursor);
    const auto picture = host::Headless().ShownCursorPicture();
    ASSERT_TRUE(picture.has_value()) << number;
    EXPECT_EQ(host::Headless().CursorShape(), 0);
    EXPECT_EQ(std::pair(picture->width, picture->height), std::pair(32, 32));
    ASSERT_EQ(picture->argb.size(), 32u * 32u);
    EXPECT_GT(std::count(picture->argb.begin(), picture->argb.end(), 0xFF000000u), 20) << number;
    EXPECT_GT(std::count(picture->argb.begin(), picture->argb.end(), 0xFFFFFFFFu), 20) << number;
    EXPECT_GT(std::count(picture->argb.begin(), picture->argb.end(), 0u), 300) << number;
    EXPECT_TRUE(picture->hotspot.x > 0 && picture->hotspot.x < 31 && picture->hotspot.y > 0 &&
                picture->hotspot.y < 31)
        << number;
  }
  SetCursor(LoadCursorA(nullptr, IDC_ARROW));
  EXPECT_FALSE(host::Headless().ShownCursorPicture().has_value());
  EXPECT_EQ(host::Headless().CursorShape(), 32512);
  for (HCURSOR cursor : seen) EXPECT_TRUE(DestroyCursor(cursor));
}

TEST(Cursors, SystemIconsAreNotCursors) {
  HICON icon = LoadIconA(nullptr, IDI_APPLICATION);
  ASSERT_NE(icon, nullptr);
  EXPECT_NE(icon, LoadCursorA(nullptr, IDC_ARROW));
  EXPECT_EQ(LoadIconA(nullptr, IDI_ERROR), LoadIconA(nullptr, IDI_HAND));
  EXPECT_EQ(user::SystemCursorId(icon), 32512);  // a host can tell which it is
  EXPECT_FALSE(DestroyCursor(icon));
}

TEST(Cursors, SetCursorReturnsThePreviousAndSystemCursorsStay) {
  HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW);
  HCURSOR wait = LoadCursorA(nullptr, IDC_WAIT);
  SetCursor(arrow);
  EXPECT_EQ(SetCursor(wait), arrow);
  EXPECT_EQ(GetCursor(), wait);
  EXPECT_TRUE(DestroyCursor(wait));
  EXPECT_EQ(LoadCursorA(nullptr, IDC_WAIT), wait);
  EXPECT_EQ(user::SystemCursorId(GetCursor()), 32514);
  EXPECT_EQ(SetCursor(nullptr), wait);  // no cursor shown
  EXPECT_EQ(GetCursor(), nullptr);
}

}  // namespace
