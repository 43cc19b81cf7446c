#include "model/number_text.h"

#include <gtest/gtest.h>

#include <clocale>
#include <limits>
#include <locale>

#include "input/number_conversion.h"

namespace touchstone2 {
namespace {

TEST(NumberText, WritesLikePrintfGeneral) {
  EXPECT_EQ(formatGeneral(1e-5), "1e-05");
  EXPECT_EQ(formatGeneral(1.5e9), "1.5e+09");
  EXPECT_EQ(formatGeneral(50.0), "50");
  EXPECT_EQ(formatGeneral(75.5), "75.5");
  EXPECT_EQ(formatGeneral(-0.0), "-0");
  EXPECT_EQ(formatGeneral(std::numeric_limits<double>::max()), "1.79769e+308");
  EXPECT_EQ(formatGeneral(0.1, 16), "0.1");
  EXPECT_EQ(formatGeneral(1.0 / 3.0, 16), "0.3333333333333333");
  EXPECT_EQ(formatGeneral(123456789012.0, 16), "123456789012");
}

TEST(NumberText, PadsToAFieldButNeverCuts) {
  std::string s;
  appendGeneralPadded(s, 0.5, 6, 12);
  EXPECT_EQ(s, "0.5         ");
  s.clear();
  appendGeneralPadded(s, -1.234567890123456e-300, 16, 20);
  EXPECT_EQ(s, "-1.234567890123456e-300");
}

// Numbers must read and write the same whatever locale the program or a
// library caller has switched to: a decimal comma would corrupt a Touchstone
// file. Needs a comma-decimal locale to be installed to prove anything.
TEST(NumberText, IndependentOfTheProcessLocale) {
  const char* names[] = {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8"};
  const char* chosen = nullptr;
  for (const char* name : names) {
    if (std::setlocale(LC_ALL, name) != nullptr) {
      chosen = name;
      break;
    }
  }
  if (chosen == nullptr)
    GTEST_SKIP() << "no comma-decimal locale installed";
  std::locale::global(std::locale(chosen));
  EXPECT_EQ(formatGeneral(1.5), "1.5");
  EXPECT_EQ(formatGeneral(0.25, 16), "0.25");
  EXPECT_EQ(convertReal("1.5").value, 1.5);
  EXPECT_EQ(convertReal("2.5e-320").clipping, Clipping::Small);  // the strtod path
  EXPECT_EQ(convertReal("1.5e-400").value, std::numeric_limits<double>::min());
  std::locale::global(std::locale::classic());
  std::setlocale(LC_ALL, "C");
}

}  // namespace
}  // namespace touchstone2
