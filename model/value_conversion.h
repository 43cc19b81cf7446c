#ifndef TOUCHSTONE2_MODEL_VALUE_CONVERSION_H
#define TOUCHSTONE2_MODEL_VALUE_CONVERSION_H

#include "model/enums.h"
#include "model/value_pair.h"

namespace touchstone2 {

// Converts a pair between decibel-angle, magnitude-angle and real-imaginary
// (angles in degrees). A pair converted to its own representation comes back
// bit for bit.
ValuePair convertValuePair(DataFormat from, DataFormat to, ValuePair pair);

}  // namespace touchstone2

#endif
