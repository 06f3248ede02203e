// A captioned window painted through WM_PAINT and WM_NCPAINT and saved as a
// picture: its frame and caption, text in two fonts, every pen style and
// every brush. The picture (window_showcase.png in the test's folder) is for
// people to look at; the test checks what the scheme states.
#include <cstring>
#include <filesystem>

#include <gtest/gtest.h>
#include <platform/api.h>
#include <platform/headless.h>
#include <platform/picture.h>

#include "tests/support/test_window.h"

namespace {

void Paint(HWND window) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(window, &ps);
  RECT client;
  GetClientRect(window, &client);
  FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
  SetBkMode(dc, TRANSPARENT);
  const struct {
    const char* face;
    LONG height, weight;
    BYTE italic;
    const char* text;
    int y;
  } fonts[] = {{"MS Sans Serif", -11, 400, 0, "Частота (имп/с) 300", 8},
               {"Serif", -16, 700, 1, "Стимулировать", 26}};
  for (const auto& f : fonts) {
    LOGFONTA log{};
    log.lfHeight = f.height;
    log.lfWeight = f.weight;
    log.lfItalic = f.italic;
    std::strcpy(log.lfFaceName, f.face);
    HFONT font = CreateFontIndirectA(&log);
    HGDIOBJ old = SelectObject(dc, font);
    const std::string text = codepage::Utf8ToCp1251(f.text).value();
    TextOutA(dc, 8, f.y, text.c_str(), static_cast<int>(text.size()));
    SelectObject(dc, old);
    DeleteObject(font);
  }
  const int styles[] = {PS_SOLID, PS_DASH, PS_DOT, PS_DASHDOT, PS_DASHDOTDOT};
  for (int i = 0; i < 5; ++i) {
    HPEN pen = CreatePen(styles[i], 1, RGB(0, 0, 128));
    HGDIOBJ old = SelectObject(dc, pen);
    MoveToEx(dc, 8, 56 + 6 * i, nullptr);
    LineTo(dc, 200, 56 + 6 * i);
    SelectObject(dc, old);
    DeleteObject(pen);
  }
  HPEN wide = CreatePen(PS_SOLID, 4, RGB(0, 128, 0));
  HGDIOBJ old_pen = SelectObject(dc, wide);
  MoveToEx(dc, 210, 56, nullptr);
  LineTo(dc, 290, 80);
  SelectObject(dc, old_pen);
  DeleteObject(wide);
  HBRUSH brushes[8] = {CreateSolidBrush(RGB(200, 60, 60))};
  for (int h = 0; h < 6; ++h) brushes[1 + h] = CreateHatchBrush(h, RGB(0, 0, 0));
  const WORD checker[8] = {0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55};
  HBITMAP pattern = CreateBitmap(8, 8, 1, 1, checker);
  brushes[7] = CreatePatternBrush(pattern);
  for (int i = 0; i < 8; ++i) {
    RECT r{8 + 36 * i, 96, 8 + 36 * i + 30, 126};
    FillRect(dc, &r, brushes[i]);
    DeleteObject(brushes[i]);
  }
  DeleteObject(pattern);
  RECT sunken{8, 136, 120, 160};
  DrawEdge(dc, &sunken, EDGE_SUNKEN, BF_RECT);
  EndPaint(window, &ps);
}

TEST(FramePaint, ACaptionedWindowSavedAsAPicture) {
  host::Headless().Reset();
  TestHandlers()[WM_PAINT] = [](HWND window, WPARAM, LPARAM) {
    Paint(window);
    return LRESULT{0};
  };
  HWND window = CreateWindowExA(0, TestWindowClass(), "Tavrion v2.2",
                                WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_VISIBLE, 40, 40, 320,
                                200, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(window, nullptr);
  DrainMessages();
  const std::string path = (std::filesystem::current_path() / "window_showcase.png").string();
  ASSERT_TRUE(SaveWindowPicture(window, path.c_str(), TRUE));
  EXPECT_GT(std::filesystem::file_size(path), 1000u);

  // The frame and caption as the scheme states them: a raised edge (light
  // outer corner), the active caption's colour, the client's face colour.
  HDC dc = GetWindowDC(window);
  EXPECT_EQ(GetPixel(dc, 0, 0), GetSysColor(COLOR_3DLIGHT));
  EXPECT_EQ(GetPixel(dc, 200, 3 + 8), GetSysColor(COLOR_ACTIVECAPTION));  // right of the text
  EXPECT_EQ(GetPixel(dc, 3 + 200, 3 + 19 + 180 - 40), GetSysColor(COLOR_BTNFACE));
  ReleaseDC(window, dc);
  ResetTestWindows();
}

}  // namespace
