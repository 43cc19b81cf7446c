// The "#" option line: frequency unit, parameter type, number format and
// reference resistance, in any order, each at most once.

#include "diagnostics/parser_error.h"
#include "diagnostics/parser_warning.h"
#include "input/file_source.h"
#include "model/file.h"
#include "parser/parser.h"

namespace touchstone2 {

namespace {

FrequencyUnit unitOf(const std::string& word) {
  if (word == "hz") return FrequencyUnit::Hz;
  if (word == "khz") return FrequencyUnit::kHz;
  if (word == "mhz") return FrequencyUnit::MHz;
  if (word == "ghz") return FrequencyUnit::GHz;
  return FrequencyUnit::Unset;
}

ParameterType parameterOf(const std::string& word) {
  if (word == "s") return ParameterType::S;
  if (word == "y") return ParameterType::Y;
  if (word == "z") return ParameterType::Z;
  if (word == "h") return ParameterType::H;
  if (word == "g") return ParameterType::G;
  return ParameterType::Unset;
}

DataFormat formatOf(const std::string& word) {
  if (word == "db") return DataFormat::DB;
  if (word == "ma") return DataFormat::MA;
  if (word == "ri") return DataFormat::RI;
  return DataFormat::Unset;
}

}  // namespace

void Parser::parseOptionLine() {
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

void Parser::parseOption() {
  expectWord(Code::OptionInvalid);
  const std::string& word = token().text;
  if (FrequencyUnit unit = unitOf(word); unit != FrequencyUnit::Unset) {
    if (file_->getFrequencyUnit() != FrequencyUnit::Unset)
      throw ParserError(Code::OptionRepeated, token());
    file_->setFrequencyUnit(unit);
  } else if (ParameterType type = parameterOf(word); type != ParameterType::Unset) {
    if (file_->getParameterType() != ParameterType::Unset)
      throw ParserError(Code::OptionRepeated, token());
    file_->setParameterType(type);
  } else if (DataFormat format = formatOf(word); format != DataFormat::Unset) {
    if (file_->getFormat() != DataFormat::Unset)
      throw ParserError(Code::OptionRepeated, token());
    file_->setFormat(format);
  } else if (word == "r") {
    parseReferenceResistanceOption();
  } else {
    throw ParserError(Code::OptionInvalid, token());
  }
}

// "r" and the number after it; the value is tested before the repetition.
void Parser::parseReferenceResistanceOption() {
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

void Parser::skipSecondaryOptionLine(bool v1) {
  if (!v1)
    throw ParserError(Code::SecondOptionLine, token());
  reportWarning(ParserWarning(Code::SecondOptionLineIgnored, token()));
  while (token().kind != TokenKind::EndOfLine && token().kind != TokenKind::EndOfFile)
    nextToken();
}

}  // namespace touchstone2
