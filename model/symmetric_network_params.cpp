#include "model/symmetric_network_params.h"

#include <algorithm>

namespace touchstone2 {

SymmetricNetworkParams::SymmetricNetworkParams(std::uint32_t numberOfPorts,
                                               double frequencyMultiplier, DataFormat format)
    : NetworkParams(numberOfPorts, frequencyMultiplier, format,
                    std::size_t{numberOfPorts} * (std::size_t{numberOfPorts} + 1) / 2) {}

std::size_t SymmetricNetworkParams::elementIndex(std::uint32_t row, std::uint32_t col) const {
  std::size_t hi = std::max(row, col);
  std::size_t lo = std::min(row, col);
  return hi * (hi + 1) / 2 + lo;
}

}  // namespace touchstone2
