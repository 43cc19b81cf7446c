#ifndef TOUCHSTONE2_WRITERS_V2_WRITER_H
#define TOUCHSTONE2_WRITERS_V2_WRITER_H

#include <cstdint>
#include <ostream>

#include "writers/writer.h"

namespace touchstone2 {

// Writes a File as canonical Touchstone v2.0: the keyword lines, then the full
// matrix row by row whatever the input's matrix format and two-port order.
// Any valid File with network data can be written this way.
class V2_Writer : public Writer {
 public:
  explicit V2_Writer(const File& file) : Writer(file) {}

  // Throws std::runtime_error, before writing anything, when the File has no
  // network data (a v1 file of an option line only): v2.0 cannot express it.
  void write(std::ostream& out) override;
  // Version 2.0 data are written as stored.
  void normalizeValue(double& first, double& second, std::uint32_t row,
                      std::uint32_t col) const override;

 protected:
  // The [Mixed-Mode Order] line with every descriptor of the File.
  void writeMixedModeOrder(std::ostream& out) const;

 private:
  void writeCounts(std::ostream& out) const;
  void writeReference(std::ostream& out) const;
};

}  // namespace touchstone2

#endif
