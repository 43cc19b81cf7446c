#ifndef TOUCHSTONE2_WRITERS_WRITER_H
#define TOUCHSTONE2_WRITERS_WRITER_H

#include <cstdint>
#include <ostream>
#include <string>

#include "model/file.h"

namespace touchstone2 {

// Writes a parsed File back out as a canonical Touchstone file. The base holds
// the pieces both versions share; subclasses choose the switches and decide
// how a value pair is adjusted before it is written. A writer only reads the
// File, which must outlive it.
class Writer {
 public:
  // Throws std::logic_error when the File is not valid: a writer is only ever
  // built after a successful parse.
  explicit Writer(const File& file);
  virtual ~Writer();
  Writer(const Writer&) = delete;
  Writer& operator=(const Writer&) = delete;

  // Writes the whole file and flushes out.
  virtual void write(std::ostream& out) = 0;

  // Adjusts one pair, already in the File's format, just before it is written;
  // row and col are the pair's 0-based matrix position.
  virtual void normalizeValue(double& first, double& second, std::uint32_t row,
                              std::uint32_t col) const = 0;

 protected:
  void writeOptionLine(std::ostream& out) const;
  void writeNetworkData(std::ostream& out, bool headerComment, bool columnFirstTwoPort,
                        bool fourPairsPerLine) const;
  void writeNoiseData(std::ostream& out, bool normalizeNoiseResistance) const;

  // Writes text as it is, with one call: output is built line by line in a
  // string and never formatted by the stream, whose locale and flags are not
  // ours to trust.
  static void writeText(std::ostream& out, const std::string& text);

  const File* file_;
};

}  // namespace touchstone2

#endif
