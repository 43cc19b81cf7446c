// The file record and its containers.

#include <touchstone2/file.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <new>
#include <stdexcept>
#include <utility>

#if defined(__linux__)
#include <sys/mman.h>
#endif

#include "model/matrix_layouts.h"
#include "model/value_conversion.h"
#include "model/vocabulary.h"

namespace touchstone2 {

File::File(const std::string& filename) : filename_(filename) {}

double File::getFrequencyMultiplier() const {
  const FrequencyUnitWord* unit = rowFor(kFrequencyUnits, frequencyUnit_);
  return unit != nullptr ? unit->hertz : 1.0;
}

void File::setReferenceImpedances(std::vector<double> impedances) {
  referenceImpedances_ = std::move(impedances);
  referenceImpedancesGiven_ = true;
}

void File::setMixedModeOrder(std::vector<MixedModeDescriptor> order) {
  mixedModeOrder_ = std::move(order);
  mixedModeOrderGiven_ = true;
}

void File::setDefaultReferenceImpedances() {
  referenceImpedances_.assign(numberOfPorts_, referenceResistance_);
}

void File::setDefaultMixedModeOrder() {
  for (std::uint32_t port = 1; port <= numberOfPorts_; ++port)
    mixedModeOrder_.push_back({MixedModeKind::SingleEnded, port, 0});
}

namespace {

// Blocks are aligned to and sized in huge pages, 2 MiB, so that where the
// system has them a file of hundreds of megabytes costs a few hundred page
// faults rather than tens of thousands; without them the memory is ordinary.
// The pairs are made by the container as it needs them (ValuePair needs no
// destruction), so that no pair is written twice and the tail of the last
// block is never touched.
constexpr std::size_t kHugePage = std::size_t{2} << 20;
constexpr std::size_t kPairsPerBlock = kHugePage / sizeof(ValuePair);

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

// Room for count pairs, none made yet; throws std::bad_alloc when memory runs
// out.
ValuePair* allocatePairs(std::size_t count) {
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
  return static_cast<ValuePair*>(memory);
}

}  // namespace

void NetworkParams::BlockRelease::operator()(ValuePair* pairs) const { std::free(pairs); }

NetworkParams::NetworkParams(std::uint32_t numberOfPorts, double frequencyMultiplier,
                             DataFormat format, std::size_t placesPerPoint)
    : numberOfPorts_(numberOfPorts),
      frequencyMultiplier_(frequencyMultiplier),
      format_(format),
      placesPerPoint_(placesPerPoint),
      // As many whole points as fill a block; a larger point gets a block of
      // its own.
      pointsPerBlock_(
          std::max<std::size_t>(1, kPairsPerBlock / std::max<std::size_t>(1, placesPerPoint))),
      blockReciprocal_(reciprocal(pointsPerBlock_, reciprocalShift(pointsPerBlock_))),
      blockShift_(reciprocalShift(pointsPerBlock_)) {}

NetworkParams::~NetworkParams() = default;

std::int32_t NetworkParams::addFrequency(double frequency) {
  std::size_t index = frequencies_.size();
  if (blockOf(index) >= blocks_.size())
    blocks_.emplace_back(allocatePairs(pointsPerBlock_ * placesPerPoint_));
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

FullNetworkParams::FullNetworkParams(std::uint32_t numberOfPorts, double frequencyMultiplier,
                                     DataFormat format)
    : NetworkParams(numberOfPorts, frequencyMultiplier, format,
                    std::size_t{numberOfPorts} * numberOfPorts) {}

std::size_t FullNetworkParams::elementIndex(std::uint32_t row, std::uint32_t col) const {
  return std::size_t{getNumberOfPorts()} * row + col;
}

SymmetricNetworkParams::SymmetricNetworkParams(std::uint32_t numberOfPorts,
                                               double frequencyMultiplier, DataFormat format)
    : NetworkParams(numberOfPorts, frequencyMultiplier, format,
                    std::size_t{numberOfPorts} * (std::size_t{numberOfPorts} + 1) / 2) {}

std::size_t SymmetricNetworkParams::elementIndex(std::uint32_t row, std::uint32_t col) const {
  std::size_t hi = std::max(row, col);
  std::size_t lo = std::min(row, col);
  return hi * (hi + 1) / 2 + lo;
}

void NoiseParams::addPoint(double frequency, double minimumNoiseFigure,
                           double reflectionMagnitude, double reflectionAngle,
                           double noiseResistance) {
  points_.push_back(
      {frequency, minimumNoiseFigure, reflectionMagnitude, reflectionAngle, noiseResistance});
}

}  // namespace touchstone2
