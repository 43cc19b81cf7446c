#ifndef TOUCHSTONE2_DIAGNOSTICS_DATA_ERRORS_H
#define TOUCHSTONE2_DIAGNOSTICS_DATA_ERRORS_H

#include <cstdint>

#include "diagnostics/parser_error.h"
#include "input/token.h"

namespace touchstone2 {

// 2311: frequencies must rise strictly.
class FrequencyOrderingError : public ParserError {
 public:
  FrequencyOrderingError(double frequency, double previousFrequency, const Token& token);
};

// 2310: the points read differ from the declared count.
class FrequencyCountError : public ParserError {
 public:
  FrequencyCountError(std::uint64_t found, std::uint64_t expected, const Token& token);
};

// 2306: the pairs of a version 1 point do not form a square matrix.
class NetworkDataNotSquareError : public ParserError {
 public:
  NetworkDataNotSquareError(std::uint64_t pairCount, const Token& token);
};

// 2308: a point holds the wrong number of values. Counts are 64-bit: a
// declared port count can make the expected pair count exceed 32 bits.
class IncorrectNumberOfNetworkValuesError : public ParserError {
 public:
  IncorrectNumberOfNetworkValuesError(std::uint64_t valueCount, std::uint64_t expectedPairs,
                                      const Token& token);
};

}  // namespace touchstone2

#endif
