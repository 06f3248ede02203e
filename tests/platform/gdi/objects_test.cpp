// Drawing objects: creation, selection, reading back and deletion; stock
// objects survive DeleteObject, stale and made-up handles are refused.
#include <gtest/gtest.h>
#include <platform/gdi.h>
#include <platform/windows.h>

#include "tests/platform/gdi/canvas.h"

namespace {

TEST(Objects, SelectObjectReturnsThePreviousObject) {
  HDC dc = CreateCompatibleDC(nullptr);
  HPEN pen = CreatePen(PS_DOT, 1, RGB(1, 2, 3));
  HBRUSH brush = CreateHatchBrush(HS_CROSS, RGB(4, 5, 6));
  HGDIOBJ font = GetStockObject(DEFAULT_GUI_FONT);
  EXPECT_EQ(SelectObject(dc, pen), GetStockObject(BLACK_PEN));
  EXPECT_EQ(SelectObject(dc, brush), GetStockObject(WHITE_BRUSH));
  EXPECT_EQ(SelectObject(dc, font), GetStockObject(SYSTEM_FONT));
  EXPECT_EQ(SelectObject(dc, GetStockObject(NULL_PEN)), pen);
  EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), brush);
  EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), font);
  DeleteDC(dc);
  EXPECT_TRUE(DeleteObject(pen));
  EXPECT_TRUE(DeleteObject(brush));
}

// Without a buffer GetObject answers the record's size; a system colour's
// brush holds that colour.
TEST(Objects, GetObjectGivesTheRecords) {
  HPEN pen = CreatePen(PS_DASHDOT, 1, RGB(10, 20, 30));
  EXPECT_EQ(GetObjectA(pen, 0, nullptr), static_cast<int>(sizeof(LOGPEN)));
  LOGBRUSH system{};
  GetObjectA(GetSysColorBrush(COLOR_BTNFACE), sizeof system, &system);
  EXPECT_EQ(system.lbColor, GetSysColor(COLOR_BTNFACE));
  DeleteObject(pen);
}

// The null pen and brush draw nothing; stock objects survive DeleteObject.
TEST(Objects, StockObjects) {
  Canvas canvas(4, 4);
  canvas.Use(GetStockObject(NULL_PEN));
  canvas.Use(GetStockObject(NULL_BRUSH));
  EXPECT_TRUE(Rectangle(canvas.dc(), 0, 0, 4, 4));
  EXPECT_TRUE(SamePixels(canvas, Canvas(4, 4)));
  EXPECT_EQ(GetObjectType(GetStockObject(SYSTEM_FONT)), OBJ_FONT);
  EXPECT_EQ(GetObjectType(GetStockObject(DEFAULT_GUI_FONT)), OBJ_FONT);
  EXPECT_TRUE(DeleteObject(GetStockObject(BLACK_PEN)));
  EXPECT_EQ(GetObjectType(GetStockObject(BLACK_PEN)), OBJ_PEN);
  EXPECT_EQ(GetStockObject(99), nullptr);
}

TEST(Objects, ASelectedBitmapStaysAndSitsInOneContextOnly) {
  HDC first = CreateCompatibleDC(nullptr);
  HDC second = CreateCompatibleDC(nullptr);
  HBITMAP bitmap = CreateBitmap(4, 4, 1, 32, nullptr);
  HGDIOBJ old = SelectObject(first, bitmap);
  EXPECT_NE(old, nullptr);
  EXPECT_EQ(SelectObject(second, bitmap), nullptr);
  EXPECT_FALSE(DeleteObject(bitmap));
  SelectObject(first, old);
  EXPECT_NE(SelectObject(second, bitmap), nullptr);
  DeleteDC(second);
  EXPECT_TRUE(DeleteObject(bitmap));
  // A bitmap cannot go into a window's context.
  HBITMAP other = CreateBitmap(1, 1, 1, 1, nullptr);
  HDC screen = GetDC(nullptr);
  EXPECT_EQ(SelectObject(screen, other), nullptr);
  ReleaseDC(nullptr, screen);
  DeleteObject(other);
  DeleteDC(first);
}

TEST(Objects, StaleAndMadeUpHandlesAreRefused) {
  HPEN pen = CreatePen(PS_SOLID, 1, 0);
  DeleteObject(pen);
  EXPECT_FALSE(DeleteObject(pen));
  LOGPEN lp{};
  EXPECT_EQ(GetObjectA(pen, sizeof lp, &lp), 0);
  HDC dc = CreateCompatibleDC(nullptr);
  EXPECT_EQ(SelectObject(dc, pen), nullptr);
  EXPECT_EQ(SelectObject(dc, reinterpret_cast<HGDIOBJ>(0x1234567)), nullptr);
  EXPECT_EQ(GetObjectType(reinterpret_cast<HGDIOBJ>(0x1234567)), 0u);
  DeleteDC(dc);
  EXPECT_EQ(SelectObject(dc, GetStockObject(BLACK_PEN)), nullptr);
  EXPECT_EQ(CreatePen(42, 1, 0), nullptr);
  EXPECT_EQ(CreateHatchBrush(6, 0), nullptr);
}

TEST(Objects, APenDeletedWhileSelectedStillDraws) {
  Canvas canvas(3, 1);
  HPEN pen = CreatePen(PS_SOLID, 1, RGB(0, 0, 255));
  HGDIOBJ old = SelectObject(canvas.dc(), pen);
  EXPECT_TRUE(DeleteObject(pen));
  MoveToEx(canvas.dc(), 0, 0, nullptr);
  LineTo(canvas.dc(), 3, 0);
  EXPECT_EQ(canvas.At(2, 0), RGB(0, 0, 255));
  SelectObject(canvas.dc(), old);
}

}  // namespace
