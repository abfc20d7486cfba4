#include "imaging/rounding.h"

#include <gtest/gtest.h>

namespace quillstone {
namespace {

// Halves up: the resampler's span edges, single-precision values widened exactly (the float
// just below one half must not reach 1, as it would when added in single precision).
// Halves to even: the size presets and the logo's turned size, negative values included.
TEST(Rounding, HalvesUpAndHalvesToEven) {
  struct Case {
    double x;
    int up;
    long long even;
  };
  for (const Case c :
       {Case{0.0, 0, 0}, Case{0.49999997f, 0, 0}, Case{0.5, 1, 0}, Case{1.5, 2, 2}, Case{2.5, 3, 2},
        Case{2.4999998f, 2, 2}, Case{3.5, 4, 4}, Case{10.999999f, 11, 11}, Case{65534.5, 65535, 65534}}) {
    EXPECT_EQ(RoundHalfUp(c.x), c.up) << c.x;
    EXPECT_EQ(RoundHalfEven(c.x), c.even) << c.x;
  }
  EXPECT_EQ(RoundHalfEven(-2.5), -2);
  EXPECT_EQ(RoundHalfEven(-3.5), -4);
  EXPECT_EQ(RoundHalfEven(-0.6), -1);
}

}  // namespace
}  // namespace quillstone
