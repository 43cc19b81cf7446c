#ifndef TOUCHSTONE2_MODEL_NETWORK_PARAMS_H
#define TOUCHSTONE2_MODEL_NETWORK_PARAMS_H

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "model/enums.h"
#include "model/value_pair.h"

namespace touchstone2 {

class NetworkParams;

// Names one matrix element of one frequency point; cheap to copy.
class ConstElementRef {
 public:
  ConstElementRef(const NetworkParams& params, std::size_t point, std::size_t place)
      : params_(&params), point_(point), place_(place) {}
  // The stored pair converted from the container's format to targetFormat.
  ValuePair get(DataFormat targetFormat) const;

 private:
  const NetworkParams* params_;
  std::size_t point_;
  std::size_t place_;
};

class ElementRef {
 public:
  ElementRef(NetworkParams& params, std::size_t point, std::size_t place)
      : params_(&params), point_(point), place_(place) {}
  // Stores the pair unchanged, in the container's format.
  void set(double first, double second);
  ValuePair get(DataFormat targetFormat) const;

 private:
  NetworkParams* params_;
  std::size_t point_;
  std::size_t place_;
};

// All frequency points of a file's network data: each point is an N x N matrix
// of value pairs in one representation. Subclasses decide how (row, col) maps to
// a place in a point's array.
//
// The pairs live in fixed-size blocks rather than one array per point or one
// growing array: adding a point never moves earlier data and costs no
// allocation of its own, which keeps large files fast and their memory flat.
class NetworkParams {
 public:
  virtual ~NetworkParams();
  NetworkParams(const NetworkParams&) = delete;
  NetworkParams& operator=(const NetworkParams&) = delete;

  virtual std::size_t elementIndex(std::uint32_t row, std::uint32_t col) const = 0;

  std::uint32_t getNumberOfPorts() const { return numberOfPorts_; }
  double getFrequencyMultiplier() const { return frequencyMultiplier_; }
  DataFormat getFormat() const { return format_; }
  std::size_t placesPerPoint() const { return placesPerPoint_; }

  // Appends a point with all pairs (0, 0); returns its index.
  std::int32_t addFrequency(double frequency);
  std::uint32_t frequencyCount() const { return static_cast<std::uint32_t>(frequencies_.size()); }
  double frequency(std::uint32_t i) const { return frequencies_[i]; }
  double frequencyInHz(std::uint32_t i) const { return frequencies_[i] * frequencyMultiplier_; }
  // -1.0 when there is no point, so that 0 is a valid first frequency.
  double lastFrequency() const { return frequencies_.empty() ? -1.0 : frequencies_.back(); }

  // Throws std::out_of_range "freqIndex", "row" or "col", tested in that order.
  ElementRef element(std::uint32_t freqIndex, std::uint32_t row, std::uint32_t col);
  ConstElementRef element(std::uint32_t freqIndex, std::uint32_t row, std::uint32_t col) const;

 protected:
  NetworkParams(std::uint32_t numberOfPorts, double frequencyMultiplier, DataFormat format,
                std::size_t placesPerPoint);

 private:
  friend class ElementRef;
  friend class ConstElementRef;

  std::size_t checkedPlace(std::uint32_t freqIndex, std::uint32_t row, std::uint32_t col) const;
  ValuePair& pairAt(std::size_t point, std::size_t place);
  const ValuePair& pairAt(std::size_t point, std::size_t place) const;

  std::uint32_t numberOfPorts_;
  double frequencyMultiplier_;
  DataFormat format_;
  std::size_t placesPerPoint_;
  std::size_t pointsPerBlock_;
  std::vector<double> frequencies_;
  std::vector<std::unique_ptr<ValuePair[]>> blocks_;
};

}  // namespace touchstone2

#endif
