// The [Network Data] block of a v2.0 file, whose shape the keywords fixed in
// advance: ports, points, matrix format and two-port order.

#include <touchstone2/diagnostic.h>
#include <touchstone2/file.h>

#include "diagnostics/detailed_diagnostics.h"
#include "input/lexer.h"
#include "input/number_conversion.h"
#include "model/matrix_layouts.h"
#include "parser/reader.h"
#include "parser/token_list.h"

namespace touchstone2 {

namespace {

std::unique_ptr<NetworkParams> makeContainer(const File& file) {
  if (file.getMatrixFormat() == MatrixFormat::Full)
    return std::make_unique<FullNetworkParams>(file.getNumberOfPorts(),
                                               file.getFrequencyMultiplier(), file.getFormat());
  return std::make_unique<SymmetricNetworkParams>(file.getNumberOfPorts(),
                                                  file.getFrequencyMultiplier(), file.getFormat());
}

// Values per point, the frequency included. 64-bit: the port count is only
// declared, and 2 x n x n overflows 32 bits long before a file could back it.
std::uint64_t valuesPerPoint(const File& file) {
  std::uint64_t n = file.getNumberOfPorts();
  if (file.getMatrixFormat() == MatrixFormat::Full)
    return 2 * n * n + 1;
  return n * (n + 1) + 1;
}

}  // namespace

void Reader::readNetworkDataV2() {
  if (file_->getNumberOfFrequencies() == 0)
    throw ParserError(Code::NumberOfFrequenciesMissing, token());
  nextToken();
  expectEndOfLine();
  std::unique_ptr<NetworkParams> data = makeContainer(*file_);
  bool columnOrder = false;
  if (file_->getNumberOfPorts() == 2) {
    if (file_->getTwoPortDataOrder() == TwoPortDataOrder::Unset)
      throw ParserError(Code::DataOrderMissing);
    columnOrder = file_->getTwoPortDataOrder() == TwoPortDataOrder::Order21_12 &&
                  file_->getMatrixFormat() == MatrixFormat::Full;
  }
  const std::uint64_t expectedValues = valuesPerPoint(*file_);
  TokenList& point = *pointTokens_;
  skipBlankLines();
  while (token().kind != TokenKind::Keyword) {
    if (token().kind == TokenKind::EndOfFile)
      break;
    if (token().kind == TokenKind::Whitespace)
      throw ParserError(Code::FrequencyNotAtLineStart, token());
    if (token().kind != TokenKind::Number)
      throw ParserError(Code::ExpectedNumber, token());
    Token frequencyToken = token();
    double frequency = toReal(frequencyToken, true);
    if (frequency < 0)
      throw ParserError(Code::FrequencyNegative, frequencyToken);
    if (frequency <= data->lastFrequency())
      throw FrequencyOrderingError(frequency, data->lastFrequency(), frequencyToken);
    point.clear();
    // One token beyond a whole point is enough to know the point is too long.
    point.setStoreLimit(expectedValues + 1);
    while (!lexer_->atEnd() && point.size() < expectedValues) {
      if (!readDataLine(point, point.empty(), false))
        throw IncorrectNumberOfNetworkValuesError(point.size() - 1, (expectedValues - 1) / 2,
                                                  frequencyToken);
    }
    if (point.size() > expectedValues)
      throw IncorrectNumberOfNetworkValuesError(point.size() - 1, (expectedValues - 1) / 2,
                                                frequencyToken);
    storePointV2(*data, frequency, point, columnOrder, point.size() == expectedValues);
    skipBlankLines();
  }
  if (data->frequencyCount() != file_->getNumberOfFrequencies())
    throw FrequencyCountError(data->frequencyCount(), file_->getNumberOfFrequencies(), token());
  file_->setNetworkData(std::move(data));
}

// The values are checked in any case, but stored only for a whole point: the
// point's storage is sized by the declared port count, which only a file that
// really holds that many values may bring into memory. A point cut short by
// the end of the file fails right after this anyway.
void Reader::storePointV2(NetworkParams& data, double frequency, const TokenList& point,
                          bool columnOrder, bool complete) {
  std::uint32_t index = complete ? static_cast<std::uint32_t>(data.addFrequency(frequency)) : 0;
  const std::uint32_t n = file_->getNumberOfPorts();
  const MatrixFormat matrixFormat = file_->getMatrixFormat();
  const bool ma = file_->getFormat() == DataFormat::MA;
  // toReal, with the conversion inline: only a number that is clipped, and
  // so warned about, takes the call (and is converted again there).
  auto value = [this](const Token& token) {
    RealConversion conversion = convertReal(token.text);
    return conversion.clipping == Clipping::None ? conversion.value : toReal(token, true);
  };
  std::uint32_t row = 0;
  std::uint32_t col = 0;
  for (std::size_t i = 1; i + 1 < point.size(); i += 2) {
    double first = value(point[i]);
    double second = value(point[i + 1]);
    if (ma && first < 0)
      throw ParserError(Code::MagnitudeNegative, point[i]);
    if (complete)
      data.element(index, row, col).set(first, second);
    if (columnOrder) {
      if (++row == n) {
        row = 0;
        ++col;
      }
    } else if (matrixFormat == MatrixFormat::Full) {
      if (++col == n) {
        col = 0;
        ++row;
      }
    } else if (matrixFormat == MatrixFormat::Upper) {
      if (++col == n) {
        ++row;
        col = row;
      }
    } else if (col == row) {
      ++row;
      col = 0;
    } else {
      ++col;
    }
  }
}

}  // namespace touchstone2
