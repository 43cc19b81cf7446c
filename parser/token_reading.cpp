// The token operations that every section reader is built from.

#include <touchstone2/diagnostic.h>
#include <touchstone2/file.h>

#include "diagnostics/detailed_diagnostics.h"
#include "input/lexer.h"
#include "input/number_conversion.h"
#include "model/vocabulary.h"
#include "parser/reader.h"

namespace touchstone2 {

const Token& Reader::token() const { return lexer_->token(); }

const Token& Reader::nextToken() {
  lexer_->next();
  const Token& current = lexer_->token();
  // The end may be read more than once; a missing final line end is one
  // problem, reported once.
  if (current.kind == TokenKind::EndOfFile && current.text.empty() && !endOfFileWarned_) {
    endOfFileWarned_ = true;
    reportWarning(ParserWarning(Code::NoFinalLineEnd, current));
  }
  return current;
}

void Reader::expectWhitespace(Code code) {
  switch (token().kind) {
    case TokenKind::Whitespace:
      nextToken();
      return;
    case TokenKind::EndOfLine:
    case TokenKind::EndOfFile:
      throw ParserError(code, token());
    default:
      throw ParserError(Code::ExpectedWhitespace, token());
  }
}

bool Reader::skipSeparator() {
  switch (token().kind) {
    case TokenKind::Whitespace:
      nextToken();
      return false;
    case TokenKind::EndOfLine:
      nextToken();
      return true;
    case TokenKind::EndOfFile:
      return true;
    default:
      throw ParserError(Code::ExpectedWhitespace, token());
  }
}

void Reader::expectEndOfLine() {
  if (token().kind == TokenKind::EndOfLine)
    nextToken();
  else if (token().kind != TokenKind::EndOfFile)
    throw ParserError(Code::ExpectedEndOfLine, token());
}

void Reader::expectNumber(Code code) {
  if (token().kind != TokenKind::Number)
    throw ParserError(code, token());
}

void Reader::expectWord(Code code) {
  if (token().kind != TokenKind::Word)
    throw ParserError(code, token());
}

bool Reader::atKeyword(Keyword keyword) const {
  return token().kind == TokenKind::Keyword && sameWord(token().text, keywordText(keyword));
}

void Reader::skipBlankLines() {
  for (;;) {
    switch (token().kind) {
      case TokenKind::EndOfLine:
        nextToken();
        break;
      case TokenKind::OptionMarker:
        throw ParserError(Code::SecondOptionLine, token());
      case TokenKind::EndOfFile:
        throw ParserError(Code::EndMissing, token());
      default:
        return;
    }
  }
}

void Reader::reportWarning(const ParserWarning& warning) { handler_->warning(*file_, warning); }

void Reader::reportError(const ParserError& error) { handler_->error(*file_, error); }

double Reader::toReal(const Token& token, bool reportClipping) {
  RealConversion conversion = convertReal(token.text);
  if (reportClipping && conversion.clipping == Clipping::Large)
    reportWarning(ClippingLargeNumberWarning(conversion.value, token));
  else if (reportClipping && conversion.clipping == Clipping::Small)
    reportWarning(ClippingSmallNumberWarning(conversion.value, token));
  return conversion.value;
}

std::int32_t Reader::toInteger(const Token& token, bool reportClipping) {
  IntegerConversion conversion = convertInteger(token.text);
  if (!conversion.wholeInteger)
    throw ParserError(Code::ExpectedInteger, token);
  if (reportClipping && conversion.clipping != Clipping::None)
    reportWarning(ClippingLargeNumberWarning(static_cast<double>(conversion.value), token));
  return conversion.value;
}

}  // namespace touchstone2
