#ifndef TOUCHSTONE2_MODEL_VALUE_CONVERSION_H
#define TOUCHSTONE2_MODEL_VALUE_CONVERSION_H

#include <cstdint>

#include <touchstone2/enums.h>
#include <touchstone2/parameters.h>

namespace touchstone2 {

// Converts a pair between decibel-angle, magnitude-angle and real-imaginary
// (angles in degrees). A pair converted to its own representation comes back
// bit for bit.
ValuePair convertValuePair(DataFormat from, DataFormat to, ValuePair pair);

// Version 1 files give Y-, Z-, H- and G-parameters and the noise resistance
// relative to the reference resistance r; the record holds them in ohms and
// siemens. An impedance is written divided by r, an admittance times r. Of
// the hybrid parameters only the diagonal carries a dimension: h11 is an
// impedance and h22 an admittance, and the other way round for g. Only the
// magnitude of a pair is scaled: an angle has no dimension. The v1 reader and
// the v1 writer share this one rule.

// Whether a version 1 file gives any element of the type relative to r.
bool scaledInVersion1(ParameterType type);

// From the numbers of a version 1 file to the record's values, for the
// element at (row, col) counted from 0, the pair in the file's format.
void scaleFromVersion1(ParameterType type, DataFormat format, double r, std::uint32_t row,
                       std::uint32_t col, double& first, double& second);
// From the record's values to the numbers of a version 1 file.
void scaleToVersion1(ParameterType type, DataFormat format, double r, std::uint32_t row,
                     std::uint32_t col, double& first, double& second);

inline double noiseResistanceFromVersion1(double value, double r) { return value * r; }
inline double noiseResistanceToVersion1(double ohms, double r) { return ohms / r; }

}  // namespace touchstone2

#endif
