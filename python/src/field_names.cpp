#include "python/src/field_names.h"

#include <stdexcept>

#include "model/vocabulary.h"

namespace touchstone2::python {

namespace {

// The value of the table's row whose word is name, exactly: the module's
// users give the words as the module shows them.
template <typename Row, std::size_t N>
auto named(const Row (&table)[N], const std::string& name) -> decltype(table[0].value) {
  for (const Row& row : table) {
    if (name == row.word)
      return row.value;
  }
  throw std::invalid_argument("unknown name: " + name);
}

template <typename Row, std::size_t N>
std::vector<std::string> wordsOf(const Row (&table)[N]) {
  std::vector<std::string> words;
  for (const Row& row : table)
    words.emplace_back(row.word);
  return words;
}

}  // namespace

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

std::uint32_t versionNamed(const std::string& name) {
  return named(kVersions, name);
}

FrequencyUnit frequencyUnitNamed(const std::string& name) {
  return named(kFrequencyUnits, name);
}

ParameterType parameterTypeNamed(const std::string& name) {
  return named(kParameterTypes, name);
}

DataFormat formatNamed(const std::string& name) {
  return named(kDataFormats, name);
}

MatrixFormat matrixFormatNamed(const std::string& name) {
  return named(kMatrixFormats, name);
}

TwoPortDataOrder twoPortDataOrderNamed(const std::string& name) {
  return named(kTwoPortDataOrders, name);
}

std::vector<std::pair<std::string, std::vector<std::string>>> fieldWords() {
  return {{"parameter", wordsOf(kParameterTypes)},
          {"frequency_unit", wordsOf(kFrequencyUnits)},
          {"format", wordsOf(kDataFormats)},
          {"matrix_format", wordsOf(kMatrixFormats)},
          {"two_port_data_order", wordsOf(kTwoPortDataOrders)}};
}

}  // namespace touchstone2::python
