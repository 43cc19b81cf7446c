#include "diagnostics/data_errors.h"

#include <string>

#include "model/number_text.h"

namespace touchstone2 {

FrequencyOrderingError::FrequencyOrderingError(double frequency, double previousFrequency,
                                               const Token& token)
    : ParserError(Code::FrequencyNotIncreasing, token) {
  std::string detail = "frequency points must be listed in increasing order, but ";
  appendGeneral(detail, frequency);
  detail += " is not greater than ";
  appendGeneral(detail, previousFrequency);
  setDetail(std::move(detail));
}

FrequencyCountError::FrequencyCountError(std::uint64_t found, std::uint64_t expected,
                                         const Token& token)
    : ParserError(Code::FrequencyCount, token) {
  setDetail("wrong number of frequency points (found " + std::to_string(found) +
            " but expected " + std::to_string(expected) + ")");
}

NetworkDataNotSquareError::NetworkDataNotSquareError(std::uint64_t pairCount, const Token& token)
    : ParserError(Code::PointNotSquare, token) {
  setDetail("detected " + std::to_string(pairCount) +
            " number pairs of network data, but network data must fit a NxN matrix");
}

IncorrectNumberOfNetworkValuesError::IncorrectNumberOfNetworkValuesError(
    std::uint64_t valueCount, std::uint64_t expectedPairs, const Token& token)
    : ParserError(Code::NetworkValueCount, token) {
  std::string detail = "incorrect number of values for network data (found ";
  detail += std::to_string(valueCount / 2);
  if (valueCount % 2 != 0)
    detail += ".5";
  detail += valueCount == 2 ? " complex pair" : " complex pairs";
  if (expectedPairs != 0) {
    detail += " but expected " + std::to_string(expectedPairs);
    detail += expectedPairs == 1 ? " complex pair" : " complex pairs";
  }
  detail += ")";
  setDetail(std::move(detail));
}

}  // namespace touchstone2
