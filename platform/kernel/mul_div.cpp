// MulDiv: scaling by a fraction without losing the product's high bits.
#include <limits>

#include <platform/kernel.h>

int MulDiv(int number, int numerator, int denominator) {
  if (denominator == 0) return -1;
  std::int64_t product = std::int64_t{number} * numerator;
  std::int64_t divisor = denominator;
  if (divisor < 0) {
    product = -product;
    divisor = -divisor;
  }
  // Halves go away from zero: add (or take) half the divisor before the
  // truncating division.
  const std::int64_t half = divisor / 2;
  const std::int64_t result = (product >= 0 ? product + half : product - half) / divisor;
  if (result > std::numeric_limits<int>::max() || result < -std::numeric_limits<int>::max()) {
    return -1;
  }
  return static_cast<int>(result);
}
