#ifndef TOUCHSTONE2_MODEL_VALUE_PAIR_H
#define TOUCHSTONE2_MODEL_VALUE_PAIR_H

namespace touchstone2 {

// One complex value in the representation of its container: (dB, degrees),
// (magnitude, degrees) or (real, imaginary).
struct ValuePair {
  double first = 0.0;
  double second = 0.0;
};

}  // namespace touchstone2

#endif
