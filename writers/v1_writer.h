#ifndef TOUCHSTONE2_WRITERS_V1_WRITER_H
#define TOUCHSTONE2_WRITERS_V1_WRITER_H

#include <cstdint>
#include <ostream>

#include "writers/writer.h"

namespace touchstone2 {

// Writes a File as Touchstone v1: no keyword lines, 2-port data column by
// column, at most four pairs a line for more ports, and Y, Z, H and G values
// and the noise resistance relative to the reference resistance, as v1 gives
// them.
class V1_Writer : public Writer {
 public:
  explicit V1_Writer(const File& file) : Writer(file) {}

  // Throws std::runtime_error, before writing anything, when the File holds
  // what v1 cannot express: per-port reference impedances, a mixed-mode
  // order, or values that normalising to R carries out of range.
  void write(std::ostream& out) override;
  void normalizeValue(double& first, double& second, std::uint32_t row,
                      std::uint32_t col) const override;

 private:
  void checkNormalizedValuesInRange() const;
};

}  // namespace touchstone2

#endif
