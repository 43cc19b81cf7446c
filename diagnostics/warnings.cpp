#include "diagnostics/warnings.h"

#include <string>

#include "model/number_text.h"

namespace touchstone2 {

ClippingSmallNumberWarning::ClippingSmallNumberWarning(double value, const Token& token)
    : ParserWarning(Code::ClippedSmallNumber, token) {
  setDetail("clipping a very small number to " + formatGeneral(value));
}

ClippingLargeNumberWarning::ClippingLargeNumberWarning(double value, const Token& token)
    : ParserWarning(Code::ClippedLargeNumber, token) {
  setDetail("clipping a very large number to " + formatGeneral(value));
}

NonphysicalNoiseWarning::NonphysicalNoiseWarning(double value, const Token& token)
    : ParserWarning(Code::NonphysicalNoise, token) {
  setDetail("nonphysical noise behavior (" + formatGeneral(value) + " dB) described");
}

}  // namespace touchstone2
