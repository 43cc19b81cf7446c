#include "model/general_format.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <random>
#include <string>

#include "model/number_text.h"

namespace touchstone2 {
namespace {

// What writeGeneral writes must be what the standard conversion writes.
std::string viaWriteGeneral(double value, int precision) {
  char buffer[64];
  char* end = writeGeneral(buffer, buffer + sizeof buffer, value, precision);
  return end == nullptr ? "<none>" : std::string(buffer, end);
}

std::string viaToChars(double value, int precision) {
  std::string text;
  appendGeneral(text, value, precision);
  return text;
}

void expectSame(double value, int precision) {
  EXPECT_EQ(viaWriteGeneral(value, precision), viaToChars(value, precision))
      << "value " << std::hexfloat << value << " precision " << precision;
}

TEST(WriteGeneral, KnownForms) {
  EXPECT_EQ(viaWriteGeneral(0.5, 16), "0.5");
  EXPECT_EQ(viaWriteGeneral(-1234.5, 16), "-1234.5");
  EXPECT_EQ(viaWriteGeneral(1e-05, 16), "1e-05");
  EXPECT_EQ(viaWriteGeneral(0.1, 16), "0.1");
  EXPECT_EQ(viaWriteGeneral(9.3, 16), "9.300000000000001");
  EXPECT_EQ(viaWriteGeneral(1e15, 16), "1000000000000000");
  EXPECT_EQ(viaWriteGeneral(1e16, 16), "1e+16");
  EXPECT_EQ(viaWriteGeneral(0.0001234, 6), "0.0001234");
  EXPECT_EQ(viaWriteGeneral(999999.5, 6), "1e+06");
  EXPECT_EQ(viaWriteGeneral(1.5e9, 6), "1.5e+09");
}

TEST(WriteGeneral, EdgesAndValuesLeftToTheStandardConversion) {
  const double specials[] = {0.0,
                             -0.0,
                             std::numeric_limits<double>::infinity(),
                             -std::numeric_limits<double>::infinity(),
                             std::numeric_limits<double>::quiet_NaN(),
                             std::numeric_limits<double>::denorm_min(),
                             std::numeric_limits<double>::min(),
                             std::numeric_limits<double>::max(),
                             1e-300,
                             1e300,
                             // exact ties at the last place: halves of a binary fraction
                             0.0078125,
                             0.5,
                             2.5,
                             1.0000000000000002,
                             0.99999999999999989,
                             9.9999999999999995e-05,
                             9.999999999999999e14,
                             9.9999999999999998e15};
  for (double value : specials) {
    for (int precision = 1; precision <= 17; ++precision)
      expectSame(value, precision);
  }
}

TEST(WriteGeneral, PowersOfTenAndTheirNeighbours) {
  for (int exponent = -30; exponent <= 30; ++exponent) {
    double value = std::pow(10.0, exponent);
    double below = value;
    double above = value;
    for (int step = 0; step < 4; ++step) {
      for (int precision : {1, 6, 15, 16}) {
        expectSame(below, precision);
        expectSame(above, precision);
      }
      below = std::nextafter(below, 0.0);
      above = std::nextafter(above, 1e300);
    }
  }
}

// Values as data files hold them (decimal texts of a few to seventeen
// digits), random doubles, and binary fractions, whose decimal expansions end
// and so can fall exactly half-way.
TEST(WriteGeneral, AgreesWithTheStandardConversionOnMillionsOfValues) {
  std::mt19937_64 rng(20261206);
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  int mismatches = 0;
  for (int i = 0; i < 400000 && mismatches < 10; ++i) {
    int scale = static_cast<int>(rng() % 44) - 22;
    double value = 0;
    char text[64];
    switch (rng() % 4) {
      case 0:
        value = unit(rng) * std::pow(10.0, scale);
        break;
      case 1: {
        int digits = 1 + static_cast<int>(rng() % 17);
        std::snprintf(text, sizeof text, "%.*ee%d", digits - 1, 1 + unit(rng) * 9, scale);
        value = std::strtod(text, nullptr);
        break;
      }
      case 2:
        value = std::ldexp(static_cast<double>(rng() % (std::uint64_t{1} << 40)),
                           -static_cast<int>(rng() % 60));
        break;
      default:
        value = static_cast<double>(rng() % 100000000000000000u);
        break;
    }
    if (rng() % 2 == 0)
      value = -value;
    for (int precision : {6, 16, 1 + static_cast<int>(rng() % 16)}) {
      if (viaWriteGeneral(value, precision) != viaToChars(value, precision)) {
        ADD_FAILURE() << "value " << std::hexfloat << value << " precision " << precision;
        ++mismatches;
      }
    }
  }
}

TEST(WriteGeneral, TooShortARange) {
  char buffer[4];
  EXPECT_EQ(writeGeneral(buffer, buffer + sizeof buffer, -1.234567890123456e-300, 16), nullptr);
}

}  // namespace
}  // namespace touchstone2
