#include "writers/v1_writer.h"

#include <cmath>
#include <stdexcept>

namespace touchstone2 {

namespace {

// Decibels of an amplitude ratio.
constexpr double kDecibelFactor = 20.0;

enum class Scale { None, Up, Down };

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
