#include "diagnostics/message_text.h"

#include <gtest/gtest.h>

#include <string>

namespace touchstone2 {
namespace {

TEST(MessageText, BlockCodesHaveGeneralTexts) {
  EXPECT_STREQ(messageText(1000), "problem with attempting to read the file");
  EXPECT_STREQ(messageText(2000), "error in Touchstone file format");
  EXPECT_STREQ(messageText(2100), "error in Touchstone options line");
  EXPECT_STREQ(messageText(2200), "error in keyword ordering");
  EXPECT_STREQ(messageText(2300), "error in Touchstone data format");
}

TEST(MessageText, TextsThatAreEasyToGetWrong) {
  EXPECT_STREQ(messageText(2010), "# is not at the start of the line");
  EXPECT_STREQ(messageText(2104), "the reference impedance is invalid or missing");
  EXPECT_STREQ(messageText(2105), "the reference impedance is invalid");
  EXPECT_STREQ(messageText(2203),
               "expected to find a [Begin Information] keyword before and [End Information] keyword");
  EXPECT_STREQ(messageText(2019), "expected '21_12' or '12_21' for the two-port data order");
  EXPECT_STREQ(messageText(2321), "nonphysical noise behavior described");
}

TEST(MessageText, CodesOutsideTheTableFallBack) {
  for (int code : {2031, 2108, 2211, 2322, 1004, 999, 0, -1, 1999, 2099, 2199, 2299})
    EXPECT_STREQ(messageText(code), "unknown Touchstone parser error") << code;
}

TEST(MessageText, EveryCodeOfEveryBlockHasItsOwnText) {
  struct Block { int first, last; };
  for (Block block : {Block{1000, 1003}, Block{2000, 2030}, Block{2100, 2107}, Block{2200, 2210},
                      Block{2300, 2321}}) {
    for (int code = block.first; code <= block.last; ++code)
      EXPECT_STRNE(messageText(code), "unknown Touchstone parser error") << code;
  }
}

TEST(MessageText, FiveCodesAreWarnings) {
  int warnings = 0;
  for (int code = 900; code < 2400; ++code)
    warnings += isWarningCode(code) ? 1 : 0;
  EXPECT_EQ(warnings, 5);
  for (int code : {2005, 2106, 2301, 2302, 2321})
    EXPECT_TRUE(isWarningCode(code)) << code;
}

}  // namespace
}  // namespace touchstone2
