#include "model/value_conversion.h"

#include <cmath>

namespace touchstone2 {

namespace {

constexpr double kPi = 3.141592653589793;
constexpr double kHalfTurnDegrees = 180.0;
constexpr double kDecibelFactor = 20.0;
constexpr double kBase = 10.0;

ValuePair toRealImaginary(DataFormat from, ValuePair pair) {
  // Divide first, then multiply: the order fixes the rounding of the result.
  double radians = pair.second / kHalfTurnDegrees * kPi;
  double magnitude = pair.first;
  if (from == DataFormat::DB)
    magnitude = std::pow(kBase, pair.first / kDecibelFactor);
  return {std::cos(radians) * magnitude, std::sin(radians) * magnitude};
}

ValuePair fromRealImaginary(DataFormat to, ValuePair pair) {
  double magnitude = std::hypot(pair.first, pair.second);
  double angle = std::atan2(pair.second, pair.first) / kPi * kHalfTurnDegrees;
  if (to == DataFormat::DB)
    return {kDecibelFactor * std::log10(magnitude), angle};
  return {magnitude, angle};
}

}  // namespace

ValuePair convertValuePair(DataFormat from, DataFormat to, ValuePair pair) {
  if (from == to)
    return pair;
  if (from != DataFormat::RI)
    pair = toRealImaginary(from, pair);
  if (to == DataFormat::RI)
    return pair;
  return fromRealImaginary(to, pair);
}

}  // namespace touchstone2
