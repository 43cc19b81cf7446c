#include "model/general_format.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <random>
#include <string>

namespace touchstone2 {
namespace {

// The short way must write what std::to_chars writes: random doubles over and
// beyond its range, short decimals as files hold them (rounding up to powers of
// ten), and binary fractions, whose decimal digits end and can fall half-way.
TEST(WriteGeneral, WritesWhatToCharsWrites) {
  std::mt19937_64 rng(1206);
  char expected[64];
  char actual[64];
  for (int i = 0; i < 900000; ++i) {
    int scale = static_cast<int>(rng() % 150) - 130;
    double value = std::ldexp(static_cast<double>(rng() >> 11), scale);
    if (i % 3 == 1)
      value = std::stod(std::to_string(rng() % 10000000) + "e" + std::to_string(scale / 5));
    if (i % 3 == 2)
      value = std::ldexp(static_cast<double>(rng() % 65536), scale / 5);
    value = rng() % 2 ? value : -value;
    int precision = 1 + i / 3 % 17;
    char* end = std::to_chars(expected, expected + 64, value, std::chars_format::general,
                              precision).ptr;
    ASSERT_EQ(std::string(actual, writeGeneral(actual, actual + 64, value, precision)),
              std::string(expected, end))
        << std::hexfloat << value << " precision " << precision;
  }
  EXPECT_EQ(writeGeneral(actual, actual + 4, 0.123456, 6), nullptr);
}

}  // namespace
}  // namespace touchstone2
