#ifndef TOUCHSTONE2_DIAGNOSTICS_WARNINGS_H
#define TOUCHSTONE2_DIAGNOSTICS_WARNINGS_H

#include "diagnostics/parser_warning.h"
#include "input/token.h"

namespace touchstone2 {

// 2302: a number too small for a double, replaced by the smallest normal one.
class ClippingSmallNumberWarning : public ParserWarning {
 public:
  ClippingSmallNumberWarning(double value, const Token& token);
};

// 2301: a number too large for its type, replaced by the largest one.
class ClippingLargeNumberWarning : public ParserWarning {
 public:
  ClippingLargeNumberWarning(double value, const Token& token);
};

// 2321: a negative minimum noise figure.
class NonphysicalNoiseWarning : public ParserWarning {
 public:
  NonphysicalNoiseWarning(double value, const Token& token);
};

}  // namespace touchstone2

#endif
