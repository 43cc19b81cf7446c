// Gathering the numbers of one data line, and what may follow the last
// section of a file.

#include <cstdint>

#include "diagnostics/parser_error.h"
#include "input/file_source.h"
#include "parser/parser.h"
#include "parser/token_list.h"

namespace touchstone2 {

namespace {

// Blank passing for the length of one data line, on every way out.
class BlankPassing {
 public:
  explicit BlankPassing(FileSource& source) : source_(source) { source_.passBlanks(true); }
  ~BlankPassing() { end(); }
  BlankPassing(const BlankPassing&) = delete;
  BlankPassing& operator=(const BlankPassing&) = delete;
  void end() { source_.passBlanks(false); }

 private:
  FileSource& source_;
};

// Often enough to stop within a millisecond or so, rarely enough to cost
// nothing measurable.
constexpr std::uint32_t kLinesPerInterruptCheck = 1024;

}  // namespace

bool Parser::readDataLine(TokenList& tokens, bool frequencyAtLineStart, bool v1) {
  if (interruptCheck_ && --linesUntilCheck_ == 0) {
    linesUntilCheck_ = kLinesPerInterruptCheck;
    interruptCheck_();
  }
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
  // Each number is taken over by the list rather than copied; the next token
  // is read right after. After a number the lexer gives a blank run, the line
  // end or the end of the file. The blank runs are passed over inside the
  // lexer, which leaves the token after each run: a number, or a word that is
  // not one.
  tokens.appendTaken(*source_);
  BlankPassing passing(*source_);
  for (;;) {
    // The number after a blank, the commonest step, cannot be the end of the
    // file, so it needs nothing of nextToken() beyond the lexer step.
    TokenKind kind =
        source_->nextNumberAfterBlanks() ? source_->token().kind : nextToken().kind;
    if (kind == TokenKind::Number) {
      tokens.appendTaken(*source_);
      continue;
    }
    passing.end();
    if (kind == TokenKind::EndOfLine) {
      nextToken();
      return true;
    }
    if (kind == TokenKind::EndOfFile)
      return true;
    throw ParserError(2007, token());
  }
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
