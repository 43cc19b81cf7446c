#ifndef TOUCHSTONE2_MODEL_NOISE_PARAMS_H
#define TOUCHSTONE2_MODEL_NOISE_PARAMS_H

#include <cstdint>
#include <vector>

namespace touchstone2 {

struct NoisePoint {
  double frequency = 0.0;           // in the file's unit, as read
  double minimumNoiseFigure = 0.0;  // dB
  double reflectionMagnitude = 0.0;
  double reflectionAngle = 0.0;     // degrees
  double noiseResistance = 0.0;     // ohms
};

// The noise parameters of a 2-port file, one point per noise frequency.
class NoiseParams {
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
  double frequencyInHz(std::uint32_t i) const { return points_[i].frequency * frequencyMultiplier_; }
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
