#ifndef TOUCHSTONE2_BUILDING_H
#define TOUCHSTONE2_BUILDING_H

#include <complex>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include <touchstone2/export.h>
#include <touchstone2/enums.h>
#include <touchstone2/file.h>

namespace touchstone2 {

// The noise parameters of a 2-port network, one entry per noise frequency.
struct NoiseArrays {
  std::vector<double> frequency;                      // Hz
  std::vector<double> minimumNoiseFigure;             // dB
  std::vector<std::complex<double>> optimumReflection;
  std::vector<double> noiseResistance;                // ohms
};

// A network as arrays of values in physical units, and how to write it.
struct NetworkArrays {
  std::vector<double> frequency;  // Hz, not negative, strictly rising
  std::uint32_t ports = 0;
  // frequency.size() matrices of ports x ports, each row by row.
  std::vector<std::complex<double>> data;
  ParameterType parameter = ParameterType::S;
  // Ohms: one value for every port, or one per port.
  std::vector<double> reference = {50.0};
  std::optional<NoiseArrays> noise;  // 2-port networks only
  FrequencyUnit frequencyUnit = FrequencyUnit::GHz;
  DataFormat format = DataFormat::RI;
  // Upper or Lower declare the matrices symmetric; each element must then
  // equal its mirror exactly.
  MatrixFormat matrixFormat = MatrixFormat::Full;
  // One descriptor per matrix row ("S1", "D1,2", "C1,2"), or none given.
  std::optional<std::vector<std::string>> mixedModeOrder;
};

// A valid record of the arrays, named name, which the writers write as
// version 2.0 or any version that can express it. Throws
// std::invalid_argument, before anything is built, for whatever the checker
// would refuse, naming the field and the index:
// "frequency[3] = 2e+09 does not rise above the value before it".
TOUCHSTONE2_API File fromArrays(const NetworkArrays& arrays, const std::string& name = "<arrays>");

}  // namespace touchstone2

#endif
