#ifndef TOUCHSTONE2_INPUT_NUMBER_CONVERSION_H
#define TOUCHSTONE2_INPUT_NUMBER_CONVERSION_H

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include "model/float_chars.h"

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
// normal double, signed by the text's first character. Inline: every number
// of a file comes through here.
inline RealConversion convertReal(const std::string& text);

// What convertReal does with a text that from_chars does not settle plainly:
// strtod itself.
RealConversion convertRealCarefully(const std::string& text);

inline RealConversion convertReal(const std::string& text) {
  // from_chars is correctly rounded like strtod and much faster. Anything it
  // does not settle plainly (no digits, out of range, zero, subnormal) goes to
  // strtod itself, so the results, range reports included, are strtod's.
  const char* first = text.data();
  const char* last = first + text.size();
  if (first != last && *first == '+')
    ++first;
  double value = 0.0;
  if (readFiniteDouble(first, last, value) && std::fabs(value) >= std::numeric_limits<double>::min())
    return {value, Clipping::None};
  return convertRealCarefully(text);
}

// A whole base-10 integer with an optional sign, clipped to the 32-bit range.
IntegerConversion convertInteger(const std::string& text);

}  // namespace touchstone2

#endif
