#include <touchstone2/quality.h>

#include <cstddef>

#include "model/float_chars.h"

namespace touchstone2 {

namespace {

struct BandRow {
  QualityBand band;
  const char* name;
  // A percentage above the floor reaches the band.
  double passivityFloor;
  double causalityFloor;
};

// Best first; the last band takes everything below the others.
constexpr BandRow kBands[] = {
    {QualityBand::Good, "good", 99.9, 80.0},
    {QualityBand::Acceptable, "acceptable", 99.0, 50.0},
    {QualityBand::Inconclusive, "inconclusive", 80.0, 20.0},
    {QualityBand::Poor, "poor", 0.0, 0.0},
};

}  // namespace

const char* qualityBandName(QualityBand band) {
  for (const BandRow& row : kBands)
    if (row.band == band)
      return row.name;
  return "poor";
}

bool qualityBandNamed(const std::string& name, QualityBand& band) {
  for (const BandRow& row : kBands) {
    if (name == row.name) {
      band = row.band;
      return true;
    }
  }
  return false;
}

QualityBand passivityBand(double percent) {
  for (std::size_t i = 0; i + 1 < std::size(kBands); ++i)
    if (percent > kBands[i].passivityFloor)
      return kBands[i].band;
  return QualityBand::Poor;
}

QualityBand causalityBand(double percent) {
  for (std::size_t i = 0; i + 1 < std::size(kBands); ++i)
    if (percent > kBands[i].causalityFloor)
      return kBands[i].band;
  return QualityBand::Poor;
}

std::string qualityPercentText(double percent) {
  // Room for the largest double in fixed form; a percentage needs seven.
  char text[320];
  return std::string(text, writeFixed(text, text + sizeof text, percent, 4));
}

}  // namespace touchstone2
