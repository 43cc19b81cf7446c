// Version 1 network data: no keyword declares the ports or the points, so the
// number of ports comes from the first point and the shape of the lines tells
// where one point ends and the next (or the noise data) begins.

#include <cmath>
#include <limits>

#include <touchstone2/diagnostic.h>
#include <touchstone2/file.h>

#include "diagnostics/detailed_diagnostics.h"
#include "input/lexer.h"
#include "input/number_conversion.h"
#include "model/matrix_layouts.h"
#include "model/value_conversion.h"
#include "parser/reader.h"
#include "parser/token_list.h"

namespace touchstone2 {

namespace {

// A first line holds the frequency and at most four pairs, a further line at
// most four pairs. One more token than that is enough to know a line is too
// long.
constexpr std::size_t kMaxFirstLineValues = 9;
constexpr std::size_t kMaxFurtherLineValues = 8;
constexpr std::size_t kLineStoreLimit = kMaxFirstLineValues + 1;

}  // namespace

void Reader::readNetworkDataV1(TokenList& pendingTokens) {
  pendingTokens.clear();
  std::unique_ptr<NetworkParams> data;
  std::uint32_t ports = 0;
  TokenList& point = *pointTokens_;
  for (;;) {
    if (lexer_->atEnd() && pendingTokens.empty())
      break;
    point.clear();
    bool noiseFound = gatherPointV1(point, pendingTokens, ports);
    if (point.empty()) {
      if (token().kind == TokenKind::Keyword)
        throw ParserError(Code::KeywordInVersion1, token());
      break;
    }
    processPointV1(point, ports, data);
    if (noiseFound)
      break;
  }
  if (!data) {
    checkResistanceCount(0);
    return;
  }
  file_->setNumberOfFrequencies(data->frequencyCount());
  file_->setNumberOfPorts(ports);
  if (ports == 2)
    file_->setTwoPortDataOrder(TwoPortDataOrder::Order21_12);
  file_->setNetworkData(std::move(data));
}

// Gathers one point line by line. A point is complete only once the line
// after it has been read: that line waits in pendingTokens. Returns true when
// that line is the first noise line.
bool Reader::gatherPointV1(TokenList& point, TokenList& pendingTokens, std::uint32_t ports) {
  for (;;) {
    if (lexer_->atEnd() && pendingTokens.empty())
      return false;
    std::size_t before = point.size();
    if (pendingTokens.empty()) {
      point.setStoreLimit(before + kLineStoreLimit);
      if (!readDataLine(point, false, true))
        return false;
    } else {
      point.swap(pendingTokens);
    }
    std::size_t added = point.size() - before;
    if (before == 9 && added == 5 && (ports == 0 || ports == 2) &&
        toReal(point[9], false) <= toReal(point[0], false)) {
      point.moveTailTo(before, pendingTokens);
      return true;
    }
    if (before != 0 && added % 2 == 1) {
      point.moveTailTo(before, pendingTokens);
      return false;
    }
    if (added > (before == 0 ? kMaxFirstLineValues : kMaxFurtherLineValues))
      throw ParserError(Code::MoreThanFourPairs, token());
    if (point.size() % 2 == 0)
      throw IncorrectNumberOfNetworkValuesError(point.size() - 1,
                                                std::uint64_t{ports} * ports, point[0]);
  }
}

void Reader::processPointV1(const TokenList& point, std::uint32_t& ports,
                            std::unique_ptr<NetworkParams>& data) {
  const Token& frequencyToken = point[0];
  std::uint64_t pairs = (point.size() - 1) / 2;
  if (ports == 0) {
    if (pairs == 0)
      throw ParserError(Code::FrequencyWithoutData, frequencyToken);
    auto n = static_cast<std::uint64_t>(std::sqrt(static_cast<double>(pairs)) + 0.5);
    if (n * n != pairs)
      throw NetworkDataNotSquareError(pairs, frequencyToken);
    ports = static_cast<std::uint32_t>(n);
    checkExtensionPorts(ports, frequencyToken);
    checkResistanceCount(ports);
    if (ports != 2 && file_->getParameterType() == ParameterType::G)
      throw ParserError(Code::GParametersNotTwoPort);
    if (ports != 2 && file_->getParameterType() == ParameterType::H)
      throw ParserError(Code::HParametersNotTwoPort);
    data = std::make_unique<FullNetworkParams>(ports, file_->getFrequencyMultiplier(),
                                               file_->getFormat());
  } else if (pairs != std::uint64_t{ports} * ports) {
    throw IncorrectNumberOfNetworkValuesError(2 * pairs, std::uint64_t{ports} * ports,
                                              frequencyToken);
  }
  double frequency = toReal(frequencyToken, true);
  if (frequency < 0)
    throw ParserError(Code::FrequencyNegative, frequencyToken);
  if (frequency <= data->lastFrequency())
    throw FrequencyOrderingError(frequency, data->lastFrequency(), frequencyToken);
  std::uint32_t index = static_cast<std::uint32_t>(data->addFrequency(frequency));
  if (ports <= 2) {
    for (std::size_t i = 1; i < point.size(); ++i) {
      if (point[i].line != frequencyToken.line)
        throw ParserError(ports == 1 ? Code::OnePortPointSplit : Code::TwoPortPointSplit,
                          point[i]);
    }
  }
  // toReal, with the conversion inline: only a number that is clipped, and
  // so warned about, takes the call (and is converted again there).
  auto value = [this](const Token& token) {
    RealConversion conversion = convertReal(token.text);
    return conversion.clipping == Clipping::None ? conversion.value : toReal(token, true);
  };
  bool ma = file_->getFormat() == DataFormat::MA;
  // S-parameters, the common case, are stored as read.
  const ParameterType type = file_->getParameterType();
  const DataFormat format = file_->getFormat();
  const double r = file_->getReferenceResistance();
  bool denormalize = scaledInVersion1(type);
  std::uint32_t row = 0;
  std::uint32_t col = 0;
  for (std::size_t i = 1; i + 1 < point.size(); i += 2) {
    double first = value(point[i]);
    double second = value(point[i + 1]);
    if (ma && first < 0)
      throw ParserError(Code::MagnitudeNegative, point[i]);
    // Only scaling can leave the range of a double: toReal has clipped what
    // was read.
    if (denormalize) {
      scaleFromVersion1(type, format, r, row, col, first, second);
      first = clipScaledValue(first, point[i]);
      second = clipScaledValue(second, point[i + 1]);
    }
    data->element(index, row, col).set(first, second);
    // Two-port data come column by column (11, 21, 12, 22), all others row by row.
    if (ports == 2) {
      if (++row == ports) {
        row = 0;
        ++col;
      }
    } else if (++col == ports) {
      col = 0;
      ++row;
    }
  }
}

// Scaling by the reference resistance can carry a value past the largest
// double or below the smallest normal one; like any number out of range it is
// clipped with a warning, so that the record never holds an infinity no writer
// could put into a file, nor a value that would not read back the same.
double Reader::clipScaledValue(double value, const Token& token) {
  if (!std::isfinite(value)) {
    double clipped = value < 0 ? -std::numeric_limits<double>::max()
                               : std::numeric_limits<double>::max();
    reportWarning(ClippingLargeNumberWarning(clipped, token));
    return clipped;
  }
  if (value != 0 && std::fabs(value) < std::numeric_limits<double>::min()) {
    double clipped = value < 0 ? -std::numeric_limits<double>::min()
                               : std::numeric_limits<double>::min();
    reportWarning(ClippingSmallNumberWarning(clipped, token));
    return clipped;
  }
  return value;
}

}  // namespace touchstone2
