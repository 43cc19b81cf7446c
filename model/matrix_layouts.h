#ifndef TOUCHSTONE2_MODEL_MATRIX_LAYOUTS_H
#define TOUCHSTONE2_MODEL_MATRIX_LAYOUTS_H

#include <touchstone2/parameters.h>

namespace touchstone2 {

// The two ways the parser stores a point's matrix.

// Every element of the N x N matrix, row by row.
class FullNetworkParams : public NetworkParams {
 public:
  FullNetworkParams(std::uint32_t numberOfPorts, double frequencyMultiplier, DataFormat format);
  std::size_t elementIndex(std::uint32_t row, std::uint32_t col) const override;
};

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
