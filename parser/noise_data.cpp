// Noise parameters of 2-port files: five numbers per line, in both versions.

#include <limits>

#include <touchstone2/diagnostic.h>
#include <touchstone2/file.h>

#include "diagnostics/detailed_diagnostics.h"
#include "input/lexer.h"
#include "model/value_conversion.h"
#include "model/vocabulary.h"
#include "parser/reader.h"
#include "parser/token_list.h"

namespace touchstone2 {

namespace {

constexpr std::size_t kNoiseValues = 5;

}  // namespace

void Reader::readNoiseLine(const TokenList& line, NoiseParams& noise, bool v1) {
  if (line.size() != kNoiseValues)
    throw ParserError(Code::NoiseValueCount, token());
  double frequency = toReal(line[0], true);
  if (frequency < 0)
    throw ParserError(Code::FrequencyNegative, line[0]);
  if (frequency <= noise.lastFrequency())
    throw FrequencyOrderingError(frequency, noise.lastFrequency(), line[0]);
  double minimumNoiseFigure = toReal(line[1], true);
  if (minimumNoiseFigure < 0)
    reportWarning(NonphysicalNoiseWarning(minimumNoiseFigure, line[1]));
  double magnitude = toReal(line[2], true);
  double angle = toReal(line[3], true);
  if (magnitude < 0)
    throw ParserError(Code::MagnitudeNegative, line[2]);
  double resistance = toReal(line[4], true);
  if (!(resistance > 0))
    throw ParserError(Code::ImpedanceNotPositive, line[4]);
  // Version 1 gives the noise resistance relative to the reference resistance.
  // Both are positive, so a product of 0 can only be an underflow: it is
  // clipped like one, and the resistance stays positive.
  if (v1) {
    double ohms = noiseResistanceFromVersion1(resistance, file_->getReferenceResistance());
    resistance = clipScaledValue(ohms == 0 ? std::numeric_limits<double>::denorm_min() : ohms,
                                 line[4]);
  }
  noise.addPoint(frequency, minimumNoiseFigure, magnitude, angle, resistance);
}

// Version 1 has no keyword for the noise data: the network reader hands over
// the first noise line, and every line to the end of the file is noise.
void Reader::readNoiseDataV1(TokenList& pendingTokens) {
  if (lexer_->atEnd() && pendingTokens.empty())
    return;
  auto noise = std::make_unique<NoiseParams>(file_->getFrequencyMultiplier());
  TokenList& line = *lineTokens_;
  for (;;) {
    if (lexer_->atEnd() && pendingTokens.empty())
      break;
    line.clear();
    if (pendingTokens.empty()) {
      line.setStoreLimit(kNoiseValues + 1);
      if (!readDataLine(line, false, true))
        break;
    } else {
      line.swap(pendingTokens);
    }
    readNoiseLine(line, *noise, true);
  }
  if (token().kind == TokenKind::Keyword)
    throw ParserError(Code::KeywordInVersion1, token());
  file_->setNumberOfNoiseFrequencies(noise->pointCount());
  file_->setNoiseData(std::move(noise));
}

void Reader::readNoiseDataV2() {
  skipBlankLines();
  if (!atKeyword(Keyword::NoiseData))
    return;
  if (file_->getNumberOfNoiseFrequencies() == 0)
    throw ParserError(Code::NumberOfNoiseFrequenciesMissing, token());
  nextToken();
  expectEndOfLine();
  auto noise = std::make_unique<NoiseParams>(file_->getFrequencyMultiplier());
  TokenList& line = *lineTokens_;
  while (!lexer_->atEnd()) {
    line.clear();
    line.setStoreLimit(kNoiseValues + 1);
    if (!readDataLine(line, true, false))
      break;
    readNoiseLine(line, *noise, false);
  }
  if (noise->pointCount() != file_->getNumberOfNoiseFrequencies())
    throw FrequencyCountError(noise->pointCount(), file_->getNumberOfNoiseFrequencies(),
                              token());
  file_->setNoiseData(std::move(noise));
}

void Reader::checkNoiseAgainstNetwork() {
  if (file_->getNumberOfNoiseFrequencies() == 0)
    return;
  const NoiseParams* noise = file_->getNoiseData();
  if (noise == nullptr || noise->pointCount() == 0)
    throw ParserError(Code::NoiseDataMissing);
  const NetworkParams* network = file_->getNetworkData();
  if (network != nullptr && noise->firstFrequency() > network->lastFrequency())
    throw ParserError(Code::NoiseFrequencyTooHigh);
}

}  // namespace touchstone2
