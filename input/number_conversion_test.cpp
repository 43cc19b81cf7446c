#include "input/number_conversion.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>
#include <string>

namespace touchstone2 {
namespace {

constexpr double kMax = std::numeric_limits<double>::max();
constexpr double kMinNormal = std::numeric_limits<double>::min();

TEST(ConvertReal, ReadsTheLongestLeadingNumber) {
  EXPECT_EQ(convertReal("1.5").value, 1.5);
  EXPECT_EQ(convertReal("+5").value, 5.0);
  EXPECT_EQ(convertReal("-.5").value, -0.5);
  EXPECT_EQ(convertReal(".5").value, 0.5);
  EXPECT_EQ(convertReal("1e+05").value, 1e5);
  EXPECT_EQ(convertReal("1.2.3").value, 1.2);
  EXPECT_EQ(convertReal("-.").value, 0.0);
  EXPECT_EQ(convertReal(".e5").value, 0.0);
  EXPECT_EQ(convertReal("1.2.3").clipping, Clipping::None);
}

TEST(ConvertReal, ClipsLargeNumbers) {
  RealConversion big = convertReal("1e400");
  EXPECT_EQ(big.value, kMax);
  EXPECT_EQ(big.clipping, Clipping::Large);
  RealConversion negative = convertReal("-1e400");
  EXPECT_EQ(negative.value, -kMax);
  EXPECT_EQ(negative.clipping, Clipping::Large);
}

TEST(ConvertReal, ClipsSmallNumbersIncludingSubnormals) {
  RealConversion tiny = convertReal("1e-400");
  EXPECT_EQ(tiny.value, kMinNormal);
  EXPECT_EQ(tiny.clipping, Clipping::Small);
  EXPECT_EQ(convertReal("-1e-400").value, -kMinNormal);
  RealConversion subnormal = convertReal("4e-320");
  EXPECT_EQ(subnormal.value, kMinNormal);
  EXPECT_EQ(subnormal.clipping, Clipping::Small);
}

TEST(ConvertReal, ZeroIsNotClipped) {
  for (const char* text : {"0", "0.0", "-0", "0e-400", "000.000e+999"}) {
    RealConversion zero = convertReal(text);
    EXPECT_EQ(zero.value, 0.0) << text;
    EXPECT_EQ(zero.clipping, Clipping::None) << text;
  }
}

TEST(ConvertReal, HugeExponentsAndManyDigits) {
  EXPECT_EQ(convertReal("1e" + std::string(100000, '9')).clipping, Clipping::Large);
  EXPECT_EQ(convertReal("1e-" + std::string(100000, '9')).clipping, Clipping::Small);
  EXPECT_EQ(convertReal("0." + std::string(2000, '0') + "1").value, kMinNormal);
  EXPECT_EQ(convertReal(std::string(1000, '1')).clipping, Clipping::Large);
  EXPECT_DOUBLE_EQ(convertReal("1" + std::string(100, '0')).value, 1e100);
}

// The conversion must give strtod's double bit for bit, and strtod's range
// report, for every text a number token can hold.
struct StrtodResult {
  double value;
  bool rangeError;
};

StrtodResult referenceConvert(const std::string& text) {
  errno = 0;
  double value = std::strtod(text.c_str(), nullptr);
  return {value, errno == ERANGE};
}

std::string randomNumberText(std::mt19937_64& rng) {
  auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
  std::string text;
  switch (pick(4)) {
    case 0: text += '-'; break;
    case 1: text += '+'; break;
    default: break;
  }
  int intDigits = pick(5) == 0 ? pick(40) : pick(6);
  for (int i = 0; i < intDigits; ++i)
    text += static_cast<char>('0' + pick(10));
  if (pick(3) != 0) {
    text += '.';
    int fracDigits = pick(5) == 0 ? pick(40) : pick(18);
    for (int i = 0; i < fracDigits; ++i)
      text += static_cast<char>('0' + pick(10));
    if (pick(20) == 0)
      text += '.';  // "1.2.3": the rest is not read
  }
  if (text.empty() || text == "-" || text == "+")
    text += static_cast<char>('0' + pick(10));
  if (pick(2) == 0) {
    text += 'e';
    if (pick(2) == 0)
      text += pick(2) == 0 ? '-' : '+';
    // Exponents around the edges of the double range, and ordinary ones.
    int exponent = pick(3) == 0 ? 290 + pick(50) : pick(30);
    text += std::to_string(exponent);
  }
  return text;
}

TEST(ConvertReal, AgreesWithStrtodOnAMillionRandomTexts) {
  std::mt19937_64 rng(20261206);
  int mismatches = 0;
  for (int i = 0; i < 1000000 && mismatches < 10; ++i) {
    std::string text = randomNumberText(rng);
    StrtodResult expected = referenceConvert(text);
    RealConversion actual = convertReal(text);
    bool clipped = actual.clipping != Clipping::None;
    if (expected.rangeError != clipped ||
        (!clipped && std::memcmp(&expected.value, &actual.value, sizeof(double)) != 0)) {
      ADD_FAILURE() << "text " << text;
      ++mismatches;
    }
  }
}

TEST(ConvertReal, AgreesWithStrtodAroundTheRangeEdges) {
  const char* texts[] = {
      "2.2250738585072014e-308", "2.2250738585072011e-308", "2.2250738585072009e-308",
      "4.9406564584124654e-324", "2.4703282292062327e-324", "2.4703282292062328e-324",
      "1.7976931348623157e308",  "1.7976931348623158e308",  "1.7976931348623159e308",
      "179769313486231580793728971405303415079934132710037826936173778980444968292764750946649"
      "017977587207096330286416692887910946555547851940402630657488671505820681908902000708383"
      "676273854845817711531764475730270069855571366959622842914819860834936475292719074168444"
      "365510704342711559699508093042880177904174497792",
      "0.9999999999999999999999999", "9007199254740993", "9007199254740992.5"};
  for (const char* text : texts) {
    StrtodResult expected = referenceConvert(text);
    RealConversion actual = convertReal(text);
    EXPECT_EQ(expected.rangeError, actual.clipping != Clipping::None) << text;
    if (!expected.rangeError) {
      EXPECT_EQ(std::memcmp(&expected.value, &actual.value, sizeof(double)), 0) << text;
    }
  }
}

TEST(ConvertInteger, WholeIntegersOnly) {
  EXPECT_EQ(convertInteger("007").value, 7);
  EXPECT_TRUE(convertInteger("007").wholeInteger);
  EXPECT_EQ(convertInteger("-3").value, -3);
  EXPECT_EQ(convertInteger("+5").value, 5);
  for (const char* text : {"1.5", "5.0", "1e3", "2.5", "+", "-", "", ".", "1-2"})
    EXPECT_FALSE(convertInteger(text).wholeInteger) << text;
}

TEST(ConvertInteger, ClipsToThe32BitRange) {
  IntegerConversion big = convertInteger("99999999999");
  EXPECT_TRUE(big.wholeInteger);
  EXPECT_EQ(big.value, 2147483647);
  EXPECT_EQ(big.clipping, Clipping::Large);
  EXPECT_EQ(convertInteger("3000000000").value, 2147483647);
  EXPECT_EQ(convertInteger("2147483647").clipping, Clipping::None);
  EXPECT_EQ(convertInteger("2147483648").clipping, Clipping::Large);
  EXPECT_EQ(convertInteger("-2147483648").clipping, Clipping::None);
  IntegerConversion small = convertInteger("-2147483649");
  EXPECT_EQ(small.value, -2147483647 - 1);
  EXPECT_EQ(small.clipping, Clipping::Large);
  EXPECT_EQ(convertInteger(std::string(5000, '9')).value, 2147483647);
}

}  // namespace
}  // namespace touchstone2
