// The conversions of the WebAssembly build (fast_float and {fmt}) against the
// standard library's, which the native build uses: the same digits both
// ways, so that the page and the module say what the checker says. Natively
// compiled here when the two header-only libraries are installed.

#if __has_include(<fast_float/fast_float.h>) && __has_include(<fmt/format.h>)
#define TOUCHSTONE2_FLOAT_CHARS_LIBRARIES
#include "model/float_chars.h"
#define LIBRARIES_PRESENT 1
#else
#define LIBRARIES_PRESENT 0
#endif

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace touchstone2 {
namespace {

#if LIBRARIES_PRESENT

// Doubles of every size and kind: random bit patterns (subnormals included),
// values with few digits, and the edges.
std::vector<double> someDoubles() {
  std::vector<double> values = {0.0, -0.0, 1.0, 50.0, 0.1, 1e22, 1e23, 5e-324,
                                2.2250738585072014e-308, std::numeric_limits<double>::max(),
                                123456.0, 999999.5, 9.5, 0.00001, 0.0001234, 1e16, 1e17, 100.0,
                                0.78125, 99.21875};
  std::mt19937_64 random(20261206);
  for (int i = 0; i < 5000; ++i) {
    std::uint64_t bits = random();
    double value = 0;
    std::memcpy(&value, &bits, sizeof value);
    if (std::isfinite(value))
      values.push_back(value);
    values.push_back(static_cast<double>(random() % 100000) / 1000.0);
  }
  return values;
}

std::string standardGeneral(double value, int precision) {
  char text[160];
  return std::string(text, std::to_chars(text, text + sizeof text, value,
                                         std::chars_format::general, precision).ptr);
}

TEST(FloatChars, GeneralHasTheStandardDigitsAtEveryPrecision) {
  for (double value : someDoubles()) {
    for (int precision : {1, 2, 6, 10, 15, 16, 17, 60}) {
      char text[160];
      char* end = writeGeneral(text, text + sizeof text, value, precision);
      ASSERT_NE(end, nullptr);
      ASSERT_EQ(std::string(text, end), standardGeneral(value, precision)) << precision;
    }
  }
}

// Ties (0.78125 to four decimals) round to the even digit, as printf does.
TEST(FloatChars, FixedHasTheStandardDigits) {
  for (double value : someDoubles()) {
    for (int decimals : {0, 4, 12}) {
      char text[400];
      char expected[400];
      char* end = writeFixed(text, text + sizeof text, value, decimals);
      char* expectedEnd = std::to_chars(expected, expected + sizeof expected, value,
                                        std::chars_format::fixed, decimals).ptr;
      ASSERT_NE(end, nullptr);
      ASSERT_EQ(std::string(text, end), std::string(expected, expectedEnd));
    }
  }
}

// Both shortest forms, general and scientific, give the standard digits.
TEST(FloatChars, ShortestHasTheStandardDigits) {
  using Writer = char* (*)(char*, char*, double);
  const std::pair<Writer, std::chars_format> forms[] = {
      {writeShortestGeneral, std::chars_format::general},
      {writeShortestScientific, std::chars_format::scientific}};
  for (const auto& [write, format] : forms) {
    for (double value : someDoubles()) {
      char text[64];
      char expected[64];
      char* end = write(text, text + sizeof text, value);
      char* expectedEnd = std::to_chars(expected, expected + sizeof expected, value, format).ptr;
      ASSERT_NE(end, nullptr);
      ASSERT_EQ(std::string(text, end), std::string(expected, expectedEnd));
    }
  }
}

TEST(FloatChars, ATextThatDoesNotFitIsRefused) {
  char text[4];
  EXPECT_EQ(writeGeneral(text, text + sizeof text, 123456.0, 6), nullptr);
  EXPECT_NE(writeGeneral(text, text + sizeof text, 1234.0, 6), nullptr);
}

// What is read, and what is left to the careful path (not finite, not read),
// "1e400" above all: fast_float reads it as infinity without a word.
TEST(FloatChars, ReadingMatchesTheStandardAndLeavesTheRestToStrtod) {
  std::vector<std::string> texts = {"1", "-2.5", "1e5", "1.e5", ".5", "5.", "1e", "1e+", "-.",
                                    "1.2.3", "0x10", "1e400", "-1e400", "1e-400", "4.9e-324",
                                    "inf", "nan", "12abc", "e5", "", "-", "00012.50"};
  for (double value : someDoubles())
    texts.push_back(standardGeneral(value, 17));
  for (const std::string& text : texts) {
    double standard = 0;
    std::from_chars_result result =
        std::from_chars(text.data(), text.data() + text.size(), standard);
    bool standardReads = result.ec == std::errc() && std::isfinite(standard);
    double value = 0;
    bool reads = readFiniteDouble(text.data(), text.data() + text.size(), value);
    // A text below the smallest double reads as zero where the standard
    // reports the range; convertReal sends zero to strtod either way.
    if (reads && !standardReads && result.ec == std::errc::result_out_of_range) {
      ASSERT_EQ(value, 0.0) << text;
      continue;
    }
    ASSERT_EQ(reads, standardReads) << text;
    if (reads) {
      ASSERT_EQ(value, standard) << text;
    }
  }
}

#else

TEST(FloatChars, LibrariesInstalled) {
  GTEST_SKIP() << "fast_float and {fmt} are not installed (libfast-float-dev, libfmt-dev): "
                  "the WebAssembly build's number conversions are not compared";
}

#endif

}  // namespace
}  // namespace touchstone2
