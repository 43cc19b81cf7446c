#ifndef TOUCHSTONE2_PYTHON_FIELD_NAMES_H
#define TOUCHSTONE2_PYTHON_FIELD_NAMES_H

#include <cstdint>
#include <string>

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

}  // namespace touchstone2::python

#endif
