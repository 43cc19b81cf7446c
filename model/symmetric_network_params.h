#ifndef TOUCHSTONE2_MODEL_SYMMETRIC_NETWORK_PARAMS_H
#define TOUCHSTONE2_MODEL_SYMMETRIC_NETWORK_PARAMS_H

#include "model/network_params.h"

namespace touchstone2 {

// One triangle of a symmetric matrix, the lower one row by row: (row, col) and
// (col, row) share a place. Serves both the Upper and the Lower matrix format.
class SymmetricNetworkParams : public NetworkParams {
 public:
  SymmetricNetworkParams(std::uint32_t numberOfPorts, double frequencyMultiplier,
                         DataFormat format);
  std::size_t elementIndex(std::uint32_t row, std::uint32_t col) const override;
};

}  // namespace touchstone2

#endif
