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
    throw ParserError(Code::VersionNotFirst, token());
  nextToken();
  expectWhitespace(Code::ExpectedNumber);
  expectNumber(Code::ExpectedNumber);
  if (token().text != "2.0")
    throw ParserError(Code::UnsupportedVersion, token());
  file_->setVersion(File::kVersion2);
  nextToken();
  expectEndOfLine();
}

void Parser::parseNumberOfPorts() {
  skipBlankLines();
  if (!isKeyword(token(), "number of ports"))
    throw ParserError(Code::NumberOfPortsMissing, token());
  file_->setNumberOfPorts(static_cast<std::uint32_t>(parsePositiveCount(Code::PortCountNotPositive)));
}

// The argument of a count keyword: a whole number of at least 1. The keyword
// is the current token; returns with the next line current.
std::int32_t Parser::parsePositiveCount(Code notPositive) {
  nextToken();
  expectWhitespace(Code::ExpectedInteger);
  expectNumber(Code::ExpectedInteger);
  std::int32_t count = toInteger(token(), true);
  if (count < 1)
    throw ParserError(notPositive, token());
  nextToken();
  expectEndOfLine();
  return count;
}

void Parser::parseKeywords() {
  skipBlankLines();
  for (;;) {
    if (token().kind != TokenKind::Keyword)
      throw ParserError(Code::NetworkDataMissing, token());
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
      throw ParserError(Code::EndInformationUnopened, token());
    else if (name == "noise data" || name == "end")
      throw ParserError(Code::NetworkDataMissing, token());
    else if (name == "number of ports" || name == "version")
      throw ParserError(Code::KeywordTwice, token());
    else
      throw ParserError(Code::UnknownKeyword, token());
    skipBlankLines();
  }
}

void Parser::parseTwoPortDataOrder() {
  if (file_->getTwoPortDataOrder() != TwoPortDataOrder::Unset)
    throw ParserError(Code::KeywordTwice, token());
  if (file_->getNumberOfPorts() != 2)
    throw ParserError(Code::DataOrderNotTwoPort, token());
  nextToken();
  expectWhitespace(Code::DataOrderInvalid);
  expectWord(Code::DataOrderInvalid);
  if (token().text == "12_21")
    file_->setTwoPortDataOrder(TwoPortDataOrder::Order12_21);
  else if (token().text == "21_12")
    file_->setTwoPortDataOrder(TwoPortDataOrder::Order21_12);
  else
    throw ParserError(Code::DataOrderInvalid, token());
  nextToken();
  expectEndOfLine();
}

void Parser::parseNumberOfFrequencies() {
  if (file_->getNumberOfFrequencies() != 0)
    throw ParserError(Code::KeywordTwice, token());
  file_->setNumberOfFrequencies(static_cast<std::uint32_t>(parsePositiveCount(Code::FrequencyCountNotPositive)));
}

void Parser::parseNumberOfNoiseFrequencies() {
  if (file_->getNumberOfNoiseFrequencies() != 0)
    throw ParserError(Code::KeywordTwice, token());
  file_->setNumberOfNoiseFrequencies(static_cast<std::uint32_t>(parsePositiveCount(Code::NoiseFrequencyCountNotPositive)));
}

void Parser::parseMatrixFormat() {
  if (file_->getMatrixFormat() != MatrixFormat::Unset)
    throw ParserError(Code::KeywordTwice, token());
  nextToken();
  expectWhitespace(Code::MatrixFormatInvalid);
  expectWord(Code::MatrixFormatInvalid);
  if (token().text == "full")
    file_->setMatrixFormat(MatrixFormat::Full);
  else if (token().text == "upper")
    file_->setMatrixFormat(MatrixFormat::Upper);
  else if (token().text == "lower")
    file_->setMatrixFormat(MatrixFormat::Lower);
  else
    throw ParserError(Code::MatrixFormatInvalid, token());
  nextToken();
  expectEndOfLine();
}

// One impedance per port, on the keyword's line and on as many continuation
// lines as needed; the next keyword ends the list.
void Parser::parseReference() {
  if (file_->getReferenceImpedancesGiven())
    throw ParserError(Code::KeywordTwice, token());
  nextToken();
  std::vector<double> impedances;
  while (nextListEntry(TokenKind::Number, Code::ExpectedNumber)) {
    double ohms = toReal(token(), true);
    if (!(ohms > 0.0))
      throw ParserError(Code::ResistanceInvalid, token());
    impedances.push_back(ohms);
    nextToken();
  }
  if (impedances.empty())
    throw ParserError(Code::ExpectedNumber, token());
  if (impedances.size() != file_->getNumberOfPorts())
    throw WrongReferenceImpedanceCountError(impedances.size(), file_->getNumberOfPorts(),
                                            token());
  file_->setReferenceImpedances(std::move(impedances));
}

// The block's lines are not interpreted, but still cut into tokens, so the
// lexical rules hold inside it too.
void Parser::parseInformation() {
  if (file_->getInformationSeen())
    throw ParserError(Code::KeywordTwice, token());
  Token begin = token();
  nextToken();
  expectEndOfLine();
  while (!isKeyword(token(), "end information")) {
    if (token().kind == TokenKind::EndOfFile)
      throw ParserError(Code::EndInformationMissing, begin);
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
bool Parser::nextListEntry(TokenKind entryKind, Code code) {
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
    throw ParserError(Code::EndMissing, token());
  if (token().text == "noise data")
    throw ParserError(Code::NoiseNotTwoPort, token());
  if (token().text != "end")
    throw KeywordOrderingError(token());
  nextToken();
  expectEndOfLine();
}

}  // namespace touchstone2
