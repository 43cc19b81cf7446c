#include "model/value_conversion.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

namespace touchstone2 {
namespace {

constexpr DataFormat DB = DataFormat::DB;
constexpr DataFormat MA = DataFormat::MA;
constexpr DataFormat RI = DataFormat::RI;

TEST(ConvertValuePair, RealImaginaryToMagnitudeAngle) {
  ValuePair zero = convertValuePair(RI, MA, {0.0, 0.0});
  EXPECT_EQ(zero.first, 0.0);
  EXPECT_EQ(zero.second, 0.0);
  ValuePair left = convertValuePair(RI, MA, {-1.0, 0.0});
  EXPECT_EQ(left.first, 1.0);
  EXPECT_EQ(left.second, 180.0);
  ValuePair down = convertValuePair(RI, MA, {0.0, -1.0});
  EXPECT_EQ(down.first, 1.0);
  EXPECT_EQ(down.second, -90.0);
}

TEST(ConvertValuePair, ZeroMagnitudeInDecibelsIsMinusInfinity) {
  ValuePair db = convertValuePair(RI, DB, {0.0, 0.0});
  EXPECT_TRUE(std::isinf(db.first) && db.first < 0);
  EXPECT_EQ(db.second, 0.0);
}

TEST(ConvertValuePair, DecibelAngleToRealImaginary) {
  ValuePair one = convertValuePair(DB, RI, {0.0, 0.0});
  EXPECT_EQ(one.first, 1.0);
  EXPECT_EQ(one.second, 0.0);
  ValuePair ten = convertValuePair(DB, RI, {20.0, 0.0});
  EXPECT_DOUBLE_EQ(ten.first, 10.0);
  ValuePair half = convertValuePair(DB, RI, {-6.0206, 0.0});
  EXPECT_NEAR(half.first, 0.5, 1e-5);
}

TEST(ConvertValuePair, MagnitudeAngleToRealImaginaryKeepsRoundingResidue) {
  ValuePair up = convertValuePair(MA, RI, {2.0, 90.0});
  EXPECT_NE(up.first, 0.0);  // cos(pi/2) is not exactly 0 in doubles
  EXPECT_NEAR(up.first, 0.0, 1e-15);
  EXPECT_DOUBLE_EQ(up.second, 2.0);
  ValuePair back = convertValuePair(MA, RI, {1.0, 180.0});
  EXPECT_EQ(back.first, -1.0);
  EXPECT_NEAR(back.second, 0.0, 1e-15);
  // Degrees become radians by dividing by 180 first, then multiplying by pi.
  EXPECT_EQ(up.second, std::sin(90.0 / 180.0 * 3.141592653589793) * 2.0);
}

TEST(ConvertValuePair, NegativeMagnitudeIsUsedUnchanged) {
  ValuePair ri = convertValuePair(MA, RI, {-1.0, 0.0});
  EXPECT_EQ(ri.first, -1.0);
  EXPECT_EQ(ri.second, 0.0);
}

TEST(ConvertValuePair, SameRepresentationIsReturnedBitForBit) {
  double nan = std::numeric_limits<double>::quiet_NaN();
  for (DataFormat f : {DB, MA, RI}) {
    ValuePair in{-0.0, nan};
    ValuePair out = convertValuePair(f, f, in);
    EXPECT_EQ(std::memcmp(&in, &out, sizeof in), 0);
  }
}

TEST(ConvertValuePair, RoundTripsThroughRealImaginary) {
  ValuePair ma{0.75, -33.0};
  ValuePair ri = convertValuePair(MA, RI, ma);
  ValuePair back = convertValuePair(RI, MA, ri);
  EXPECT_NEAR(back.first, 0.75, 1e-15);
  EXPECT_NEAR(back.second, -33.0, 1e-12);
  ValuePair db = convertValuePair(RI, DB, ri);
  EXPECT_NEAR(db.first, 20.0 * std::log10(0.75), 1e-12);
}

}  // namespace
}  // namespace touchstone2
