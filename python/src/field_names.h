#ifndef TOUCHSTONE2_PYTHON_FIELD_NAMES_H
#define TOUCHSTONE2_PYTHON_FIELD_NAMES_H

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include <touchstone2/enums.h>

namespace touchstone2::python {

// The values of the file record as the module shows them: the words of the
// file itself ("MHz", "RI", "Upper", "21_12", "D1,2"), and nullptr where the
// record holds nothing (a field the parse never reached); the parameter type
// is "_" then.
const char* versionName(std::uint32_t version);
const char* parameterName(ParameterType type);
const char* frequencyUnitName(FrequencyUnit unit);
const char* formatName(DataFormat format);
const char* matrixFormatName(MatrixFormat format);
const char* twoPortDataOrderName(TwoPortDataOrder order);
std::string descriptorName(const MixedModeDescriptor& descriptor);

// The other way: the value a name stands for, spelled exactly as above;
// std::invalid_argument for a name that is none of them.
std::uint32_t versionNamed(const std::string& name);
FrequencyUnit frequencyUnitNamed(const std::string& name);
ParameterType parameterTypeNamed(const std::string& name);
DataFormat formatNamed(const std::string& name);
MatrixFormat matrixFormatNamed(const std::string& name);
TwoPortDataOrder twoPortDataOrderNamed(const std::string& name);

// The names above by field, as the module's arguments are called:
// ("parameter", {"S", "Y", ...}), ("frequency_unit", ...), ("format", ...),
// ("matrix_format", ...) and ("two_port_data_order", ...), so that the
// package checks its arguments against the library's words, not a copy.
std::vector<std::pair<std::string, std::vector<std::string>>> fieldWords();

}  // namespace touchstone2::python

#endif
