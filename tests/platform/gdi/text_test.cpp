// Text through a device context on a DIB section, with DejaVu Sans pinned:
// where glyph pixels may land, the background modes and the accelerator's
// underline. Places, not anti-aliased pixels.
#include <gtest/gtest.h>
#include <platform/api.h>

#include "platform/gdi/font_engine.h"
#include "tests/platform/gdi/canvas.h"

namespace {

constexpr int kWidth = 120, kHeight = 40;

class Text : public testing::Test {
 protected:
  Text() {
    gdi::PinFontFile("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf");
    const LOGFONTA log = LogFont("MS Sans Serif");
    canvas.Use(CreateFontIndirectA(&log));
  }
  ~Text() override { gdi::PinFontFile({}); }
  bool White(int x, int y) const { return canvas.At(x, y) == kWhite; }
  // The smallest rectangle holding every pixel that is not white.
  RECT Inked() const {
    RECT r{kWidth, kHeight, 0, 0};
    for (int y = 0; y < kHeight; ++y) {
      for (int x = 0; x < kWidth; ++x) {
        if (White(x, y)) continue;
        r = {std::min<LONG>(r.left, x), std::min<LONG>(r.top, y), std::max<LONG>(r.right, x + 1),
             std::max<LONG>(r.bottom, y + 1)};
      }
    }
    return r;
  }

  Canvas canvas{kWidth, kHeight};
  HDC dc = canvas.dc();
};

TEST_F(Text, TransparentTextStaysInsideItsCell) {
  SetBkMode(dc, TRANSPARENT);
  SIZE size{};
  GetTextExtentPoint32A(dc, "Hg", 2, &size);
  ASSERT_TRUE(TextOutA(dc, 10, 5, "Hg", 2));
  const RECT inked = Inked();
  EXPECT_GE(inked.left, 10);
  EXPECT_LE(inked.right, 10 + size.cx + 1);
  EXPECT_GE(inked.top, 5);
  EXPECT_LE(inked.bottom, 5 + 13);
  EXPECT_LT(inked.left, inked.right);
}

TEST_F(Text, OpaqueModeFillsTheCellWithTheBackground) {
  SetBkMode(dc, OPAQUE);
  SetBkColor(dc, kBlue);
  SIZE size{};
  GetTextExtentPoint32A(dc, "ab", 2, &size);
  TextOutA(dc, 20, 10, "ab", 2);
  EXPECT_EQ(canvas.At(20, 10), kBlue);  // the cell's corner
  EXPECT_EQ(canvas.At(20 + size.cx - 1, 10 + 12), kBlue);
  EXPECT_TRUE(White(19, 10));
  EXPECT_TRUE(White(20 + size.cx, 10));
  EXPECT_TRUE(White(20, 10 + 13));
}

TEST_F(Text, AcceleratorIsUnderlinedUnderItsCharacter) {
  SetBkMode(dc, TRANSPARENT);
  RECT box{0, 0, kWidth, kHeight};
  DrawTextA(dc, "&File", -1, &box, DT_SINGLELINE);
  SIZE f{};
  GetTextExtentPoint32A(dc, "F", 1, &f);
  // Somewhere below the baseline a run of ink as wide as the F.
  int row = -1;
  for (int y = 10; y < 13 && row < 0; ++y) {
    bool full = true;
    for (int x = 0; x < f.cx; ++x) full = full && !White(x, y);
    if (full) row = y;
  }
  EXPECT_GE(row, 10);
  canvas.Fill(0, 0, kWidth, kHeight, kWhite);
  DrawTextA(dc, "&File", -1, &box, DT_SINGLELINE | DT_NOPREFIX);
  SIZE amp{};
  GetTextExtentPoint32A(dc, "&", 1, &amp);
  EXPECT_LT(Inked().left, amp.cx);  // the ampersand itself is drawn
}

}  // namespace
