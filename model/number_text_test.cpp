#include "model/number_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>
#include <string>

namespace touchstone2 {
namespace {

std::uint64_t bitsOf(double value) {
  std::uint64_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  return bits;
}

std::string printed(const char* format, int precision, double value) {
  char text[256];
  std::snprintf(text, sizeof text, format, precision, value);
  return text;
}

// The shortest text, from a source of its own: the fewest digits of %.*e
// that read back.
std::string shortestDigits(double value) {
  for (int digits = 1;; ++digits) {
    std::string text = printed("%.*e", digits - 1, value);
    if (std::strtod(text.c_str(), nullptr) == value || digits == 17)
      return text.substr(0, text.find('e'));
  }
}

std::string mantissaOf(const std::string& text) {
  std::string digits;
  for (char c : text.substr(0, text.find('e'))) {
    if (c >= '0' && c <= '9')
      digits += c;
  }
  digits.erase(0, digits.find_first_not_of('0'));
  digits.erase(digits.find_last_not_of('0') + 1);
  return digits;
}

// Any precision fits, even one whose text is far longer than a double's 17
// digits (the fixed form of 1e59 at 60 digits, the expansion of 1e-300).
TEST(NumberText, AnyPrecisionIsWrittenWhole) {
  for (double value : {1e59, -1e-300, 0.1, -123.456}) {
    for (int precision : {1, 6, 16, 60, 120}) {
      std::string text = "x";
      appendGeneral(text, value, precision);
      EXPECT_EQ(text, "x" + printed("%.*g", precision, value)) << precision;
    }
  }
}

// The writers' rule, on random bit patterns over the whole range and on
// values next to powers of ten: the %g text wherever it reads back as the same
// double, otherwise the shortest digits that do, and always the same bits back.
TEST(NumberText, ExactKeepsTheFixedTextWhereItReadsBackAndOtherwiseTheShortest) {
  std::mt19937_64 random(22);
  int fallbacks[2] = {0, 0};
  for (int i = 0; i < 8000; ++i) {
    double value;
    if (i % 4 == 0) {
      value = std::nextafter(std::pow(10.0, static_cast<int>(random() % 617) - 308),
                             i % 8 == 0 ? 0.0 : 1e308);
    } else {
      std::uint64_t bits = random();
      std::memcpy(&value, &bits, sizeof value);
    }
    if (!std::isfinite(value))
      continue;
    for (int precision : {6, 16}) {
      std::string text = "x";
      appendExact(text, value, precision);
      text.erase(0, 1);
      ASSERT_EQ(bitsOf(std::strtod(text.c_str(), nullptr)), bitsOf(value)) << text;
      std::string fixed = printed("%.*g", precision, value);
      if (std::strtod(fixed.c_str(), nullptr) == value) {
        ASSERT_EQ(text, fixed);
      } else {
        ++fallbacks[precision == 16];
        const std::string digits = mantissaOf(shortestDigits(value));
        ASSERT_EQ(mantissaOf(text), digits) << text;
        ASSERT_LE(digits.size(), 17u) << text;
        // In the form of %g at that many digits (or the fixed precision, if more).
        const int least = std::max(static_cast<int>(digits.size()), precision);
        std::string styled = printed("%.*g", least, value);
        if (std::strtod(styled.c_str(), nullptr) == value) {
          ASSERT_EQ(text, styled);
        }
      }
      char room[kLongestNumberText];
      char* end = writeExact(room, room + sizeof room, value, precision);
      ASSERT_EQ(std::string(room, end), text);
    }
  }
  // Both branches were taken, often.
  EXPECT_GT(fallbacks[0], 4000);
  EXPECT_GT(fallbacks[1], 2000);
}

TEST(NumberText, ExactOfKnownValues) {
  auto exact = [](double value, int precision) {
    std::string text;
    appendExact(text, value, precision);
    return text;
  };
  // Sixteen digits read back one unit lower; seventeen are needed.
  EXPECT_EQ(exact(-0.053985951159975155, 16), "-0.053985951159975155");
  EXPECT_EQ(exact(0.1 + 0.2, 16), "0.30000000000000004");
  EXPECT_EQ(exact(std::nextafter(1e21, 2e21), 16), "1.0000000000000001e+21");
  // Next to a power of two 16 correctly rounded digits read back one double
  // lower, yet 16 other digits read back exactly.
  EXPECT_EQ(exact(7.120236347223045e-307, 16), "7.120236347223045e-307");
  // Every power of two and its neighbours, where the doubles below lie closer.
  for (int power = -1074; power < 1024; ++power) {
    const double two = std::ldexp(1.0, power);
    for (double value : {std::nextafter(two, 0.0), two, std::nextafter(two, 2 * two)}) {
      for (int precision : {6, 15, 16}) {
        ASSERT_EQ(bitsOf(std::strtod(exact(value, precision).c_str(), nullptr)), bitsOf(value))
            << exact(value, precision);
      }
    }
  }
  EXPECT_EQ(exact(-0.0, 16), "-0");
  EXPECT_EQ(exact(0.0, 6), "0");
  EXPECT_EQ(exact(std::numeric_limits<double>::max(), 16), "1.7976931348623157e+308");
  EXPECT_EQ(exact(std::numeric_limits<double>::min(), 16), "2.2250738585072014e-308");
  EXPECT_EQ(exact(-std::numeric_limits<double>::denorm_min(), 16), "-4.940656458412465e-324");
  EXPECT_EQ(exact(-std::numeric_limits<double>::denorm_min(), 6), "-4.94066e-324");
}

}  // namespace
}  // namespace touchstone2
