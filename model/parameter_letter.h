#ifndef TOUCHSTONE2_MODEL_PARAMETER_LETTER_H
#define TOUCHSTONE2_MODEL_PARAMETER_LETTER_H

#include "model/enums.h"

namespace touchstone2 {

// The letter that labels matrix elements ("S" of S21) in written files and
// descriptions; "_" marks a type that was never given.
const char* parameterLetter(ParameterType type);

}  // namespace touchstone2

#endif
