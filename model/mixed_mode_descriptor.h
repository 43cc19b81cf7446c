#ifndef TOUCHSTONE2_MODEL_MIXED_MODE_DESCRIPTOR_H
#define TOUCHSTONE2_MODEL_MIXED_MODE_DESCRIPTOR_H

#include <cstdint>

#include "model/enums.h"

namespace touchstone2 {

// What one row and column of the network-data matrix holds. Ports count from
// 1; a single-ended descriptor has secondPort 0.
struct MixedModeDescriptor {
  MixedModeKind kind = MixedModeKind::SingleEnded;
  std::uint32_t firstPort = 0;
  std::uint32_t secondPort = 0;
};

}  // namespace touchstone2

#endif
