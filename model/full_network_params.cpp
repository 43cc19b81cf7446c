#include "model/full_network_params.h"

namespace touchstone2 {

FullNetworkParams::FullNetworkParams(std::uint32_t numberOfPorts, double frequencyMultiplier,
                                     DataFormat format)
    : NetworkParams(numberOfPorts, frequencyMultiplier, format,
                    std::size_t{numberOfPorts} * numberOfPorts) {}

std::size_t FullNetworkParams::elementIndex(std::uint32_t row, std::uint32_t col) const {
  return std::size_t{getNumberOfPorts()} * row + col;
}

}  // namespace touchstone2
