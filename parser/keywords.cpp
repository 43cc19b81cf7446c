// The keyword lines of a v2.0 file, from [Version] to [Network Data], and the
// closing [End].

#include <utility>
#include <vector>

#include "diagnostics/format_errors.h"
#include "diagnostics/parser_error.h"
#include "input/file_source.h"
#include "model/file.h"
#include "parser/parser.h"

namespace touchstone2 {

namespace {

bool isKeyword(const Token& token, const char* text) {
  return token.kind == TokenKind::Keyword && token.text == text;
}

}  // namespace

void Parser::parseVersion() {
  if (!isKeyword(token(), "version"))
    throw ParserError(2201, token());
  nextToken();
  expectWhitespace(2007);
  expectNumber(2007);
  if (token().text != "2.0")
    throw ParserError(2013, token());
  file_->setVersion(File::kVersion2);
  nextToken();
  expectEndOfLine();
}

void Parser::parseNumberOfPorts() {
  skipBlankLines();
  if (!isKeyword(token(), "number of ports"))
    throw ParserError(2202, token());
  file_->setNumberOfPorts(static_cast<std::uint32_t>(parsePositiveCount(2016)));
}

// The argument of a count keyword: a whole number of at least 1. The keyword
// is the current token; returns with the next line current.
std::int32_t Parser::parsePositiveCount(std::int32_t notPositiveCode) {
  nextToken();
  expectWhitespace(2008);
  expectNumber(2008);
  std::int32_t count = toInteger(token(), true);
  if (count < 1)
    throw ParserError(notPositiveCode, token());
  nextToken();
  expectEndOfLine();
  return count;
}

void Parser::parseKeywords() {
  skipBlankLines();
  for (;;) {
    if (token().kind != TokenKind::Keyword)
      throw ParserError(2205, token());
    const std::string& name = token().text;
    if (name == "network data")
      return;
    if (name == "two-port data order")
      parseTwoPortDataOrder();
    else if (name == "number of frequencies")
      parseNumberOfFrequencies();
    else if (name == "number of noise frequencies")
      parseNumberOfNoiseFrequencies();
    else if (name == "reference")
      parseReference();
    else if (name == "matrix format")
      parseMatrixFormat();
    else if (name == "mixed-mode order")
      parseMixedModeOrder();
    else if (name == "begin information")
      parseInformation();
    else if (name == "end information")
      throw ParserError(2203, token());
    else if (name == "noise data" || name == "end")
      throw ParserError(2205, token());
    else if (name == "number of ports" || name == "version")
      throw ParserError(2208, token());
    else
      throw ParserError(2014, token());
    skipBlankLines();
  }
}

void Parser::parseTwoPortDataOrder() {
  if (file_->getTwoPortDataOrder() != TwoPortDataOrder::Unset)
    throw ParserError(2208, token());
  if (file_->getNumberOfPorts() != 2)
    throw ParserError(2017, token());
  nextToken();
  expectWhitespace(2019);
  expectWord(2019);
  if (token().text == "12_21")
    file_->setTwoPortDataOrder(TwoPortDataOrder::Order12_21);
  else if (token().text == "21_12")
    file_->setTwoPortDataOrder(TwoPortDataOrder::Order21_12);
  else
    throw ParserError(2019, token());
  nextToken();
  expectEndOfLine();
}

void Parser::parseNumberOfFrequencies() {
  if (file_->getNumberOfFrequencies() != 0)
    throw ParserError(2208, token());
  file_->setNumberOfFrequencies(static_cast<std::uint32_t>(parsePositiveCount(2020)));
}

void Parser::parseNumberOfNoiseFrequencies() {
  if (file_->getNumberOfNoiseFrequencies() != 0)
    throw ParserError(2208, token());
  file_->setNumberOfNoiseFrequencies(static_cast<std::uint32_t>(parsePositiveCount(2021)));
}

void Parser::parseMatrixFormat() {
  if (file_->getMatrixFormat() != MatrixFormat::Unset)
    throw ParserError(2208, token());
  nextToken();
  expectWhitespace(2023);
  expectWord(2023);
  if (token().text == "full")
    file_->setMatrixFormat(MatrixFormat::Full);
  else if (token().text == "upper")
    file_->setMatrixFormat(MatrixFormat::Upper);
  else if (token().text == "lower")
    file_->setMatrixFormat(MatrixFormat::Lower);
  else
    throw ParserError(2023, token());
  nextToken();
  expectEndOfLine();
}

// One impedance per port, on the keyword's line and on as many continuation
// lines as needed; the next keyword ends the list.
void Parser::parseReference() {
  if (file_->getReferenceImpedancesGiven())
    throw ParserError(2208, token());
  nextToken();
  std::vector<double> impedances;
  while (nextListEntry(TokenKind::Number, 2007)) {
    double ohms = toReal(token(), true);
    if (!(ohms > 0.0))
      throw ParserError(2105, token());
    impedances.push_back(ohms);
    nextToken();
  }
  if (impedances.empty())
    throw ParserError(2007, token());
  if (impedances.size() != file_->getNumberOfPorts())
    throw WrongReferenceImpedanceCountError(impedances.size(), file_->getNumberOfPorts(),
                                            token());
  file_->setReferenceImpedances(std::move(impedances));
}

// The block's lines are not interpreted, but still cut into tokens, so the
// lexical rules hold inside it too.
void Parser::parseInformation() {
  if (file_->getInformationSeen())
    throw ParserError(2208, token());
  Token begin = token();
  nextToken();
  expectEndOfLine();
  while (!isKeyword(token(), "end information")) {
    if (token().kind == TokenKind::EndOfFile)
      throw ParserError(2204, begin);
    nextToken();
  }
  nextToken();
  file_->setInformationSeen();
  expectEndOfLine();
}

// Moves to the next entry of a list that runs over continuation lines (blank
// and comment lines between them, continuation lines may be indented). True
// on an entry of the given kind; false at the keyword that ends the list;
// any other token is refused with code.
bool Parser::nextListEntry(TokenKind entryKind, std::int32_t code) {
  if (token().kind == TokenKind::Keyword || token().kind == TokenKind::EndOfFile)
    return false;
  if (skipSeparator())
    skipBlankLines();
  if (token().kind == TokenKind::Whitespace)
    nextToken();
  if (token().kind == entryKind)
    return true;
  if (token().kind == TokenKind::Keyword)
    return false;
  throw ParserError(code, token());
}

void Parser::parseEnd() {
  skipBlankLines();
  if (token().kind != TokenKind::Keyword)
    throw ParserError(2209, token());
  if (token().text == "noise data")
    throw ParserError(2320, token());
  if (token().text != "end")
    throw KeywordOrderingError(token());
  nextToken();
  expectEndOfLine();
}

}  // namespace touchstone2
