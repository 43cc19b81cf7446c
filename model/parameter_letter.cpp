#include "model/parameter_letter.h"

namespace touchstone2 {

const char* parameterLetter(ParameterType type) {
  switch (type) {
    case ParameterType::Unset: return "_";
    case ParameterType::S: return "S";
    case ParameterType::Y: return "Y";
    case ParameterType::Z: return "Z";
    case ParameterType::H: return "H";
    case ParameterType::G: return "G";
  }
  return "";
}

}  // namespace touchstone2
