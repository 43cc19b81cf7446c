// The "#" option line: frequency unit, parameter type, number format and
// reference resistance, in any order, each at most once. A file without
// keywords may end the line with one resistance per port instead of one.

#include <memory>
#include <utility>
#include <vector>

#include <touchstone2/diagnostic.h>
#include <touchstone2/file.h>

#include "diagnostics/detailed_diagnostics.h"
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
    bool afterResistance = false;
    do {
      // A number where an option would stand, right after R's own: the
      // per-port form, which only files without keywords have.
      if (afterResistance && token().kind == TokenKind::Number &&
          file_->getVersion() == File::kVersion1) {
        parseResistanceList();
        break;
      }
      afterResistance = parseOption();
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

// True when the option was R and its value.
bool Reader::parseOption() {
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
    return true;
  } else {
    throw ParserError(Code::OptionInvalid, token());
  }
  return false;
}

// "R" and the number after it; the value is tested before the repetition.
void Reader::parseReferenceResistanceOption() {
  resistanceOption_ = std::make_unique<Position>(token());
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

// The values after R's first, one per port, up to the line end: each is
// tested as the single value is. Y-, Z-, H- and G-parameters are given
// relative to one resistance, so for them the values must all be equal; the
// parameter type may stand before R, so that is tested once the line is read.
// The count is tested against the ports once the data have shown them.
void Reader::parseResistanceList() {
  std::vector<double> resistances{file_->getReferenceResistance()};
  std::unique_ptr<Position> firstDifferent;
  for (;;) {
    if (token().kind != TokenKind::Number)
      throw ParserError(Code::ResistancesNotLast, token());
    double ohms = toReal(token(), true);
    if (!(ohms > 0.0))
      throw ParserError(Code::ResistanceInvalid, token());
    if (ohms != resistances.front() && !firstDifferent)
      firstDifferent = std::make_unique<Position>(token());
    resistances.push_back(ohms);
    nextToken();
    if (token().kind == TokenKind::EndOfLine || token().kind == TokenKind::EndOfFile)
      break;
    skipSeparator();
  }
  ParameterType type = file_->getParameterType();
  if (firstDifferent && type != ParameterType::S && type != ParameterType::Unset)
    throw ParserError(Code::ResistancesDiffer, *firstDifferent);
  file_->setReferenceImpedances(std::move(resistances));
  file_->setVersion(File::kVersion1_1);
  skipSeparator();
}

// The per-port resistances of the option line must be as many as the ports.
void Reader::checkResistanceCount(std::uint32_t ports) const {
  std::size_t count = file_->getReferenceImpedances().size();
  if (file_->getVersion() == File::kVersion1_1 && count != ports)
    throw WrongReferenceResistanceCountError(count, ports, *resistanceOption_);
}

void Reader::skipSecondaryOptionLine(bool v1) {
  if (!v1)
    throw ParserError(Code::SecondOptionLine, token());
  reportWarning(ParserWarning(Code::SecondOptionLineIgnored, token()));
  while (token().kind != TokenKind::EndOfLine && token().kind != TokenKind::EndOfFile)
    nextToken();
}

}  // namespace touchstone2
