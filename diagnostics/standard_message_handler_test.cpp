#include "diagnostics/standard_message_handler.h"

#include <gtest/gtest.h>

#include <sstream>

#include "diagnostics/format_errors.h"
#include "model/file.h"

namespace touchstone2 {
namespace {

Token at(std::uint32_t line, std::uint32_t column, const std::string& text) {
  Token token;
  token.kind = TokenKind::Word;
  token.line = line;
  token.column = column;
  token.text = text;
  return token;
}

TEST(StandardMessageHandler, WritesOneLinePerDiagnostic) {
  File file("amp.s2p");
  std::ostringstream out;
  StandardMessageHandler handler(out);
  handler.warning(file, ParserWarning(2106, at(3, 1, "#")));
  handler.error(file, InvalidCharacterError(at(12, 5, "x")));
  EXPECT_EQ(out.str(),
            "amp.s2p:3:1: warning W2106: ignored secondary options line; only the first options "
            "line is used\n"
            "amp.s2p:12:5: error E2003: invalid character 'x'\n");
}

TEST(StandardMessageHandler, LeavesOutPositionsThatAreZero) {
  File file("amp.s2p");
  std::ostringstream out;
  StandardMessageHandler handler(out);
  handler.error(file, ParserError(1001));
  handler.error(file, ParserError(2004, at(7, 0, "x")));
  // A column without a line is never printed.
  handler.error(file, ParserError(2004, at(0, 9, "x")));
  EXPECT_EQ(out.str(),
            "amp.s2p: error E1001: file not found\n"
            "amp.s2p:7: error E2004: expected end-of-line termination\n"
            "amp.s2p: error E2004: expected end-of-line termination\n");
}

}  // namespace
}  // namespace touchstone2
