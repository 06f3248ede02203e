// Rectangle lists against a model: every operation on lists is checked cell
// by cell against the same operation on a grid of booleans, for many
// generated cases (holes, empty rectangles, everything taken away among
// them); lists must also never overlap themselves nor keep empty pieces.
#include <array>
#include <random>

#include <gtest/gtest.h>

#include "platform/gdi/rect_list.h"
#include "tests/support/rect.h"

namespace {

constexpr int kSize = 24;
using Grid = std::array<std::array<bool, kSize>, kSize>;

Grid Cells(const gdi::RectList& area) {
  Grid grid{};
  for (const RECT& r : area) {
    for (int y = std::max(0, r.top); y < std::min(kSize, r.bottom); ++y) {
      for (int x = std::max(0, r.left); x < std::min(kSize, r.right); ++x) grid[y][x] = true;
    }
  }
  return grid;
}

Grid Cells(const RECT& r) {
  return Cells(gdi::RectList{r});
}

bool Overlaps(const gdi::RectList& area) {
  for (std::size_t i = 0; i < area.size(); ++i) {
    if (gdi::IsEmpty(area[i])) return true;  // empty pieces do not belong either
    for (std::size_t j = i + 1; j < area.size(); ++j) {
      const RECT& a = area[i];
      const RECT& b = area[j];
      if (a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom) return true;
    }
  }
  return false;
}

// An operation on a list and the same on one cell of the model.
struct Op {
  void (*on_list)(gdi::RectList&, const RECT&);
  bool (*on_cell)(bool cell, bool in_rect);
};
const Op kAdd{gdi::Add, [](bool cell, bool in) { return cell || in; }};
const Op kSubtract{gdi::Subtract, [](bool cell, bool in) { return cell && !in; }};
const Op kIntersect{gdi::Intersect, [](bool cell, bool in) { return cell && in; }};

void Apply(gdi::RectList& area, Grid& model, const Op& op, const RECT& r) {
  const Grid cells = Cells(r);
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) model[y][x] = op.on_cell(model[y][x], cells[y][x]);
  }
  op.on_list(area, r);
}

TEST(RectList, TheCoveringRectangleReplacesWhatItCovers) {
  gdi::RectList area;
  for (int i = 0; i < 5; ++i) gdi::Add(area, RECT{i, i, i + 2, i + 2});
  gdi::Add(area, RECT{0, 0, 10, 10});
  EXPECT_EQ(area.size(), 1u);
}

TEST(RectList, GeneratedSequencesMatchTheModel) {
  std::mt19937 random(20240601);
  std::uniform_int_distribution<int> coordinate(-2, kSize + 2);
  const Op* ops[] = {&kAdd, &kSubtract, &kIntersect};
  std::uniform_int_distribution<int> pick(0, 2);
  for (int run = 0; run < 200; ++run) {
    gdi::RectList area;
    Grid model{};
    for (int step = 0; step < 12; ++step) {
      const int x1 = coordinate(random), x2 = coordinate(random);
      const int y1 = coordinate(random), y2 = coordinate(random);
      const RECT r{std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)};
      Apply(area, model, *ops[pick(random)], r);
      ASSERT_EQ(Cells(area), model) << "run " << run << " step " << step;
      ASSERT_FALSE(Overlaps(area)) << "run " << run << " step " << step;
    }
  }
}

TEST(RectList, IntersectionBoundsAndContains) {
  const gdi::RectList a{{0, 0, 10, 10}, {20, 0, 30, 10}};
  const gdi::RectList b{{5, 5, 25, 8}};
  const gdi::RectList both = gdi::Intersection(a, b);
  EXPECT_EQ(Cells(both), Cells(gdi::RectList{{5, 5, 10, 8}, {20, 5, 25, 8}}));
  EXPECT_EQ(gdi::Bounds(both), (RECT{5, 5, 25, 8}));
  EXPECT_TRUE(gdi::Contains(both, {5, 5}));
  EXPECT_FALSE(gdi::Contains(both, {10, 5}));  // right edges are outside
  EXPECT_FALSE(gdi::Contains(both, {15, 6}));
  EXPECT_TRUE(gdi::IsEmpty(gdi::Bounds({})));
}

}  // namespace
