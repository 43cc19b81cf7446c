#include "input/number_conversion.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>

namespace touchstone2 {
namespace {

using Limits = std::numeric_limits<double>;

// strtod's double bit for bit, and its range report as the clipping.
void expectStrtod(const std::string& text) {
  errno = 0;
  double expected = std::strtod(text.c_str(), nullptr);
  bool rangeError = errno == ERANGE;
  RealConversion actual = convertReal(text);
  ASSERT_EQ(actual.clipping != Clipping::None, rangeError) << text;
  if (!rangeError) {
    ASSERT_EQ(std::memcmp(&expected, &actual.value, sizeof expected), 0) << text;
  }
}

TEST(ConvertReal, AgreesWithStrtodOnAMillionRandomTexts) {
  std::mt19937_64 rng(20261206);
  const char* signs[] = {"", "", "-", "+"};
  const char* marks[] = {"e", "e-", "E+"};
  auto digits = [&rng] { return std::to_string(rng() | std::uint64_t{1} << 63); };
  for (int i = 0; i < 1000000; ++i) {
    std::string text = signs[rng() % 4] + digits().substr(rng() % 20);
    std::string fraction = (digits() + digits()).substr(rng() % 39);
    if (rng() % 3)
      text += "." + fraction + (rng() % 20 ? "" : ".");
    if (rng() % 2)
      text += marks[rng() % 3] + std::to_string(rng() % 3 ? rng() % 30 : 290 + rng() % 50);
    expectStrtod(text);
  }
  for (const char* text : {"2.2250738585072014e-308", "2.2250738585072011e-308",
                           "2.4703282292062327e-324", "2.4703282292062328e-324",
                           "1.7976931348623158e308", "1.7976931348623159e308"})
    expectStrtod(text);
}

// Beyond the range a value clips by sign (the case tables' W2301 and W2302); a
// subnormal one, and one of thousands of zeros, clip to the smallest normal double.
TEST(ConvertReal, ClipsSubnormalValues) {
  const std::pair<std::string, RealConversion> cases[] = {
      {"4e-320", {Limits::min(), Clipping::Small}},
      {"0." + std::string(2000, '0') + "1", {Limits::min(), Clipping::Small}}};
  for (const auto& [text, expected] : cases) {
    EXPECT_EQ(convertReal(text).value, expected.value) << text;
    EXPECT_EQ(convertReal(text).clipping, expected.clipping) << text;
  }
}

TEST(ConvertInteger, WholeDecimalsClippedTo32Bits) {
  const std::int32_t top = 2147483647;
  const std::pair<std::string, IntegerConversion> cases[] = {
      {"+007", {7, true, Clipping::None}},
      {"2147483648", {top, true, Clipping::Large}},
      {"-2147483648", {-top - 1, true, Clipping::None}},
      {"-2147483649", {-top - 1, true, Clipping::Large}},
      {std::string(5000, '9'), {top, true, Clipping::Large}},
      {"1-2", {0, false, Clipping::None}}};
  for (const auto& [text, expected] : cases) {
    EXPECT_EQ(convertInteger(text).value, expected.value) << text;
    EXPECT_EQ(convertInteger(text).wholeInteger, expected.wholeInteger) << text;
    EXPECT_EQ(convertInteger(text).clipping, expected.clipping) << text;
  }
}

}  // namespace
}  // namespace touchstone2
