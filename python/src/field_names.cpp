#include "python/src/field_names.h"

#include <stdexcept>

#include "model/file.h"
#include "model/parameter_letter.h"

namespace touchstone2::python {

const char* versionName(std::uint32_t version) {
  if (version == File::kVersion1)
    return "1";
  if (version == File::kVersion2)
    return "2.0";
  return nullptr;
}

const char* frequencyUnitName(FrequencyUnit unit) {
  switch (unit) {
    case FrequencyUnit::Hz: return "Hz";
    case FrequencyUnit::kHz: return "kHz";
    case FrequencyUnit::MHz: return "MHz";
    case FrequencyUnit::GHz: return "GHz";
    case FrequencyUnit::Unset: break;
  }
  return nullptr;
}

const char* formatName(DataFormat format) {
  switch (format) {
    case DataFormat::DB: return "DB";
    case DataFormat::MA: return "MA";
    case DataFormat::RI: return "RI";
    case DataFormat::Unset: break;
  }
  return nullptr;
}

const char* matrixFormatName(MatrixFormat format) {
  switch (format) {
    case MatrixFormat::Full: return "Full";
    case MatrixFormat::Upper: return "Upper";
    case MatrixFormat::Lower: return "Lower";
    case MatrixFormat::Unset: break;
  }
  return nullptr;
}

const char* twoPortDataOrderName(TwoPortDataOrder order) {
  switch (order) {
    case TwoPortDataOrder::Order12_21: return "12_21";
    case TwoPortDataOrder::Order21_12: return "21_12";
    case TwoPortDataOrder::Unset: break;
  }
  return nullptr;
}

std::string descriptorName(const MixedModeDescriptor& descriptor) {
  if (descriptor.kind == MixedModeKind::SingleEnded)
    return "S" + std::to_string(descriptor.firstPort);
  const char* letter = descriptor.kind == MixedModeKind::Differential ? "D" : "C";
  return letter + std::to_string(descriptor.firstPort) + "," +
         std::to_string(descriptor.secondPort);
}

namespace {

const std::uint32_t kVersions[] = {File::kVersion1, File::kVersion2};
const FrequencyUnit kUnits[] = {FrequencyUnit::Hz, FrequencyUnit::kHz, FrequencyUnit::MHz,
                                FrequencyUnit::GHz};
const ParameterType kTypes[] = {ParameterType::S, ParameterType::Y, ParameterType::Z,
                                ParameterType::H, ParameterType::G};
const DataFormat kFormats[] = {DataFormat::DB, DataFormat::MA, DataFormat::RI};
const MatrixFormat kMatrixFormats[] = {MatrixFormat::Full, MatrixFormat::Upper,
                                       MatrixFormat::Lower};
const TwoPortDataOrder kOrders[] = {TwoPortDataOrder::Order12_21, TwoPortDataOrder::Order21_12};

// The value among candidates whose name is name, by the naming function
// above, so that both directions use the same words.
template <typename Value, typename Name, std::size_t count>
Value named(const std::string& name, const Value (&candidates)[count], Name nameOf) {
  for (Value candidate : candidates) {
    const char* text = nameOf(candidate);
    if (text != nullptr && name == text)
      return candidate;
  }
  throw std::invalid_argument("unknown name: " + name);
}

template <typename Value, typename Name, std::size_t count>
std::vector<std::string> namesOf(const Value (&candidates)[count], Name nameOf) {
  std::vector<std::string> names;
  for (Value candidate : candidates)
    names.push_back(nameOf(candidate));
  return names;
}

}  // namespace

std::uint32_t versionNamed(const std::string& name) {
  return named(name, kVersions, versionName);
}

FrequencyUnit frequencyUnitNamed(const std::string& name) {
  return named(name, kUnits, frequencyUnitName);
}

ParameterType parameterTypeNamed(const std::string& name) {
  return named(name, kTypes, parameterLetter);
}

DataFormat formatNamed(const std::string& name) {
  return named(name, kFormats, formatName);
}

MatrixFormat matrixFormatNamed(const std::string& name) {
  return named(name, kMatrixFormats, matrixFormatName);
}

TwoPortDataOrder twoPortDataOrderNamed(const std::string& name) {
  return named(name, kOrders, twoPortDataOrderName);
}

std::vector<std::pair<std::string, std::vector<std::string>>> fieldWords() {
  return {{"parameter", namesOf(kTypes, parameterLetter)},
          {"frequency_unit", namesOf(kUnits, frequencyUnitName)},
          {"format", namesOf(kFormats, formatName)},
          {"matrix_format", namesOf(kMatrixFormats, matrixFormatName)}};
}

double hertzPer(const std::string& unitName) {
  File file("");
  file.setFrequencyUnit(frequencyUnitNamed(unitName));
  return file.getFrequencyMultiplier();
}

}  // namespace touchstone2::python
