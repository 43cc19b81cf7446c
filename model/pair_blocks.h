#ifndef TOUCHSTONE2_MODEL_PAIR_BLOCKS_H
#define TOUCHSTONE2_MODEL_PAIR_BLOCKS_H

#include <cstddef>
#include <memory>

#include "model/value_pair.h"

namespace touchstone2 {

// Memory for the value pairs of network data, in blocks aligned to and sized
// in 2 MiB, so that where the platform has huge pages a file of hundreds of
// megabytes costs a few hundred page faults rather than tens of thousands.
// Without them it is ordinary memory. The pairs are made by the owner as it
// needs them (ValuePair needs no destruction), so that no pair is written
// twice and the tail of the last block is never touched.
struct PairBlockRelease {
  void operator()(ValuePair* pairs) const;
};
using PairBlock = std::unique_ptr<ValuePair[], PairBlockRelease>;

// The pairs of one block that fill it without rounding up.
constexpr std::size_t kPairsPerHugePage = (std::size_t{2} << 20) / sizeof(ValuePair);

// Room for count pairs, none made yet; throws std::bad_alloc when memory
// runs out.
PairBlock allocatePairBlock(std::size_t count);

}  // namespace touchstone2

#endif
