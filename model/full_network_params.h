#ifndef TOUCHSTONE2_MODEL_FULL_NETWORK_PARAMS_H
#define TOUCHSTONE2_MODEL_FULL_NETWORK_PARAMS_H

#include "model/network_params.h"

namespace touchstone2 {

// Every element of the N x N matrix, row by row.
class FullNetworkParams : public NetworkParams {
 public:
  FullNetworkParams(std::uint32_t numberOfPorts, double frequencyMultiplier, DataFormat format);
  std::size_t elementIndex(std::uint32_t row, std::uint32_t col) const override;
};

}  // namespace touchstone2

#endif
