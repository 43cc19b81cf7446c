#include "python/src/array_filling.h"

#include <cstdint>

#include "model/value_conversion.h"

namespace touchstone2::python {

void copyFrequencies(const NetworkParams& data, double* hertz) {
  for (std::uint32_t k = 0; k < data.frequencyCount(); ++k)
    hertz[k] = data.frequencyInHz(k);
}

void copyMatrices(const NetworkParams& data, std::complex<double>* out) {
  const std::uint32_t ports = data.getNumberOfPorts();
  for (std::uint32_t k = 0; k < data.frequencyCount(); ++k) {
    for (std::uint32_t i = 0; i < ports; ++i) {
      for (std::uint32_t j = 0; j < ports; ++j) {
        ValuePair value = data.element(k, i, j).get(DataFormat::RI);
        *out++ = {value.first, value.second};
      }
    }
  }
}

void copyNoise(const NoiseParams& noise, double* hertz, double* minimumNoiseFigure,
               std::complex<double>* reflection, double* noiseResistance) {
  for (std::uint32_t k = 0; k < noise.pointCount(); ++k) {
    hertz[k] = noise.frequencyInHz(k);
    minimumNoiseFigure[k] = noise.minimumNoiseFigure(k);
    ValuePair value = convertValuePair(
        DataFormat::MA, DataFormat::RI, {noise.reflectionMagnitude(k), noise.reflectionAngle(k)});
    reflection[k] = {value.first, value.second};
    noiseResistance[k] = noise.noiseResistance(k);
  }
}

}  // namespace touchstone2::python
