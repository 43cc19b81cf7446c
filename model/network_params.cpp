#include "model/network_params.h"

#include <algorithm>
#include <stdexcept>

#include "model/value_conversion.h"

namespace touchstone2 {

namespace {

// About 1 MiB of pairs per block; a point larger than that gets a block of its
// own.
constexpr std::size_t kPairsPerBlock = 65536;

}  // namespace

NetworkParams::NetworkParams(std::uint32_t numberOfPorts, double frequencyMultiplier,
                             DataFormat format, std::size_t placesPerPoint)
    : numberOfPorts_(numberOfPorts),
      frequencyMultiplier_(frequencyMultiplier),
      format_(format),
      placesPerPoint_(placesPerPoint),
      pointsPerBlock_(std::max<std::size_t>(1, kPairsPerBlock / std::max<std::size_t>(1, placesPerPoint))) {}

NetworkParams::~NetworkParams() = default;

std::int32_t NetworkParams::addFrequency(double frequency) {
  std::size_t index = frequencies_.size();
  if (index / pointsPerBlock_ >= blocks_.size())
    blocks_.emplace_back(new ValuePair[pointsPerBlock_ * placesPerPoint_]());
  frequencies_.push_back(frequency);
  return static_cast<std::int32_t>(index);
}

std::size_t NetworkParams::checkedPlace(std::uint32_t freqIndex, std::uint32_t row,
                                        std::uint32_t col) const {
  if (freqIndex >= frequencies_.size())
    throw std::out_of_range("freqIndex");
  if (row >= numberOfPorts_)
    throw std::out_of_range("row");
  if (col >= numberOfPorts_)
    throw std::out_of_range("col");
  return elementIndex(row, col);
}

ValuePair& NetworkParams::pairAt(std::size_t point, std::size_t place) {
  return blocks_[point / pointsPerBlock_][(point % pointsPerBlock_) * placesPerPoint_ + place];
}

const ValuePair& NetworkParams::pairAt(std::size_t point, std::size_t place) const {
  return blocks_[point / pointsPerBlock_][(point % pointsPerBlock_) * placesPerPoint_ + place];
}

ElementRef NetworkParams::element(std::uint32_t freqIndex, std::uint32_t row, std::uint32_t col) {
  return ElementRef(*this, freqIndex, checkedPlace(freqIndex, row, col));
}

ConstElementRef NetworkParams::element(std::uint32_t freqIndex, std::uint32_t row,
                                       std::uint32_t col) const {
  return ConstElementRef(*this, freqIndex, checkedPlace(freqIndex, row, col));
}

void ElementRef::set(double first, double second) {
  params_->pairAt(point_, place_) = ValuePair{first, second};
}

ValuePair ElementRef::get(DataFormat targetFormat) const {
  return convertValuePair(params_->format_, targetFormat, params_->pairAt(point_, place_));
}

ValuePair ConstElementRef::get(DataFormat targetFormat) const {
  return convertValuePair(params_->format_, targetFormat, params_->pairAt(point_, place_));
}

}  // namespace touchstone2
