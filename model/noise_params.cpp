#include "model/noise_params.h"

namespace touchstone2 {

void NoiseParams::addPoint(double frequency, double minimumNoiseFigure,
                           double reflectionMagnitude, double reflectionAngle,
                           double noiseResistance) {
  points_.push_back(
      {frequency, minimumNoiseFigure, reflectionMagnitude, reflectionAngle, noiseResistance});
}

}  // namespace touchstone2
