// The "#" option line: frequency unit, parameter type, number format and
// reference resistance, in any order, each at most once.

#include <touchstone2/diagnostic.h>
#include <touchstone2/file.h>

#include "input/lexer.h"
#include "model/vocabulary.h"
#include "parser/reader.h"

namespace touchstone2 {

void Reader::parseOptionLine() {
  while (token().kind != TokenKind::OptionMarker) {
    if (token().kind != TokenKind::EndOfLine)
      throw ParserError(Code::OptionLineMissing, token());
    nextToken();
  }
  nextToken();
  if (!skipSeparator()) {
    do {
      parseOption();
      nextToken();
    } while (!skipSeparator());
  }
  if (file_->getFrequencyUnit() == FrequencyUnit::Unset)
    file_->setFrequencyUnit(FrequencyUnit::GHz);
  if (file_->getParameterType() == ParameterType::Unset)
    file_->setParameterType(ParameterType::S);
  if (file_->getFormat() == DataFormat::Unset)
    file_->setFormat(DataFormat::MA);
  if (file_->getReferenceResistance() == 0.0)
    file_->setReferenceResistance(50.0);
}

void Reader::parseOption() {
  expectWord(Code::OptionInvalid);
  const std::string& word = token().text;
  if (const FrequencyUnitWord* unit = rowNamed(kFrequencyUnits, word)) {
    if (file_->getFrequencyUnit() != FrequencyUnit::Unset)
      throw ParserError(Code::OptionRepeated, token());
    file_->setFrequencyUnit(unit->value);
  } else if (const ParameterTypeWord* type = rowNamed(kParameterTypes, word)) {
    if (file_->getParameterType() != ParameterType::Unset)
      throw ParserError(Code::OptionRepeated, token());
    file_->setParameterType(type->value);
  } else if (const DataFormatWord* format = rowNamed(kDataFormats, word)) {
    if (file_->getFormat() != DataFormat::Unset)
      throw ParserError(Code::OptionRepeated, token());
    file_->setFormat(format->value);
  } else if (sameWord(word, kResistanceOption)) {
    parseReferenceResistanceOption();
  } else {
    throw ParserError(Code::OptionInvalid, token());
  }
}

// "R" and the number after it; the value is tested before the repetition.
void Reader::parseReferenceResistanceOption() {
  nextToken();
  expectWhitespace(Code::ResistanceMissing);
  expectNumber(Code::ResistanceMissing);
  double ohms = toReal(token(), true);
  if (!(ohms > 0.0))
    throw ParserError(Code::ResistanceInvalid, token());
  if (file_->getReferenceResistance() != 0.0)
    throw ParserError(Code::OptionRepeated, token());
  file_->setReferenceResistance(ohms);
}

void Reader::skipSecondaryOptionLine(bool v1) {
  if (!v1)
    throw ParserError(Code::SecondOptionLine, token());
  reportWarning(ParserWarning(Code::SecondOptionLineIgnored, token()));
  while (token().kind != TokenKind::EndOfLine && token().kind != TokenKind::EndOfFile)
    nextToken();
}

}  // namespace touchstone2
