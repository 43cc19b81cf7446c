#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "diagnostics/data_errors.h"
#include "diagnostics/format_errors.h"
#include "diagnostics/mixed_mode_errors.h"
#include "diagnostics/parser_warning.h"
#include "diagnostics/warnings.h"

namespace touchstone2 {
namespace {

Token wordToken(const std::string& text, std::uint32_t line = 3, std::uint32_t column = 7) {
  Token token;
  token.kind = TokenKind::Word;
  token.line = line;
  token.column = column;
  token.text = text;
  return token;
}

TEST(DetailedMessages, IncorrectNumberOfNetworkValues) {
  Token t = wordToken("1");
  EXPECT_STREQ(IncorrectNumberOfNetworkValuesError(7, 4, t).what(),
               "incorrect number of values for network data (found 3.5 complex pairs but expected "
               "4 complex pairs)");
  EXPECT_STREQ(IncorrectNumberOfNetworkValuesError(2, 1, t).what(),
               "incorrect number of values for network data (found 1 complex pair but expected 1 "
               "complex pair)");
  EXPECT_STREQ(IncorrectNumberOfNetworkValuesError(1, 0, t).what(),
               "incorrect number of values for network data (found 0.5 complex pairs)");
  EXPECT_STREQ(IncorrectNumberOfNetworkValuesError(0, 4, t).what(),
               "incorrect number of values for network data (found 0 complex pairs but expected 4 "
               "complex pairs)");
  // Expected counts beyond 32 bits are printed whole, not wrapped.
  EXPECT_STREQ(IncorrectNumberOfNetworkValuesError(2, 4611686014132420609ULL, t).what(),
               "incorrect number of values for network data (found 1 complex pair but expected "
               "4611686014132420609 complex pairs)");
}

TEST(DetailedMessages, FrequencyErrors) {
  Token t = wordToken("1.5");
  EXPECT_STREQ(FrequencyOrderingError(1.5, 2.0, t).what(),
               "frequency points must be listed in increasing order, but 1.5 is not greater than 2");
  EXPECT_STREQ(FrequencyOrderingError(1e-5, 1e9, t).what(),
               "frequency points must be listed in increasing order, but 1e-05 is not greater than "
               "1e+09");
  EXPECT_STREQ(FrequencyCountError(2, 3, t).what(),
               "wrong number of frequency points (found 2 but expected 3)");
  EXPECT_STREQ(NetworkDataNotSquareError(3, t).what(),
               "detected 3 number pairs of network data, but network data must fit a NxN matrix");
}

TEST(DetailedMessages, MixedModeErrors) {
  Token t = wordToken("d1,2");
  EXPECT_STREQ(WrongMixedModeDescriptorCountError(1, 2, t).what(),
               "the number of mixed-mode port descriptors (1) must match the number of ports (2)");
  EXPECT_STREQ(MixedModeDescriptorOverlapError(3, t).what(),
               "overlapping mixed-mode port descriptors for port 3");
  EXPECT_STREQ(Mismatched_C_D_DescriptorPortsError(1, t).what(),
               "common-mode and differential-mode descriptors for port 1 must reference the same "
               "pair of ports");
  EXPECT_STREQ(MixedModeDescriptorsMissedPortError(4, t).what(),
               "mixed-mode port descriptors did not describe port 4");
  DifferentialPortsImpedanceError impedance(1, 50.0, 2, 75.0);
  EXPECT_STREQ(impedance.what(),
               "different reference impedance for mixed-mode ports (port 1: 50 Ohms, port 2: 75 "
               "Ohms)");
  EXPECT_EQ(impedance.getLine(), 0u);
  EXPECT_EQ(impedance.getColumn(), 0u);
  EXPECT_STREQ(impedance.getText(), "");
}

TEST(DetailedMessages, FormatErrors) {
  Token keyword = wordToken("reference");
  keyword.kind = TokenKind::Keyword;
  EXPECT_STREQ(KeywordOrderingError(keyword).what(), "keyword [reference] is out of order");
  EXPECT_STREQ(WrongReferenceImpedanceCountError(3, 4, keyword).what(),
               "the number of reference impedances (3) must match the number of ports (4)");
  EXPECT_STREQ(InvalidCharacterError(wordToken("x")).what(), "invalid character 'x'");
  EXPECT_STREQ(InvalidCharacterError(wordToken("\xb0")).what(), "invalid character '\xb0'");
  EXPECT_STREQ(InvalidCharacterError(wordToken("\t")).what(), "invalid character '\t'");
}

TEST(DetailedMessages, ControlBytesAreShownEscaped) {
  EXPECT_STREQ(InvalidCharacterError(wordToken(std::string(1, '\0'))).what(),
               "invalid character '\\x00'");
  EXPECT_STREQ(InvalidCharacterError(wordToken("\x1b")).what(), "invalid character '\\x1b'");
  EXPECT_STREQ(InvalidCharacterError(wordToken("\x7f")).what(), "invalid character '\\x7f'");
  EXPECT_EQ(InvalidCharacterError(wordToken("\x1b")).getCharacter(), '\x1b');
}

TEST(DetailedMessages, Warnings) {
  Token t = wordToken("1e400");
  EXPECT_STREQ(ClippingLargeNumberWarning(std::numeric_limits<double>::max(), t).what(),
               "clipping a very large number to 1.79769e+308");
  EXPECT_STREQ(ClippingSmallNumberWarning(std::numeric_limits<double>::min(), t).what(),
               "clipping a very small number to 2.22507e-308");
  EXPECT_STREQ(NonphysicalNoiseWarning(-0.5, t).what(),
               "nonphysical noise behavior (-0.5 dB) described");
  EXPECT_EQ(NonphysicalNoiseWarning(-0.5, t).getCode(), 2321);
}

TEST(DetailedMessages, PlainDiagnosticsUseTheTableText) {
  ParserError error(2002);
  EXPECT_STREQ(error.what(), "file does not appear to be a Touchstone file");
  EXPECT_EQ(error.getLine(), 0u);
  EXPECT_EQ(error.getColumn(), 0u);
  ParserWarning warning(2106, wordToken("#", 3, 1));
  EXPECT_STREQ(warning.what(),
               "ignored secondary options line; only the first options line is used");
  EXPECT_EQ(warning.getLine(), 3u);
  EXPECT_EQ(warning.getColumn(), 1u);
}

TEST(DetailedMessages, LongTokenTextIsCutTo127Characters) {
  std::string text(300, 'a');
  text[126] = 'b';
  text[127] = 'c';
  ParserError error(2008, wordToken(text));
  EXPECT_EQ(std::string(error.getText()), text.substr(0, 127));
  ParserError copy = error;
  EXPECT_EQ(std::string(copy.getText()), text.substr(0, 127));
  EXPECT_EQ(copy.getCode(), 2008);
}

TEST(DetailedMessages, ErrorsAndWarningsAreSeparateFamilies) {
  try {
    throw FrequencyCountError(1, 2, wordToken("1"));
  } catch (const ParserError& error) {
    EXPECT_EQ(error.getCode(), 2310);
    EXPECT_STREQ(error.what(), "wrong number of frequency points (found 1 but expected 2)");
  }
  bool caughtAsError = false;
  try {
    throw ClippingLargeNumberWarning(1.0, wordToken("1"));
  } catch (const ParserError&) {
    caughtAsError = true;
  } catch (const ParserWarning&) {
  }
  EXPECT_FALSE(caughtAsError);
}

}  // namespace
}  // namespace touchstone2
