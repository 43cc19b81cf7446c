#include "python/src/field_names.h"

#include "model/vocabulary.h"

namespace touchstone2::python {

const char* versionName(std::uint32_t version) {
  return wordFor(kVersions, version, nullptr);
}

const char* parameterName(ParameterType type) {
  return wordFor(kParameterTypes, type, "_");
}

const char* frequencyUnitName(FrequencyUnit unit) {
  return wordFor(kFrequencyUnits, unit, nullptr);
}

const char* formatName(DataFormat format) {
  return wordFor(kDataFormats, format, nullptr);
}

const char* matrixFormatName(MatrixFormat format) {
  return wordFor(kMatrixFormats, format, nullptr);
}

const char* twoPortDataOrderName(TwoPortDataOrder order) {
  return wordFor(kTwoPortDataOrders, order, nullptr);
}

std::string descriptorName(const MixedModeDescriptor& descriptor) {
  std::string name = wordFor(kMixedModeKinds, descriptor.kind, "");
  name += std::to_string(descriptor.firstPort);
  if (descriptor.kind != MixedModeKind::SingleEnded)
    name += "," + std::to_string(descriptor.secondPort);
  return name;
}

}  // namespace touchstone2::python
