// The keyword lines of a v2.0 file, from [Version] to [Network Data], and the
// closing [End].

#include <utility>
#include <vector>

#include <touchstone2/diagnostic.h>
#include <touchstone2/file.h>

#include "diagnostics/detailed_diagnostics.h"
#include "input/lexer.h"
#include "model/vocabulary.h"
#include "parser/reader.h"

namespace touchstone2 {

void Reader::parseVersion() {
  if (!atKeyword(Keyword::Version))
    throw ParserError(Code::VersionNotFirst, token());
  nextToken();
  expectWhitespace(Code::ExpectedNumber);
  expectNumber(Code::ExpectedNumber);
  const VersionWord* version = rowNamed(kVersions, token().text);
  if (version == nullptr || !version->keywords)
    throw ParserError(Code::UnsupportedVersion, token());
  file_->setVersion(version->value);
  nextToken();
  expectEndOfLine();
}

void Reader::parseNumberOfPorts() {
  skipBlankLines();
  if (!atKeyword(Keyword::NumberOfPorts))
    throw ParserError(Code::NumberOfPortsMissing, token());
  Position keyword = token();
  std::int32_t count = parsePositiveCount(Code::PortCountNotPositive);
  file_->setNumberOfPorts(static_cast<std::uint32_t>(count));
  checkExtensionPorts(static_cast<std::uint32_t>(count), keyword);
}

// The argument of a count keyword: a whole number of at least 1. The keyword
// is the current token; returns with the next line current.
std::int32_t Reader::parsePositiveCount(Code notPositive) {
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

// The header keywords, in any order, each at most once, up to [Network Data].
void Reader::parseKeywords() {
  std::uint32_t seen = 0;
  skipBlankLines();
  for (;;) {
    if (token().kind != TokenKind::Keyword)
      throw ParserError(Code::NetworkDataMissing, token());
    const KeywordWord* keyword = rowNamed(kKeywords, token().text);
    if (keyword == nullptr)
      throw ParserError(Code::UnknownKeyword, token());
    switch (keyword->place) {
      case KeywordPlace::Opening:
        // Read before the header, so here it is given again.
        throw ParserError(Code::KeywordTwice, token());
      case KeywordPlace::Information:
        throw ParserError(Code::EndInformationUnopened, token());
      case KeywordPlace::Data:
        if (keyword->value == Keyword::NetworkData)
          return;
        throw ParserError(Code::NetworkDataMissing, token());
      case KeywordPlace::Header:
        break;
    }
    std::size_t index = static_cast<std::size_t>(keyword->value);
    if ((seen >> index & 1) != 0)
      throw ParserError(Code::KeywordTwice, token());
    seen |= std::uint32_t{1} << index;
    switch (keyword->value) {
#define TOUCHSTONE2_KEYWORD_READER(name, text, place, reader) \
  case Keyword::name:                                          \
    reader();                                                  \
    break;
      TOUCHSTONE2_KEYWORDS(TOUCHSTONE2_KEYWORD_READER)
#undef TOUCHSTONE2_KEYWORD_READER
    }
    skipBlankLines();
  }
}

void Reader::parseTwoPortDataOrder() {
  if (file_->getNumberOfPorts() != 2)
    throw ParserError(Code::DataOrderNotTwoPort, token());
  nextToken();
  expectWhitespace(Code::DataOrderInvalid);
  expectWord(Code::DataOrderInvalid);
  const TwoPortDataOrderWord* order = rowNamed(kTwoPortDataOrders, token().text);
  if (order == nullptr)
    throw ParserError(Code::DataOrderInvalid, token());
  file_->setTwoPortDataOrder(order->value);
  nextToken();
  expectEndOfLine();
}

void Reader::parseNumberOfFrequencies() {
  std::int32_t count = parsePositiveCount(Code::FrequencyCountNotPositive);
  file_->setNumberOfFrequencies(static_cast<std::uint32_t>(count));
}

void Reader::parseNumberOfNoiseFrequencies() {
  std::int32_t count = parsePositiveCount(Code::NoiseFrequencyCountNotPositive);
  file_->setNumberOfNoiseFrequencies(static_cast<std::uint32_t>(count));
}

void Reader::parseMatrixFormat() {
  nextToken();
  expectWhitespace(Code::MatrixFormatInvalid);
  expectWord(Code::MatrixFormatInvalid);
  const MatrixFormatWord* format = rowNamed(kMatrixFormats, token().text);
  if (format == nullptr)
    throw ParserError(Code::MatrixFormatInvalid, token());
  file_->setMatrixFormat(format->value);
  nextToken();
  expectEndOfLine();
}

// One impedance per port, on the keyword's line and on as many continuation
// lines as needed; the next keyword ends the list.
void Reader::parseReference() {
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
void Reader::parseInformation() {
  Token begin = token();
  nextToken();
  expectEndOfLine();
  while (!atKeyword(Keyword::EndInformation)) {
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
bool Reader::nextListEntry(TokenKind entryKind, Code code) {
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

void Reader::parseEnd() {
  skipBlankLines();
  if (token().kind != TokenKind::Keyword)
    throw ParserError(Code::EndMissing, token());
  if (atKeyword(Keyword::NoiseData))
    throw ParserError(Code::NoiseNotTwoPort, token());
  if (!atKeyword(Keyword::End))
    throw KeywordOrderingError(token());
  nextToken();
  expectEndOfLine();
}

}  // namespace touchstone2
