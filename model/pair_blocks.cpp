#include "model/pair_blocks.h"

#include <cstdlib>
#include <new>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace touchstone2 {

namespace {

constexpr std::size_t kHugePage = std::size_t{2} << 20;

}  // namespace

void PairBlockRelease::operator()(ValuePair* pairs) const { std::free(pairs); }

PairBlock allocatePairBlock(std::size_t count) {
  std::size_t bytes = count * sizeof(ValuePair);
  std::size_t rounded = (bytes + kHugePage - 1) / kHugePage * kHugePage;
  if (rounded == 0)
    rounded = kHugePage;
  void* memory = std::aligned_alloc(kHugePage, rounded);
  if (memory == nullptr)
    throw std::bad_alloc();
#if defined(MADV_HUGEPAGE)
  // Only advice: where it is refused the memory is ordinary pages.
  ::madvise(memory, rounded, MADV_HUGEPAGE);
#endif
  return PairBlock(static_cast<ValuePair*>(memory));
}

}  // namespace touchstone2
