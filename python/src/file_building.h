#ifndef TOUCHSTONE2_PYTHON_FILE_BUILDING_H
#define TOUCHSTONE2_PYTHON_FILE_BUILDING_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include <touchstone2/file.h>

namespace touchstone2::python {

// Everything a File holds, as plain values: what the module's users give
// (names as the module shows them, "2.0", "GHz", "RI") and the arrays of
// values, which the caller keeps alive while the File is built. The caller
// has checked every value against the rules a reader applies.
struct FileValues {
  std::string version;  // empty for 2.0, what the canonical writer writes
  std::string parameter;
  std::string frequencyUnit;
  std::string format;
  std::string matrixFormat;
  std::string twoPortDataOrder;  // empty for none (12_21 for 2 ports)
  double referenceResistance = 50.0;
  std::uint32_t ports = 0;
  std::size_t points = 0;
  const double* frequencies = nullptr;  // points values, in frequencyUnit
  // points x ports x ports pairs, each matrix row by row, in pairFormat; the
  // File stores them converted to format.
  const double* pairs = nullptr;
  std::string pairFormat;
  std::vector<double> reference;
  bool referenceGiven = false;
  std::vector<MixedModeDescriptor> mixedModeOrder;
  bool mixedModeOrderGiven = false;
  std::vector<NoisePoint> noise;  // frequencies in frequencyUnit
};

// Fills an empty File with values and marks it valid. Throws
// std::invalid_argument for a name that is not one of the module's words.
void buildFile(const FileValues& values, File& file);

}  // namespace touchstone2::python

#endif
