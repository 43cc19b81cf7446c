#include "python/src/file_building.h"

#include <memory>

#include "model/matrix_layouts.h"
#include "model/value_conversion.h"
#include "python/src/field_names.h"

namespace touchstone2::python {

namespace {

std::unique_ptr<NetworkParams> networkData(const FileValues& values, const File& file) {
  const std::uint32_t n = values.ports;
  const double multiplier = file.getFrequencyMultiplier();
  std::unique_ptr<NetworkParams> data;
  if (file.getMatrixFormat() == MatrixFormat::Full)
    data = std::make_unique<FullNetworkParams>(n, multiplier, file.getFormat());
  else
    data = std::make_unique<SymmetricNetworkParams>(n, multiplier, file.getFormat());
  const DataFormat from = formatNamed(values.pairFormat);
  const double* pair = values.pairs;
  for (std::size_t k = 0; k < values.points; ++k) {
    std::uint32_t point = static_cast<std::uint32_t>(data->addFrequency(values.frequencies[k]));
    // A triangle's two mirrored places are one; the caller made them equal.
    for (std::uint32_t i = 0; i < n; ++i) {
      for (std::uint32_t j = 0; j < n; ++j, pair += 2) {
        ValuePair value = convertValuePair(from, file.getFormat(), {pair[0], pair[1]});
        data->element(point, i, j).set(value.first, value.second);
      }
    }
  }
  return data;
}

}  // namespace

void buildFile(const FileValues& values, File& file) {
  file.setVersion(values.version.empty() ? File::kVersion2 : versionNamed(values.version));
  file.setParameterType(parameterTypeNamed(values.parameter));
  file.setFrequencyUnit(frequencyUnitNamed(values.frequencyUnit));
  file.setFormat(formatNamed(values.format));
  file.setMatrixFormat(matrixFormatNamed(values.matrixFormat));
  if (!values.twoPortDataOrder.empty())
    file.setTwoPortDataOrder(twoPortDataOrderNamed(values.twoPortDataOrder));
  else if (values.ports == 2)
    file.setTwoPortDataOrder(TwoPortDataOrder::Order12_21);
  file.setReferenceResistance(values.referenceResistance);
  file.setNumberOfPorts(values.ports);
  if (values.points > 0) {
    file.setNumberOfFrequencies(static_cast<std::uint32_t>(values.points));
    file.setNetworkData(networkData(values, file));
  }
  if (values.referenceGiven)
    file.setReferenceImpedances(values.reference);
  else
    file.setDefaultReferenceImpedances();
  if (values.mixedModeOrderGiven)
    file.setMixedModeOrder(values.mixedModeOrder);
  else
    file.setDefaultMixedModeOrder();
  if (!values.noise.empty()) {
    auto noise = std::make_unique<NoiseParams>(file.getFrequencyMultiplier());
    for (const NoisePoint& point : values.noise)
      noise->addPoint(point.frequency, point.minimumNoiseFigure, point.reflectionMagnitude,
                      point.reflectionAngle, point.noiseResistance);
    file.setNumberOfNoiseFrequencies(noise->pointCount());
    file.setNoiseData(std::move(noise));
  }
  file.setValid();
}

}  // namespace touchstone2::python
