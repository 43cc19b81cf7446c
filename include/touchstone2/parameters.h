#ifndef TOUCHSTONE2_PARAMETERS_H
#define TOUCHSTONE2_PARAMETERS_H

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include <touchstone2/export.h>
#include <touchstone2/enums.h>

namespace touchstone2 {

// One complex value in the representation of its container: (dB, degrees),
// (magnitude, degrees) or (real, imaginary).
struct ValuePair {
  double first = 0.0;
  double second = 0.0;
};

class NetworkParams;

// Names one matrix element of one frequency point; cheap to copy.
class TOUCHSTONE2_API ConstElementRef {
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

class TOUCHSTONE2_API ElementRef {
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
class TOUCHSTONE2_API NetworkParams {
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
  // All of point freqIndex's pairs at once, as stored (placesPerPoint() of
  // them, element (row, col) at elementIndex(row, col)): for readers that
  // walk every element of every point. Throws std::out_of_range "freqIndex".
  const ValuePair* pointPairs(std::uint32_t freqIndex) const {
    if (freqIndex >= frequencies_.size())
      throwOutOfRange(freqIndex, 0);
    return pairsOf(freqIndex);
  }

 protected:
  NetworkParams(std::uint32_t numberOfPorts, double frequencyMultiplier, DataFormat format,
                std::size_t placesPerPoint);

 private:
  friend class ElementRef;
  friend class ConstElementRef;

  // Every pair is stored and written through these, so they are inline.
  std::size_t checkedPlace(std::uint32_t freqIndex, std::uint32_t row, std::uint32_t col) const {
    if (freqIndex >= frequencies_.size() || row >= numberOfPorts_ || col >= numberOfPorts_)
      throwOutOfRange(freqIndex, row);
    return elementIndex(row, col);
  }
  [[noreturn]] void throwOutOfRange(std::uint32_t freqIndex, std::uint32_t row) const;
  ValuePair* pairsOf(std::size_t point) const {
    std::size_t block = blockOf(point);
    return blocks_[block].get() + (point - block * pointsPerBlock_) * placesPerPoint_;
  }
  ValuePair& pairAt(std::size_t point, std::size_t place) { return pairsOf(point)[place]; }
  const ValuePair& pairAt(std::size_t point, std::size_t place) const {
    return pairsOf(point)[place];
  }
  // point / pointsPerBlock_, by a multiplication with the divisor's rounded-up
  // reciprocal instead of a division: exact below 2^31 points (the reasoning
  // is at reciprocalShift), which no file reaches; a division beyond.
  std::size_t blockOf(std::size_t point) const {
    if (point < kReciprocalLimit)
      return static_cast<std::size_t>((point * blockReciprocal_) >> blockShift_);
    return point / pointsPerBlock_;
  }
  static constexpr std::size_t kReciprocalLimit = std::size_t{1} << 31;

  std::uint32_t numberOfPorts_;
  double frequencyMultiplier_;
  DataFormat format_;
  std::size_t placesPerPoint_;
  std::size_t pointsPerBlock_;
  std::uint64_t blockReciprocal_;
  unsigned blockShift_;
  std::vector<double> frequencies_;
  // Memory for the pairs, in blocks of huge pages where the system has them.
  struct BlockRelease {
    void operator()(ValuePair* pairs) const;
  };
  std::vector<std::unique_ptr<ValuePair[], BlockRelease>> blocks_;
};

inline ElementRef NetworkParams::element(std::uint32_t freqIndex, std::uint32_t row,
                                         std::uint32_t col) {
  return ElementRef(*this, freqIndex, checkedPlace(freqIndex, row, col));
}

inline ConstElementRef NetworkParams::element(std::uint32_t freqIndex, std::uint32_t row,
                                              std::uint32_t col) const {
  return ConstElementRef(*this, freqIndex, checkedPlace(freqIndex, row, col));
}

inline void ElementRef::set(double first, double second) {
  params_->pairAt(point_, place_) = ValuePair{first, second};
}

struct NoisePoint {
  double frequency = 0.0;           // in the file's unit, as read
  double minimumNoiseFigure = 0.0;  // dB
  double reflectionMagnitude = 0.0;
  double reflectionAngle = 0.0;     // degrees
  double noiseResistance = 0.0;     // ohms
};

// The noise parameters of a 2-port file, one point per noise frequency.
class TOUCHSTONE2_API NoiseParams {
 public:
  explicit NoiseParams(double frequencyMultiplier) : frequencyMultiplier_(frequencyMultiplier) {}
  NoiseParams(const NoiseParams&) = delete;
  NoiseParams& operator=(const NoiseParams&) = delete;

  void addPoint(double frequency, double minimumNoiseFigure, double reflectionMagnitude,
                double reflectionAngle, double noiseResistance);

  double getFrequencyMultiplier() const { return frequencyMultiplier_; }
  std::uint32_t pointCount() const { return static_cast<std::uint32_t>(points_.size()); }
  const NoisePoint& point(std::uint32_t i) const { return points_[i]; }
  double frequency(std::uint32_t i) const { return points_[i].frequency; }
  double frequencyInHz(std::uint32_t i) const {
    return points_[i].frequency * frequencyMultiplier_;
  }
  double minimumNoiseFigure(std::uint32_t i) const { return points_[i].minimumNoiseFigure; }
  double reflectionMagnitude(std::uint32_t i) const { return points_[i].reflectionMagnitude; }
  double reflectionAngle(std::uint32_t i) const { return points_[i].reflectionAngle; }
  double noiseResistance(std::uint32_t i) const { return points_[i].noiseResistance; }
  // -1.0 when there is no point.
  double firstFrequency() const { return points_.empty() ? -1.0 : points_.front().frequency; }
  double lastFrequency() const { return points_.empty() ? -1.0 : points_.back().frequency; }

 private:
  double frequencyMultiplier_;
  std::vector<NoisePoint> points_;
};

}  // namespace touchstone2

#endif
