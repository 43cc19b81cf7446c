#include "python/src/field_names.h"

#include "model/file.h"

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

}  // namespace touchstone2::python
