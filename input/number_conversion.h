#ifndef TOUCHSTONE2_INPUT_NUMBER_CONVERSION_H
#define TOUCHSTONE2_INPUT_NUMBER_CONVERSION_H

#include <cstdint>
#include <string>

namespace touchstone2 {

enum class Clipping { None, Large, Small };

struct RealConversion {
  double value = 0.0;
  Clipping clipping = Clipping::None;
};

struct IntegerConversion {
  std::int32_t value = 0;
  bool wholeInteger = false;  // false: the text is not a whole decimal integer
  Clipping clipping = Clipping::None;
};

// The value of the longest leading part of text that strtod would accept, in
// the "C" locale whatever the process locale is ("1.2.3" gives 1.2, "-." gives
// 0). Out-of-range values are clipped to the largest finite or the smallest
// normal double, signed by the text's first character.
RealConversion convertReal(const std::string& text);

// A whole base-10 integer with an optional sign, clipped to the 32-bit range.
IntegerConversion convertInteger(const std::string& text);

}  // namespace touchstone2

#endif
