// Gathering the numbers of one data line, and what may follow the last
// section of a file.

#include "diagnostics/parser_error.h"
#include "input/file_source.h"
#include "parser/parser.h"

namespace touchstone2 {

bool Parser::readDataLine(TokenList& tokens, bool frequencyAtLineStart, bool v1) {
  while (token().kind != TokenKind::Number) {
    switch (token().kind) {
      case TokenKind::Whitespace:
      case TokenKind::EndOfLine:
        nextToken();
        break;
      case TokenKind::OptionMarker:
        skipSecondaryOptionLine(v1);
        break;
      case TokenKind::Keyword:
      case TokenKind::EndOfFile:
        return false;
      default:
        throw ParserError(2007, token());
    }
  }
  if (frequencyAtLineStart && token().column != 1)
    throw ParserError(2011, token());
  tokens.append(token());
  nextToken();
  while (!skipSeparator()) {
    expectNumber(2007);
    tokens.append(token());
    nextToken();
  }
  return true;
}

void Parser::checkTrailingLines(bool v1) {
  for (;;) {
    switch (token().kind) {
      case TokenKind::Whitespace:
      case TokenKind::EndOfLine:
        nextToken();
        break;
      case TokenKind::OptionMarker:
        skipSecondaryOptionLine(v1);
        break;
      case TokenKind::EndOfFile:
        return;
      default:
        throw ParserError(2030, token());
    }
  }
}

}  // namespace touchstone2
