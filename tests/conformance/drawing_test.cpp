// Drawing: which pixels lines, rectangles, frames and edges cover, and the
// measures of the classic face the forms use (8 points, ANSI text).
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include <platform/text.h>

#include "tests/conformance/support/fixture.h"
#include "tests/conformance/support/memory_canvas.h"
#include "tests/conformance/support/wine.h"

namespace {

// A row or column of a 16 x 16 canvas after drawing, in MemoryCanvas letters.
struct Look {
  bool column;
  int at, from, to;
  const char* letters;
};

struct ShapeRow {
  const char* name;
  std::function<void(HDC)> draw;  // with a black pen and a white brush
  std::vector<Look> looks;
  const char* wine_differs = nullptr;  // how, where Wine draws otherwise
};

class Shape : public conf::TableCase<ShapeRow> {};

TEST_P(Shape, CoversThesePixels) {
  const ShapeRow& r = GetParam();
  if (r.wine_differs != nullptr) KNOWN_WINE_DIFFERENCE(r.wine_differs);
  conf::MemoryCanvas canvas(16, 16);
  SelectObject(canvas.dc(), GetStockObject(BLACK_PEN));
  SelectObject(canvas.dc(), GetStockObject(WHITE_BRUSH));
  r.draw(canvas.dc());
  for (const Look& l : r.looks) {
    EXPECT_EQ(l.column ? canvas.Column(l.at, l.from, l.to) : canvas.Row(l.at, l.from, l.to),
              l.letters)
        << (l.column ? "column " : "row ") << l.at;
  }
}

void Line(HDC dc, int x0, int y0, int x1, int y1) {
  MoveToEx(dc, x0, y0, nullptr);
  LineTo(dc, x1, y1);
}

void Fill(HDC dc, RECT r, int stock) {
  FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(stock)));
}

constexpr bool kRow = false, kColumn = true;

const ShapeRow kShapes[] = {
    // A line leaves out its last point.
    {"LineRight", [](HDC dc) { Line(dc, 2, 3, 8, 3); }, {{kRow, 3, 0, 10, "..######.."}}},
    {"LineLeft", [](HDC dc) { Line(dc, 8, 3, 2, 3); }, {{kRow, 3, 0, 10, "...######."}}},
    {"LineDown", [](HDC dc) { Line(dc, 3, 2, 3, 8); }, {{kColumn, 3, 0, 10, "..######.."}}},
    {"LineUp", [](HDC dc) { Line(dc, 3, 8, 3, 2); }, {{kColumn, 3, 0, 10, "...######."}}},
    {"LineOfNoLength", [](HDC dc) { Line(dc, 3, 3, 3, 3); }, {{kRow, 3, 0, 6, "......"}}},
    {"Diagonal",
     [](HDC dc) { Line(dc, 1, 1, 5, 5); },
     {{kRow, 1, 0, 6, ".#...."}, {kRow, 4, 0, 6, "....#."}, {kRow, 5, 0, 6, "......"}}},
    {"PolylineJoins",
     [](HDC dc) {
       const POINT points[] = {{1, 1}, {5, 1}, {5, 4}};
       Polyline(dc, points, 3);
     },
     {{kRow, 1, 0, 7, ".#####."}, {kColumn, 5, 0, 6, ".###.."}}},
    {"LineToMovesThePen",
     [](HDC dc) {
       Line(dc, 1, 2, 4, 2);
       LineTo(dc, 4, 5);
     },
     {{kRow, 2, 0, 6, ".####."}, {kColumn, 4, 0, 7, "..###.."}}},
    // A rectangle's pen lies inside it; its right and bottom are outside.
    {"Rectangle",
     [](HDC dc) { Rectangle(dc, 2, 2, 8, 6); },
     {{kRow, 2, 0, 10, "..######.."},
      {kRow, 3, 0, 10, "..#....#.."},
      {kRow, 5, 0, 10, "..######.."},
      {kRow, 6, 0, 10, ".........."}}},
    {"RectangleFilledBlack",
     [](HDC dc) {
       SelectObject(dc, GetStockObject(BLACK_BRUSH));
       Rectangle(dc, 2, 2, 6, 5);
     },
     {{kRow, 3, 0, 8, "..####.."}}},
    // Without a pen the filled part is one smaller each way.
    {"RectangleWithoutAPen",
     [](HDC dc) {
       SelectObject(dc, GetStockObject(NULL_PEN));
       SelectObject(dc, GetStockObject(BLACK_BRUSH));
       Rectangle(dc, 2, 2, 6, 6);
     },
     {{kRow, 2, 0, 8, "..###..."}, {kColumn, 2, 0, 8, "..###..."}}},
    {"RectangleWithoutABrush",
     [](HDC dc) {
       Fill(dc, {0, 0, 16, 16}, BLACK_BRUSH);
       SelectObject(dc, GetStockObject(WHITE_PEN));
       SelectObject(dc, GetStockObject(NULL_BRUSH));
       Rectangle(dc, 2, 2, 7, 7);
     },
     {{kRow, 4, 0, 9, "##.###.##"}}},
    {"FillRectLeavesRightAndBottom",
     [](HDC dc) {
       Fill(dc, {2, 2, 5, 4}, BLACK_BRUSH);
     },
     {{kRow, 2, 0, 7, "..###.."}, {kColumn, 3, 0, 6, "..##.."}}},
    // A reversed rectangle is empty, as IsRectEmpty has it.
    {"FillRectReversedIsEmpty",
     [](HDC dc) {
       Fill(dc, {5, 2, 2, 4}, BLACK_BRUSH);
     },
     {{kRow, 3, 0, 7, "......."}},
     "FillRect fills a reversed rectangle"},
    {"FrameRect",
     [](HDC dc) {
       const RECT r{2, 2, 7, 6};
       FrameRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
     },
     {{kRow, 2, 0, 9, "..#####.."}, {kRow, 3, 0, 9, "..#...#.."}, {kRow, 5, 0, 9, "..#####.."}}},
    {"InvertRect",
     [](HDC dc) {
       const RECT r{1, 1, 4, 3};
       InvertRect(dc, &r);
     },
     {{kRow, 1, 0, 6, ".###.."}, {kRow, 3, 0, 6, "......"}}},
    {"PatBltBlackness",
     [](HDC dc) { PatBlt(dc, 3, 3, 2, 2, BLACKNESS); },
     {{kRow, 4, 0, 7, "...##.."}}},
    {"SetPixelIsRead", [](HDC dc) { SetPixel(dc, 4, 4, RGB(0, 0, 0)); }, {{kRow, 4, 3, 6, ".#."}}},
    {"WindowOriginShiftsDrawing",
     [](HDC dc) {
       SetWindowOrgEx(dc, 2, 0, nullptr);
       Line(dc, 4, 1, 6, 1);
       SetWindowOrgEx(dc, 0, 0, nullptr);
     },
     {{kRow, 1, 0, 6, "..##.."}}},
    {"ClipRectCutsTheLine",
     [](HDC dc) {
       IntersectClipRect(dc, 3, 0, 6, 16);
       Line(dc, 0, 2, 10, 2);
       SelectClipRgn(dc, nullptr);
     },
     {{kRow, 2, 0, 8, "...###.."}}},
};

INSTANTIATE_TEST_SUITE_P(Drawing, Shape, testing::ValuesIn(kShapes), conf::RowName{});

// DrawEdge on (2, 2, 12, 12): the system colour of each band at the middle
// of each side, outer band first; -1 for the canvas left white.
struct EdgeRow {
  const char* name;
  UINT edge;
  UINT flags;
  int left[2], top[2], right[2], bottom[2];
  RECT adjusted;  // with BF_ADJUST
};

class Edge : public conf::TableCase<EdgeRow> {};

COLORREF Expected(int index) {
  return index < 0 ? RGB(255, 255, 255) : GetSysColor(index);
}

TEST_P(Edge, PaintsItsBands) {
  const EdgeRow& r = GetParam();
  conf::MemoryCanvas canvas(16, 16);
  RECT rect{2, 2, 12, 12};
  DrawEdge(canvas.dc(), &rect, r.edge, r.flags | BF_ADJUST);
  for (int band = 0; band < 2; ++band) {
    EXPECT_EQ(canvas.At(2 + band, 7), Expected(r.left[band])) << "left " << band;
    EXPECT_EQ(canvas.At(7, 2 + band), Expected(r.top[band])) << "top " << band;
    EXPECT_EQ(canvas.At(11 - band, 7), Expected(r.right[band])) << "right " << band;
    EXPECT_EQ(canvas.At(7, 11 - band), Expected(r.bottom[band])) << "bottom " << band;
  }
  EXPECT_EQ(rect.left, r.adjusted.left);
  EXPECT_EQ(rect.top, r.adjusted.top);
  EXPECT_EQ(rect.right, r.adjusted.right);
  EXPECT_EQ(rect.bottom, r.adjusted.bottom);
}

constexpr int kLight = COLOR_3DLIGHT, kHigh = COLOR_BTNHIGHLIGHT, kShadow = COLOR_BTNSHADOW,
              kDark = COLOR_3DDKSHADOW, kWhite = -1;

const EdgeRow kEdges[] = {
    {"Raised",
     EDGE_RAISED,
     BF_RECT,
     {kLight, kHigh},
     {kLight, kHigh},
     {kDark, kShadow},
     {kDark, kShadow},
     {4, 4, 10, 10}},
    {"Sunken",
     EDGE_SUNKEN,
     BF_RECT,
     {kShadow, kDark},
     {kShadow, kDark},
     {kHigh, kLight},
     {kHigh, kLight},
     {4, 4, 10, 10}},
    {"Etched",
     EDGE_ETCHED,
     BF_RECT,
     {kShadow, kHigh},
     {kShadow, kHigh},
     {kHigh, kShadow},
     {kHigh, kShadow},
     {4, 4, 10, 10}},
    {"Bump",
     EDGE_BUMP,
     BF_RECT,
     {kLight, kDark},
     {kLight, kDark},
     {kDark, kLight},
     {kDark, kLight},
     {4, 4, 10, 10}},
    {"RaisedOuterOnly",
     BDR_RAISEDOUTER,
     BF_RECT,
     {kLight, kWhite},
     {kLight, kWhite},
     {kDark, kWhite},
     {kDark, kWhite},
     {3, 3, 11, 11}},
    {"SunkenInnerOnly",
     BDR_SUNKENINNER,
     BF_RECT,
     {kDark, kWhite},
     {kDark, kWhite},
     {kLight, kWhite},
     {kLight, kWhite},
     {3, 3, 11, 11}},
    {"RaisedTopLeft",
     EDGE_RAISED,
     BF_TOPLEFT,
     {kLight, kHigh},
     {kLight, kHigh},
     {kWhite, kWhite},
     {kWhite, kWhite},
     {4, 4, 12, 12}},
    {"SunkenBottomRight",
     EDGE_SUNKEN,
     BF_BOTTOMRIGHT,
     {kWhite, kWhite},
     {kWhite, kWhite},
     {kHigh, kLight},
     {kHigh, kLight},
     {2, 2, 10, 10}},
    {"RaisedSoft",
     EDGE_RAISED,
     BF_RECT | BF_SOFT,
     {kHigh, kLight},
     {kHigh, kLight},
     {kDark, kShadow},
     {kDark, kShadow},
     {4, 4, 10, 10}},
    {"SunkenFlat",
     EDGE_SUNKEN,
     BF_RECT | BF_FLAT,
     {kShadow, COLOR_BTNFACE},
     {kShadow, COLOR_BTNFACE},
     {kShadow, COLOR_BTNFACE},
     {kShadow, COLOR_BTNFACE},
     {4, 4, 10, 10}},
};

INSTANTIATE_TEST_SUITE_P(Drawing, Edge, testing::ValuesIn(kEdges), conf::RowName{});

// The classic face at 8 points of 96 pixels per inch, in the ANSI set.
class ClassicFace : public conf::Case {
 protected:
  ClassicFace() : canvas_(4, 4) {
    LOGFONTA font{};
    font.lfHeight = -11;
    font.lfCharSet = ANSI_CHARSET;
    std::strcpy(font.lfFaceName, "MS Sans Serif");
    font_ = CreateFontIndirectA(&font);
    old_ = SelectObject(canvas_.dc(), font_);
  }
  ~ClassicFace() override {
    SelectObject(canvas_.dc(), old_);
    DeleteObject(font_);
  }
  HDC dc() const { return canvas_.dc(); }

 private:
  conf::MemoryCanvas canvas_;
  HFONT font_;
  HGDIOBJ old_;
};

struct MetricRow {
  const char* name;
  LONG TEXTMETRICA::*field;
  LONG value;
};

class FaceMetric : public ClassicFace, public testing::WithParamInterface<MetricRow> {};

TEST_P(FaceMetric, Is) {
  if (GetParam().field == &TEXTMETRICA::tmMaxCharWidth) {
    KNOWN_WINE_DIFFERENCE("the Western cell's widest letter is 11");
  }
  TEXTMETRICA metrics{};
  ASSERT_TRUE(GetTextMetricsA(dc(), &metrics));
  EXPECT_EQ(metrics.*GetParam().field, GetParam().value);
}

// Ours is the face's Cyrillic cell in every character set: its widest
// letters are Ш and Щ, wider than any of the Western cell.
const MetricRow kMetrics[] = {
    {"Height", &TEXTMETRICA::tmHeight, 13},
    {"Ascent", &TEXTMETRICA::tmAscent, 11},
    {"Descent", &TEXTMETRICA::tmDescent, 2},
    {"InternalLeading", &TEXTMETRICA::tmInternalLeading, 2},
    {"ExternalLeading", &TEXTMETRICA::tmExternalLeading, 0},
    {"AveCharWidth", &TEXTMETRICA::tmAveCharWidth, 5},
    {"MaxCharWidth", &TEXTMETRICA::tmMaxCharWidth, 13},
    {"Weight", &TEXTMETRICA::tmWeight, FW_NORMAL},
    {"Overhang", &TEXTMETRICA::tmOverhang, 0},
};

INSTANTIATE_TEST_SUITE_P(Drawing, FaceMetric, testing::ValuesIn(kMetrics), conf::RowName{});

TEST_F(ClassicFace, IsAnsiVariablePitch) {
  TEXTMETRICA metrics{};
  ASSERT_TRUE(GetTextMetricsA(dc(), &metrics));
  EXPECT_EQ(metrics.tmCharSet, ANSI_CHARSET);
  // The flag named TMPF_FIXED_PITCH is set for a variable pitch.
  EXPECT_NE(metrics.tmPitchAndFamily & TMPF_FIXED_PITCH, 0);
}

struct ExtentRow {
  const char* name;
  const char* text;
  int width;
};

class FaceExtent : public ClassicFace, public testing::WithParamInterface<ExtentRow> {};

TEST_P(FaceExtent, Is) {
  const ExtentRow& r = GetParam();
  SIZE size{};
  ASSERT_TRUE(GetTextExtentPoint32A(dc(), r.text, static_cast<int>(std::strlen(r.text)), &size));
  EXPECT_EQ(size.cx, r.width);
  if (r.text[0] == '\0') KNOWN_WINE_DIFFERENCE("an empty text measures 0 high");
  EXPECT_EQ(size.cy, 13);
  RECT calc{0, 0, 0, 0};
  DrawTextA(dc(), r.text, -1, &calc, DT_CALCRECT | DT_SINGLELINE);
  EXPECT_EQ(calc.right, r.width);
}

const ExtentRow kExtents[] = {
    {"Empty", "", 0},
    {"Space", " ", 3},
    {"W", "W", 11},
    {"Narrow", "iiii", 8},
    {"Digits", "0123456789", 60},
    {"Word", "Tavrion", 36},
    {"Caption", "Pulse width, ms", 73},
    {"Capitals", "HELLO", 35},
    {"Punctuation", ".,;:!?", 21},
};

INSTANTIATE_TEST_SUITE_P(Drawing, FaceExtent, testing::ValuesIn(kExtents), conf::RowName{});

}  // namespace
