// Device contexts: memory contexts and their bitmaps, origins, clipping,
// SaveDC/RestoreDC, the device's capabilities, and window contexts drawing
// into their top-level window's surface.
#include <tuple>

#include <gtest/gtest.h>
#include <platform/gdi.h>
#include <platform/headless.h>

#include "platform/gdi/surface.h"
#include "tests/platform/gdi/canvas.h"
#include "tests/support/rect.h"
#include "tests/support/test_window.h"

namespace {

void Fill(HDC dc, RECT r, COLORREF color) {
  HBRUSH brush = CreateSolidBrush(color);
  FillRect(dc, &r, brush);
  DeleteObject(brush);
}

TEST(DeviceContext, AFreshMemoryContextIsOneByOneMonochromeTheScreen32Bits) {
  HDC dc = CreateCompatibleDC(nullptr);
  BITMAP info{};
  ASSERT_EQ(GetObjectA(GetCurrentObject(dc, OBJ_BITMAP), sizeof info, &info),
            static_cast<int>(sizeof info));
  EXPECT_EQ(std::tuple(info.bmWidth, info.bmHeight, info.bmBitsPixel), std::tuple(1, 1, 1));
  EXPECT_EQ(GetDeviceCaps(dc, BITSPIXEL), 1);
  // So a bitmap "compatible" with it is monochrome too.
  HBITMAP bitmap = CreateCompatibleBitmap(dc, 8, 8);
  GetObjectA(bitmap, sizeof info, &info);
  EXPECT_EQ(info.bmBitsPixel, 1);
  EXPECT_EQ(GetObjectType(dc), OBJ_MEMDC);
  DeleteObject(bitmap);
  EXPECT_TRUE(DeleteDC(dc));
  EXPECT_FALSE(DeleteDC(dc));
  // The screen's.
  dc = GetDC(nullptr);
  EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSY), 96);
  EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSX), 96);
  EXPECT_EQ(GetDeviceCaps(dc, BITSPIXEL), 32);
  EXPECT_EQ(GetDeviceCaps(dc, PLANES), 1);
  EXPECT_EQ(GetDeviceCaps(dc, HORZRES), GetSystemMetrics(SM_CXSCREEN));
  ReleaseDC(nullptr, dc);
}

TEST(DeviceContext, AFreedHandleStaysRefusedAfterANewContextIsMade) {
  HDC memory = CreateCompatibleDC(nullptr);
  ASSERT_TRUE(DeleteDC(memory));
  HDC screen = GetDC(nullptr);
  ASSERT_EQ(ReleaseDC(nullptr, screen), 1);
  // The new contexts are likely to sit where the freed ones did.
  HDC new_memory = CreateCompatibleDC(nullptr);
  HDC new_screen = GetDC(nullptr);
  for (HDC stale : {memory, screen}) {
    EXPECT_NE(stale, new_memory);
    EXPECT_NE(stale, new_screen);
    EXPECT_EQ(GetObjectType(stale), 0u);
    EXPECT_EQ(SetPixel(stale, 0, 0, kRed), CLR_INVALID);
    EXPECT_EQ(ReleaseDC(nullptr, stale), 0);
    EXPECT_FALSE(DeleteDC(stale));
  }
  EXPECT_EQ(SetPixel(new_memory, 0, 0, kWhite), kWhite);
  EXPECT_EQ(GetObjectType(new_screen), OBJ_DC);
  EXPECT_TRUE(DeleteDC(new_memory));
  EXPECT_EQ(ReleaseDC(nullptr, new_screen), 1);
}

TEST(DeviceContext, OriginsMoveTheDrawing) {
  Canvas canvas(10, 10);
  // Logical (5, 5) shows at the viewport origin (2, 3).
  SetWindowOrgEx(canvas.dc(), 5, 5, nullptr);
  SetViewportOrgEx(canvas.dc(), 1, 1, nullptr);
  POINT previous{};
  OffsetViewportOrgEx(canvas.dc(), 1, 2, &previous);
  EXPECT_EQ(previous.x, 1);
  SetPixel(canvas.dc(), 5, 5, kBlack);
  Fill(canvas.dc(), {6, 6, 8, 7}, kRed);
  Canvas expected(10, 10, kWhite);
  expected.Set(2, 3, kBlack);
  expected.Fill(3, 4, 5, 5, kRed);
  EXPECT_TRUE(SamePixels(canvas, expected));
}

TEST(DeviceContext, ClipCallsTakeLogicalCoordinatesAndCut) {
  Canvas canvas(12, 12);
  HDC dc = canvas.dc();
  SetViewportOrgEx(dc, 1, 0, nullptr);
  EXPECT_EQ(IntersectClipRect(dc, 1, 1, 9, 9), SIMPLEREGION);
  EXPECT_EQ(ExcludeClipRect(dc, 3, 3, 5, 5), COMPLEXREGION);
  RECT box{};
  EXPECT_EQ(GetClipBox(dc, &box), COMPLEXREGION);
  EXPECT_EQ(box, (RECT{1, 1, 9, 9}));
  EXPECT_FALSE(PtVisible(dc, 3, 3));
  EXPECT_TRUE(PtVisible(dc, 1, 1));
  Fill(dc, {-5, -5, 20, 20}, kBlack);
  Canvas expected(12, 12, kWhite);
  expected.Fill(2, 1, 10, 9, kBlack);
  expected.Fill(4, 3, 6, 5, kWhite);
  EXPECT_TRUE(SamePixels(canvas, expected));
  // Outside the clip a pixel can be neither set nor read.
  EXPECT_EQ(GetPixel(dc, 3, 3), CLR_INVALID);
  EXPECT_EQ(SetPixel(dc, 0, 0, kRed), CLR_INVALID);

  // A region in device coordinates replaces the clip; none removes it.
  HRGN region = CreateRectRgn(0, 0, 2, 2);
  EXPECT_EQ(SelectClipRgn(dc, region), SIMPLEREGION);
  DeleteObject(region);
  EXPECT_EQ(GetClipBox(dc, &box), SIMPLEREGION);
  EXPECT_EQ(box, (RECT{-1, 0, 1, 2}));  // device 0 is logical -1
  SelectClipRgn(dc, nullptr);
  EXPECT_EQ(GetClipBox(dc, &box), SIMPLEREGION);
  EXPECT_EQ(box, (RECT{-1, 0, 11, 12}));
}

TEST(DeviceContext, RestoreDcPutsTheStateBack) {
  Canvas canvas(4, 4);
  HDC dc = canvas.dc();
  HPEN red = CreatePen(PS_SOLID, 1, kRed);
  HGDIOBJ original_pen = GetCurrentObject(dc, OBJ_PEN);
  const int first = SaveDC(dc);
  EXPECT_EQ(first, 1);
  SelectObject(dc, red);
  SetTextColor(dc, kRed);
  SetBkMode(dc, TRANSPARENT);
  SetROP2(dc, R2_XORPEN);
  SetViewportOrgEx(dc, 2, 2, nullptr);
  IntersectClipRect(dc, 0, 0, 1, 1);
  EXPECT_EQ(SaveDC(dc), 2);
  SetTextColor(dc, kWhite);
  EXPECT_EQ(SaveDC(dc), 3);

  EXPECT_TRUE(RestoreDC(dc, -1));  // the latest: level 3
  EXPECT_EQ(GetTextColor(dc), kWhite);
  EXPECT_TRUE(RestoreDC(dc, first));
  EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), original_pen);
  EXPECT_EQ(GetTextColor(dc), kBlack);
  EXPECT_EQ(GetBkMode(dc), OPAQUE);
  EXPECT_EQ(GetROP2(dc), R2_COPYPEN);
  POINT viewport{};
  GetViewportOrgEx(dc, &viewport);
  EXPECT_EQ(viewport.x, 0);
  RECT box{};
  GetClipBox(dc, &box);
  EXPECT_EQ(box, (RECT{0, 0, 4, 4}));
  EXPECT_FALSE(RestoreDC(dc, 1));  // nothing saved any more
  DeleteObject(red);
}

using WindowContexts = WindowTest;

// A popup without a frame at (100, 100), 40 x 30, with a child at (10, 5),
// 20 x 10: the child's client (0, 0) is pixel (10, 5) of the surface.
TEST_F(WindowContexts, AChildDrawsIntoItsTopLevelSurfaceCutToItsArea) {
  HWND top = MakeWindow(WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 100, 100, 40, 30);
  HWND child = MakeWindow(WS_CHILD | WS_VISIBLE, 10, 5, 20, 10, top);
  DrainMessages();
  HDC parent_dc = GetDC(top);
  Fill(parent_dc, {0, 0, 40, 30}, kWhite);
  ReleaseDC(top, parent_dc);
  HDC dc = GetDC(child);
  Fill(dc, {-5, -5, 100, 100}, kRed);
  SetPixel(dc, 0, 0, kBlack);
  EXPECT_EQ(GetPixel(dc, 0, 0), kBlack);
  ReleaseDC(child, dc);

  std::shared_ptr<gdi::Surface> surface = gdi::WindowSurface(top);
  ASSERT_NE(surface, nullptr);
  EXPECT_EQ(surface->width(), 40);
  EXPECT_EQ(surface->height(), 30);
  auto at = [&](int x, int y) { return gdi::ToColor(surface->At(x, y)); };
  EXPECT_EQ(at(10, 5), kBlack);
  for (const POINT p : {POINT{11, 5}, {29, 14}}) EXPECT_EQ(at(p.x, p.y), kRed) << p.x << "," << p.y;
  for (const POINT p : {POINT{30, 14}, {29, 15}, {9, 5}})
    EXPECT_EQ(at(p.x, p.y), kWhite) << p.x << "," << p.y;

  // The parent's context leaves the child alone under WS_CLIPCHILDREN.
  parent_dc = GetDC(top);
  Fill(parent_dc, {0, 0, 40, 30}, kBlack);
  ReleaseDC(top, parent_dc);
  EXPECT_EQ(at(11, 5), kRed);
  EXPECT_EQ(at(0, 0), kBlack);

  // The surface follows the window's size, keeping what was drawn.
  SetWindowPos(top, nullptr, 0, 0, 50, 20, SWP_NOMOVE | SWP_NOZORDER);
  DrainMessages();
  dc = GetDC(top);
  Fill(dc, {45, 0, 50, 1}, kRed);
  ReleaseDC(top, dc);
  surface = gdi::WindowSurface(top);
  EXPECT_EQ(surface->width(), 50);
  EXPECT_EQ(at(49, 0), kRed);
  EXPECT_EQ(at(11, 5), kRed);
}

}  // namespace
