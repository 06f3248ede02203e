// Text layout with a face of fixed advances: every character 6 pixels wide,
// cells 13 high, so expected positions follow from arithmetic alone.
#include <gtest/gtest.h>

#include "platform/gdi/text_layout.h"

namespace {

class FixedFace : public gdi::Face {
 public:
  FixedFace() {
    metrics_.height = 13;
    metrics_.ascent = 10;
    metrics_.descent = 3;
    metrics_.ave_char_width = 6;
    glyph_.advance = 6;
  }
  const gdi::FontMetrics& metrics() const override { return metrics_; }
  const gdi::Glyph& GlyphOf(char) const override { return glyph_; }

 private:
  gdi::FontMetrics metrics_;
  gdi::Glyph glyph_;
};

struct Line {
  std::string text;
  int x, y, underline;
  bool operator==(const Line&) const = default;
};

std::vector<Line> Lines(const gdi::TextLayout& layout) {
  std::vector<Line> lines;
  for (const auto& l : layout.lines) lines.push_back({l.text, l.x, l.y, l.underline});
  return lines;
}

void PrintTo(const Line& l, std::ostream* out) {
  *out << "{\"" << l.text << "\", " << l.x << ", " << l.y << ", " << l.underline << "}";
}

const FixedFace face;

TEST(TextLayout, Cases) {
  const RECT box{10, 20, 70, 100};  // 60 wide: ten characters
  const struct {
    const char* text;
    UINT format;
    std::vector<Line> lines;
    RECT bounds;
  } cases[] = {
      {"", DT_CALCRECT, {}, {10, 20, 10, 20}},
      {"&File", DT_SINGLELINE, {{"File", 10, 20, 0}}, {10, 20, 34, 33}},
      {"a&&b", 0, {{"a&b", 10, 20, -1}}, {10, 20, 28, 33}},
      {"&File", DT_NOPREFIX, {{"&File", 10, 20, -1}}, {10, 20, 40, 33}},
      {"one\r\ntwo\nthree",
       0,
       {{"one", 10, 20, -1}, {"two", 10, 33, -1}, {"three", 10, 46, -1}},
       {10, 20, 40, 59}},
      {"a b c d e f g h",
       DT_WORDBREAK,  // 15 characters: breaks after "e"
       {{"a b c d e", 10, 20, -1}, {"f g h", 10, 33, -1}},
       {10, 20, 64, 46}},
      {"abcdefghijklmnop q",
       DT_WORDBREAK,  // a word wider than the box stays whole
       {{"abcdefghijklmnop", 10, 20, -1}, {"q", 10, 33, -1}},
       {10, 20, 106, 46}},
      {"ab", DT_CENTER | DT_SINGLELINE, {{"ab", 34, 20, -1}}, {10, 20, 22, 33}},
      {"ab", DT_RIGHT, {{"ab", 58, 20, -1}}, {10, 20, 22, 33}},
      {"ab", DT_VCENTER | DT_SINGLELINE, {{"ab", 10, 53, -1}}, {10, 20, 22, 33}},
      {"ab", DT_BOTTOM | DT_SINGLELINE, {{"ab", 10, 87, -1}}, {10, 20, 22, 33}},
      {"ab\ncd", DT_SINGLELINE, {{"abcd", 10, 20, -1}}, {10, 20, 34, 33}},
      {"x&y\nz", 0, {{"xy", 10, 20, 1}, {"z", 10, 33, -1}}, {10, 20, 22, 46}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    const gdi::TextLayout layout = gdi::LayOutText(c.text, box, c.format, face);
    EXPECT_EQ(Lines(layout), c.lines);
    EXPECT_EQ(layout.bounds.right, c.bounds.right);
    EXPECT_EQ(layout.bounds.bottom, c.bounds.bottom);
  }
}

TEST(TextLayout, TabsExpandToEightAverageCharacters) {
  EXPECT_EQ(gdi::LineWidth("a\tb", face, true), 48 + 6);
  EXPECT_EQ(gdi::LineWidth("a\tb", face, false), 18);
  EXPECT_EQ(gdi::LineWidth("abcdefgh\tb", face, true), 96 + 6);
}

TEST(TextLayout, ReturnedHeightCountsTheVerticalOffset) {
  const RECT box{0, 0, 100, 40};
  EXPECT_EQ(gdi::LayOutText("a\nb", box, 0, face).height, 26);
  EXPECT_EQ(gdi::LayOutText("a", box, DT_SINGLELINE | DT_BOTTOM, face).height, 40);
}

}  // namespace
