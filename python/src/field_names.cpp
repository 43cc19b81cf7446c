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

}  // namespace

std::uint32_t versionNamed(const std::string& name) {
  const std::uint32_t versions[] = {File::kVersion1, File::kVersion2};
  return named(name, versions, versionName);
}

FrequencyUnit frequencyUnitNamed(const std::string& name) {
  const FrequencyUnit units[] = {FrequencyUnit::Hz, FrequencyUnit::kHz, FrequencyUnit::MHz,
                                 FrequencyUnit::GHz};
  return named(name, units, frequencyUnitName);
}

ParameterType parameterTypeNamed(const std::string& name) {
  const ParameterType types[] = {ParameterType::S, ParameterType::Y, ParameterType::Z,
                                 ParameterType::H, ParameterType::G};
  return named(name, types, parameterLetter);
}

DataFormat formatNamed(const std::string& name) {
  const DataFormat formats[] = {DataFormat::DB, DataFormat::MA, DataFormat::RI};
  return named(name, formats, formatName);
}

MatrixFormat matrixFormatNamed(const std::string& name) {
  const MatrixFormat formats[] = {MatrixFormat::Full, MatrixFormat::Upper, MatrixFormat::Lower};
  return named(name, formats, matrixFormatName);
}

TwoPortDataOrder twoPortDataOrderNamed(const std::string& name) {
  const TwoPortDataOrder orders[] = {TwoPortDataOrder::Order12_21,
                                     TwoPortDataOrder::Order21_12};
  return named(name, orders, twoPortDataOrderName);
}

}  // namespace touchstone2::python
