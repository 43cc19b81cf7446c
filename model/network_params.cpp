#include "model/network_params.h"

#include <algorithm>
#include <memory>
#include <stdexcept>

#include "model/value_conversion.h"

namespace touchstone2 {

namespace {

// 2 MiB of pairs per block, the size of a huge page.
constexpr std::size_t kPairsPerBlock = kPairsPerHugePage;

// For a divisor d of at most 2^l, with s = 31 + l and m = ceil(2^s / d), so
// that m d = 2^s + e with e < d: for every n below 2^31, (n m) >> s is n / d,
// since n e < 2^s keeps the error below one part in d; and n m stays below
// 2^64, since m is at most 2^32 + 1.
unsigned reciprocalShift(std::size_t divisor) {
  unsigned bits = 0;
  while ((std::size_t{1} << bits) < divisor)
    ++bits;
  return 31 + bits;
}

std::uint64_t reciprocal(std::size_t divisor, unsigned shift) {
  return ((std::uint64_t{1} << shift) + divisor - 1) / divisor;
}

}  // namespace

NetworkParams::NetworkParams(std::uint32_t numberOfPorts, double frequencyMultiplier,
                             DataFormat format, std::size_t placesPerPoint)
    : numberOfPorts_(numberOfPorts),
      frequencyMultiplier_(frequencyMultiplier),
      format_(format),
      placesPerPoint_(placesPerPoint),
      // As many whole points as fill a block; a larger point gets a block of
      // its own.
      pointsPerBlock_(std::max<std::size_t>(1, kPairsPerBlock / std::max<std::size_t>(1, placesPerPoint))),
      blockReciprocal_(reciprocal(pointsPerBlock_, reciprocalShift(pointsPerBlock_))),
      blockShift_(reciprocalShift(pointsPerBlock_)) {}

NetworkParams::~NetworkParams() = default;

std::int32_t NetworkParams::addFrequency(double frequency) {
  std::size_t index = frequencies_.size();
  if (blockOf(index) >= blocks_.size())
    blocks_.push_back(allocatePairBlock(pointsPerBlock_ * placesPerPoint_));
  frequencies_.push_back(frequency);
  std::uninitialized_value_construct_n(pairsOf(index), placesPerPoint_);
  return static_cast<std::int32_t>(index);
}

void NetworkParams::throwOutOfRange(std::uint32_t freqIndex, std::uint32_t row) const {
  if (freqIndex >= frequencies_.size())
    throw std::out_of_range("freqIndex");
  if (row >= numberOfPorts_)
    throw std::out_of_range("row");
  throw std::out_of_range("col");
}

ValuePair ElementRef::get(DataFormat targetFormat) const {
  return convertValuePair(params_->format_, targetFormat, params_->pairAt(point_, place_));
}

ValuePair ConstElementRef::get(DataFormat targetFormat) const {
  return convertValuePair(params_->format_, targetFormat, params_->pairAt(point_, place_));
}

}  // namespace touchstone2
