#ifndef TOUCHSTONE2_WRITER_H
#define TOUCHSTONE2_WRITER_H

#include <cstdint>
#include <ostream>

#include <touchstone2/export.h>
#include <touchstone2/file.h>

namespace touchstone2 {

// Writes a parsed or built File back out as a canonical Touchstone file. A
// writer only reads the File, which must outlive it. Every write() first
// checks the record as the reader would and throws std::runtime_error,
// before writing anything, for what no file may hold (a record set up by
// hand with falling frequencies, a negative magnitude, a reference at or
// below 0, a value that is not finite, ...): what a writer writes, the
// checker accepts.
class TOUCHSTONE2_API Writer {
 public:
  // Throws std::logic_error when the File is not valid: a writer is only ever
  // built after a successful parse.
  Writer(const File& file, std::uint32_t version);
  virtual ~Writer();
  Writer(const Writer&) = delete;
  Writer& operator=(const Writer&) = delete;

  // Writes the whole file and flushes out.
  virtual void write(std::ostream& out) = 0;

 protected:
  const File* file_;
  // The version written, one of File's kVersion constants.
  std::uint32_t version_;
};

// Writes a File as Touchstone v1: no keyword lines, 2-port data column by
// column, at most four pairs a line for more ports, and Y, Z, H and G values
// and the noise resistance relative to the reference resistance, as v1 gives
// them. As version 1.1 (File::kVersion1_1), the option line ends with one
// reference resistance per port instead of one for all, and the values are
// relative to port 1's.
class TOUCHSTONE2_API V1_Writer : public Writer {
 public:
  // Throws std::invalid_argument for a version other than 1 and 1.1.
  explicit V1_Writer(const File& file, std::uint32_t version = File::kVersion1);

  // Throws std::runtime_error, before writing anything, when the File holds
  // what the version cannot express: a mixed-mode order, values that
  // normalising to R carries out of range; for version 1 per-port reference
  // impedances; for version 1.1 fewer than two ports, or references that
  // differ between ports for other than S-parameters.
  void write(std::ostream& out) override;
};

// Writes a File as canonical Touchstone v2.0: the keyword lines, then the full
// matrix row by row whatever the input's matrix format and two-port order.
// Any valid File with network data can be written this way. As version 2.1
// (File::kVersion2_1) the text is the same but for its [Version] line.
class TOUCHSTONE2_API V2_Writer : public Writer {
 public:
  // Throws std::invalid_argument for a version other than 2.0 and 2.1.
  explicit V2_Writer(const File& file, std::uint32_t version = File::kVersion2);

  // Throws std::runtime_error, before writing anything, when the File has no
  // network data (a v1 file of an option line only): v2.0 cannot express it.
  void write(std::ostream& out) override;
};

// Writes a human-readable account of a parsed file: options, ports, reference
// impedances, mixed-mode assignment, every network parameter in real and
// imaginary parts and the noise parameters. Ends with a flushing line end.
// Stops early once the stream has failed: the rest could not be seen anyway.
TOUCHSTONE2_API void describe(const File& file, std::ostream& out);

}  // namespace touchstone2

#endif
