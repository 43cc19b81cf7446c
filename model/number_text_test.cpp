#include "model/number_text.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace touchstone2 {
namespace {

// Any precision fits, even one whose text is far longer than a double's 17
// digits (the fixed form of 1e59 at 60 digits, the expansion of 1e-300).
TEST(NumberText, AnyPrecisionIsWrittenWhole) {
  for (double value : {1e59, -1e-300, 0.1, -123.456}) {
    for (int precision : {1, 6, 16, 60, 120}) {
      char expected[256];
      std::snprintf(expected, sizeof expected, "%.*g", precision, value);
      std::string text = "x";
      appendGeneral(text, value, precision);
      EXPECT_EQ(text, std::string("x") + expected) << precision;
    }
  }
}

// Shortest: fewer digits than 17 where they suffice, and always the same double back.
TEST(NumberText, ShortestReadsBackExactly) {
  for (double value : {50.0, 50.00001, 50.0000005, 1.0 / 3, -2.5e-310, 1e300}) {
    std::string text;
    appendShortest(text, value);
    EXPECT_EQ(std::strtod(text.c_str(), nullptr), value) << text;
    EXPECT_LE(text.size(), 24u);
  }
  std::string fifty;
  appendShortest(fifty, 50.0);
  EXPECT_EQ(fifty, "50");
}

// Round trip: six digits where they suffice, as many more as the value needs.
TEST(NumberText, RoundTripKeepsSixDigitsAndEveryNeededOne) {
  for (double value : {50.0, 50.1234567, 1.0 / 3, 75.00000000000001, 1e-300}) {
    std::string text = "R ";
    appendRoundTrip(text, value);
    EXPECT_EQ(std::strtod(text.c_str() + 2, nullptr), value) << text;
  }
  std::string text;
  appendRoundTrip(text, 50.0);
  appendRoundTrip(text += ' ', 0.5);
  appendRoundTrip(text += ' ', 1234567.0);
  EXPECT_EQ(text, "50 0.5 1234567");
}

}  // namespace
}  // namespace touchstone2
