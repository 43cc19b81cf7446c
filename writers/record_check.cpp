#include "writers/record_check.h"

#include <cmath>
#include <cstdint>
#include <limits>
#include <stdexcept>
#include <string>
#include <vector>

#include "model/mixed_mode_rules.h"
#include "model/number_text.h"
#include "model/vocabulary.h"

namespace touchstone2 {

namespace {

[[noreturn]] void refuse(const std::string& text) {
  throw std::runtime_error("the record cannot be written: " + text);
}

// A nonzero value below the smallest normal double: the reader clips it, so no
// text reads back as it.
bool clipped(double value) {
  return value != 0 && std::fabs(value) < std::numeric_limits<double>::min();
}
const char kClipped[] = " is below 2.2250738585072014e-308: a reader clips it";

std::string at(const char* field, std::size_t index, double value) {
  std::string text = std::string(field) + "[" + std::to_string(index) + "] = ";
  appendShortest(text, value);
  return text;
}

void checkFields(const File& file) {
  if (rowFor(kFrequencyUnits, file.getFrequencyUnit()) == nullptr)
    refuse("no frequency unit");
  if (rowFor(kParameterTypes, file.getParameterType()) == nullptr)
    refuse("no parameter type");
  if (rowFor(kDataFormats, file.getFormat()) == nullptr)
    refuse("no number format");
  const double r = file.getReferenceResistance();
  if (!(r > 0) || !std::isfinite(r))
    refuse(at("reference resistance", 0, r) + " is not a positive finite number");
  if (clipped(r))
    refuse(at("reference resistance", 0, r) + kClipped);
  const std::vector<double>& references = file.getReferenceImpedances();
  if (references.size() != file.getNumberOfPorts())
    refuse(std::to_string(references.size()) + " reference impedances for " +
           std::to_string(file.getNumberOfPorts()) + " ports");
  for (std::size_t i = 0; i < references.size(); ++i) {
    if (!(references[i] > 0) || !std::isfinite(references[i]))
      refuse(at("reference", i, references[i]) + " is not a positive finite number");
    if (clipped(references[i]))
      refuse(at("reference", i, references[i]) + kClipped);
  }
  const ParameterType type = file.getParameterType();
  if ((type == ParameterType::H || type == ParameterType::G) && file.getNumberOfPorts() != 2)
    refuse(std::string(wordFor(kParameterTypes, type, "")) + "-parameters need 2 ports");
  if (file.getMixedModeOrderGiven()) {
    std::string fault = mixedModeOrderFault(file.getMixedModeOrder(), references,
                                            "mixed-mode order");
    if (!fault.empty())
      refuse(fault);
  }
}

void checkNetwork(const File& file) {
  const NetworkParams* data = file.getNetworkData();
  const std::uint32_t ports = file.getNumberOfPorts();
  if (data == nullptr) {
    if (ports != 0)
      refuse(std::to_string(ports) + " ports but no network data");
    return;
  }
  if (data->getNumberOfPorts() != ports)
    refuse("network data of " + std::to_string(data->getNumberOfPorts()) + " ports in a record "
           "of " + std::to_string(ports));
  if (data->getFrequencyMultiplier() != file.getFrequencyMultiplier() ||
      data->getFormat() != file.getFormat())
    refuse("network data in another frequency unit or number format than the record's");
  for (std::uint32_t k = 0; k < data->frequencyCount(); ++k) {
    const double f = data->frequency(k);
    if (!std::isfinite(f) || f < 0)
      refuse(at("frequency", k, f) + " is not a finite frequency of 0 or more");
    if (k > 0 && !(f > data->frequency(k - 1)))
      refuse(at("frequency", k, f) + " does not rise above the value before it");
    if (clipped(f))
      refuse(at("frequency", k, f) + kClipped);
    for (std::uint32_t row = 0; row < ports; ++row) {
      for (std::uint32_t col = 0; col < ports; ++col) {
        const ValuePair pair = data->element(k, row, col).get(data->getFormat());
        const bool finite = std::isfinite(pair.first) && std::isfinite(pair.second);
        if (finite && !(data->getFormat() == DataFormat::MA && pair.first < 0) &&
            !clipped(pair.first) && !clipped(pair.second))
          continue;
        std::string where = "data[" + std::to_string(k) + ", " + std::to_string(row) + ", " +
                            std::to_string(col) + "] = (";
        appendShortest(where, pair.first);
        where += ", ";
        appendShortest(where, pair.second);
        const bool negative = data->getFormat() == DataFormat::MA && pair.first < 0;
        refuse(where + ")" + (!finite ? " is not finite" : negative ? " has a negative magnitude"
                                                                    : kClipped));
      }
    }
  }
}

void checkNoise(const File& file) {
  const NoiseParams* noise = file.getNoiseData();
  if (noise == nullptr || noise->pointCount() == 0)
    return;
  const NetworkParams* data = file.getNetworkData();
  if (file.getNumberOfPorts() != 2 || data == nullptr || data->frequencyCount() == 0)
    refuse("noise data need 2-port network data");
  if (noise->getFrequencyMultiplier() != file.getFrequencyMultiplier())
    refuse("noise data in another frequency unit than the record's");
  for (std::uint32_t k = 0; k < noise->pointCount(); ++k) {
    const NoisePoint& point = noise->point(k);
    if (!std::isfinite(point.frequency) || point.frequency < 0)
      refuse(at("noise frequency", k, point.frequency) + " is not a finite frequency of 0 or more");
    if (k > 0 && !(point.frequency > noise->frequency(k - 1)))
      refuse(at("noise frequency", k, point.frequency) +
             " does not rise above the value before it");
    if (!std::isfinite(point.minimumNoiseFigure))
      refuse(at("minimum noise figure", k, point.minimumNoiseFigure) + " is not finite");
    if (!std::isfinite(point.reflectionMagnitude) || point.reflectionMagnitude < 0 ||
        !std::isfinite(point.reflectionAngle))
      refuse(at("noise reflection magnitude", k, point.reflectionMagnitude) +
             " is not a finite magnitude of 0 or more with a finite angle");
    if (!(point.noiseResistance > 0) || !std::isfinite(point.noiseResistance))
      refuse(at("noise resistance", k, point.noiseResistance) +
             " is not a positive finite number");
    const double values[] = {point.frequency, point.minimumNoiseFigure,
                             point.reflectionMagnitude, point.reflectionAngle,
                             point.noiseResistance};
    for (double value : values) {
      if (clipped(value))
        refuse(at("noise value", k, value) + kClipped);
    }
  }
  if (noise->firstFrequency() > data->lastFrequency())
    refuse(at("noise frequency", 0, noise->firstFrequency()) +
           " lies above the last network frequency");
}

}  // namespace

void checkWritable(const File& file) {
  checkFields(file);
  checkNetwork(file);
  checkNoise(file);
}

}  // namespace touchstone2
