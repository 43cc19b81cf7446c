#include "writers/v1_writer.h"

#include <cmath>
#include <limits>
#include <stdexcept>

namespace touchstone2 {

namespace {

// Decibels of an amplitude ratio.
constexpr double kDecibelFactor = 20.0;

enum class Scale { None, Up, Down };

const char kOutOfRange[] =
    "a value normalised to the reference resistance is out of range for Touchstone v1";

// Admittances are given times R, impedances divided by R. Of the hybrid
// parameters only the diagonal carries a dimension: h11 is an impedance and h22
// an admittance, and the other way round for g.
Scale scaleFor(ParameterType type, std::uint32_t row, std::uint32_t col) {
  bool first = row == 0 && col == 0;
  bool second = row == 1 && col == 1;
  switch (type) {
    case ParameterType::Y: return Scale::Up;
    case ParameterType::Z: return Scale::Down;
    case ParameterType::H: return first ? Scale::Down : second ? Scale::Up : Scale::None;
    case ParameterType::G: return first ? Scale::Up : second ? Scale::Down : Scale::None;
    default: return Scale::None;
  }
}

}  // namespace

void V1_Writer::write(std::ostream& out) {
  if (file_->getReferenceImpedancesGiven())
    throw std::runtime_error("Touchstone v1 only supports a single reference impedance");
  if (file_->getMixedModeOrderGiven())
    throw std::runtime_error("Touchstone v1 only supports data in single-ended mode");
  checkNormalizedValuesInRange();
  writeText(out, "! Touchstone data file\n");
  writeOptionLine(out);
  writeNetworkData(out, true, true, true);
  const NoiseParams* noise = file_->getNoiseData();
  if (noise != nullptr && noise->pointCount() > 0) {
    writeText(out, "\n! NOISE PARAMETERS\n");
    writeNoiseData(out, true);
  }
  out.flush();
}

// Normalising to R can carry a stored value out of the range of a double (a
// huge admittance times a huge R), or a noise resistance down to 0 or below
// the smallest normal double; written as "inf" or "0" it would make a file
// that no reader accepts, and a subnormal one would read back clipped. Such a
// file is refused before anything is written.
void V1_Writer::checkNormalizedValuesInRange() const {
  const NetworkParams* data = file_->getNetworkData();
  ParameterType type = file_->getParameterType();
  bool scaled = type == ParameterType::Y || type == ParameterType::Z ||
                type == ParameterType::H || type == ParameterType::G;
  if (data != nullptr && scaled) {
    const std::uint32_t n = data->getNumberOfPorts();
    for (std::uint32_t k = 0; k < data->frequencyCount(); ++k) {
      for (std::uint32_t row = 0; row < n; ++row) {
        for (std::uint32_t col = 0; col < n; ++col) {
          ValuePair pair = data->element(k, row, col).get(file_->getFormat());
          normalizeValue(pair.first, pair.second, row, col);
          if (!std::isfinite(pair.first) || !std::isfinite(pair.second))
            throw std::runtime_error(kOutOfRange);
        }
      }
    }
  }
  const NoiseParams* noise = file_->getNoiseData();
  for (std::uint32_t k = 0; noise != nullptr && k < noise->pointCount(); ++k) {
    double normalized = noise->noiseResistance(k) / file_->getReferenceResistance();
    if (!std::isfinite(normalized) || !(normalized >= std::numeric_limits<double>::min()))
      throw std::runtime_error(kOutOfRange);
  }
}

// Only the magnitude part is scaled; an angle has no dimension.
void V1_Writer::normalizeValue(double& first, double& second, std::uint32_t row,
                               std::uint32_t col) const {
  Scale scale = scaleFor(file_->getParameterType(), row, col);
  if (scale == Scale::None)
    return;
  double resistance = file_->getReferenceResistance();
  bool up = scale == Scale::Up;
  switch (file_->getFormat()) {
    case DataFormat::DB: {
      double gain = kDecibelFactor * std::log10(resistance);
      first = up ? first + gain : first - gain;
      break;
    }
    case DataFormat::MA:
      first = up ? first * resistance : first / resistance;
      break;
    case DataFormat::RI:
      first = up ? first * resistance : first / resistance;
      second = up ? second * resistance : second / resistance;
      break;
    default:
      break;
  }
}

}  // namespace touchstone2
