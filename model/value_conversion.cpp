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

enum class Dimension { None, Impedance, Admittance };

Dimension dimensionOf(ParameterType type, std::uint32_t row, std::uint32_t col) {
  bool first = row == 0 && col == 0;
  bool second = row == 1 && col == 1;
  switch (type) {
    case ParameterType::Y: return Dimension::Admittance;
    case ParameterType::Z: return Dimension::Impedance;
    case ParameterType::H:
      return first ? Dimension::Impedance : second ? Dimension::Admittance : Dimension::None;
    case ParameterType::G:
      return first ? Dimension::Admittance : second ? Dimension::Impedance : Dimension::None;
    default: return Dimension::None;
  }
}

// Multiplies the magnitude of a pair by r (times) or divides it by r; in
// decibels that is adding or taking away 20 log10 r.
void scaleByResistance(DataFormat format, double r, bool times, double& first, double& second) {
  switch (format) {
    case DataFormat::DB: {
      double gain = kDecibelFactor * std::log10(r);
      first = times ? first + gain : first - gain;
      break;
    }
    case DataFormat::MA:
      first = times ? first * r : first / r;
      break;
    case DataFormat::RI:
      first = times ? first * r : first / r;
      second = times ? second * r : second / r;
      break;
    default:
      break;
  }
}

}  // namespace

bool scaledInVersion1(ParameterType type) {
  return type == ParameterType::Y || type == ParameterType::Z || type == ParameterType::H ||
         type == ParameterType::G;
}

void scaleFromVersion1(ParameterType type, DataFormat format, double r, std::uint32_t row,
                       std::uint32_t col, double& first, double& second) {
  Dimension dimension = dimensionOf(type, row, col);
  if (dimension != Dimension::None)
    scaleByResistance(format, r, dimension == Dimension::Impedance, first, second);
}

void scaleToVersion1(ParameterType type, DataFormat format, double r, std::uint32_t row,
                     std::uint32_t col, double& first, double& second) {
  Dimension dimension = dimensionOf(type, row, col);
  if (dimension != Dimension::None)
    scaleByResistance(format, r, dimension == Dimension::Admittance, first, second);
}

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
