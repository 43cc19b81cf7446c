// The code table: every code explained, in text every output can carry.

#include <touchstone2/codes.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <set>
#include <string>

namespace touchstone2 {
namespace {

TEST(Codes, EveryCodeHasAnExplanationOfItsOwn) {
  std::set<std::string> seen;
  for (std::size_t i = 0; i < kCodeCount; ++i) {
    const CodeRow& row = kCodes[i];
    const std::int32_t code = static_cast<std::int32_t>(row.code);
    SCOPED_TRACE(code);
    const std::string explanation = row.explanation;
    EXPECT_EQ(explanation, explanationText(code));
    // A paragraph of sentences, not a restatement of the short text.
    EXPECT_GT(explanation.size(), std::strlen(row.text) + 40);
    EXPECT_EQ(explanation.back(), '.');
    EXPECT_TRUE(seen.insert(explanation).second) << "the same text as another code";
    // Plain ASCII without line ends or tabs: the terminal wraps it, the
    // manual page and the JSON and SARIF reports carry it as it is.
    for (char c : explanation)
      EXPECT_TRUE(c >= 0x20 && c < 0x7F) << "byte " << int(static_cast<unsigned char>(c));
    EXPECT_EQ(explanation.find("  "), std::string::npos) << "two blanks in a row";
  }
}

TEST(Codes, AnUnknownCodeHasNoExplanation) {
  for (std::int32_t code : {0, -1, 999, 1004, 2031, 2111, 2211, 2323, 99999})
    EXPECT_STREQ(explanationText(code), "") << code;
}

}  // namespace
}  // namespace touchstone2
