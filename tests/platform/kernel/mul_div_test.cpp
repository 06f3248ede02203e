// MulDiv: a 64-bit product, rounding to nearest with halves away from zero,
// and -1 for a zero denominator or a result beyond 32 bits.
#include <climits>
#include <tuple>

#include <gtest/gtest.h>
#include <platform/kernel.h>

namespace {

TEST(MulDiv, RoundsAndRefuses) {
  const std::tuple<int, int, int, int> cases[] = {
      {8, 96, 72, 11},                       // 10.67: a font's 8 points at 96 pixels per inch
      {-11, 72, 96, -8},                     // -8.25
      {3, 1, 2, 2},                          // 1.5 goes up
      {-3, 1, 2, -2},                        // -1.5 goes down
      {3, 1, -2, -2},                        // a negative denominator too
      {-3, -1, -2, -2},                      //
      {5, 1, 4, 1},                          // 1.25
      {INT_MAX, INT_MAX, INT_MAX, INT_MAX},  // the product needs 64 bits
      {INT_MAX, 2, 1, -1},                   // too large
      {INT_MIN, 1, 1, -1},                   // beyond -INT_MAX
      {7, 3, 0, -1},                         // no denominator
  };
  for (const auto& [number, numerator, denominator, expected] : cases) {
    EXPECT_EQ(MulDiv(number, numerator, denominator), expected)
        << number << " * " << numerator << " / " << denominator;
  }
}

}  // namespace
