// Gathering the numbers of one data line into a TokenList, and what may
// follow the last section of a file.

#include <algorithm>
#include <cstdint>
#include <utility>

#include <touchstone2/diagnostic.h>

#include "input/lexer.h"
#include "parser/reader.h"
#include "parser/token_list.h"

namespace touchstone2 {

namespace {

// Blank passing for the length of one data line, on every way out.
class BlankPassing {
 public:
  explicit BlankPassing(Lexer& lexer) : lexer_(lexer) { lexer_.passBlanks(true); }
  ~BlankPassing() { end(); }
  BlankPassing(const BlankPassing&) = delete;
  BlankPassing& operator=(const BlankPassing&) = delete;
  void end() { lexer_.passBlanks(false); }

 private:
  Lexer& lexer_;
};

// Often enough to stop within a millisecond or so, rarely enough to cost
// nothing measurable.
constexpr std::uint32_t kLinesPerInterruptCheck = 1024;

}  // namespace

bool Reader::readDataLine(TokenList& tokens, bool frequencyAtLineStart, bool v1) {
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
        throw ParserError(Code::ExpectedNumber, token());
    }
  }
  if (frequencyAtLineStart && token().column != 1)
    throw ParserError(Code::FrequencyNotAtLineStart, token());
  // Each number is taken over by the list rather than copied; the next token
  // is read right after. After a number the lexer gives a blank run, the line
  // end or the end of the file. The blank runs are passed over inside the
  // lexer, which leaves the token after each run: a number, or a word that is
  // not one.
  tokens.appendTaken(*lexer_);
  BlankPassing passing(*lexer_);
  for (;;) {
    // The number after a blank, the commonest step, cannot be the end of the
    // file, so it needs nothing of nextToken() beyond the lexer step.
    TokenKind kind =
        lexer_->nextNumberAfterBlanks() ? lexer_->token().kind : nextToken().kind;
    if (kind == TokenKind::Number) {
      tokens.appendTaken(*lexer_);
      continue;
    }
    passing.end();
    if (kind == TokenKind::EndOfLine) {
      nextToken();
      return true;
    }
    if (kind == TokenKind::EndOfFile)
      return true;
    throw ParserError(Code::ExpectedNumber, token());
  }
}

void Reader::checkTrailingLines(bool v1) {
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
        throw ParserError(Code::ExtraLines, token());
    }
  }
}

void TokenList::addSlot() { slots_.push_back(std::make_unique<Token>()); }

void TokenList::truncate(std::size_t count) {
  count_ = std::min(count_, count);
  stored_ = std::min(stored_, count_);
}

void TokenList::moveTailTo(std::size_t from, TokenList& other) {
  other.clear();
  for (std::size_t i = from; i < stored_ && other.stored_ < other.limit_; ++i) {
    other.freeSlot().swap(slots_[i]);
    ++other.stored_;
  }
  other.count_ = count_ - std::min(from, count_);
  truncate(from);
}

void TokenList::swap(TokenList& other) {
  slots_.swap(other.slots_);
  std::swap(stored_, other.stored_);
  std::swap(count_, other.count_);
}

}  // namespace touchstone2
