#ifndef TOUCHSTONE2_WRITERS_SECTIONS_H
#define TOUCHSTONE2_WRITERS_SECTIONS_H

#include <ostream>
#include <string>

#include <touchstone2/file.h>

namespace touchstone2 {

// How a version lays out and scales the data it writes.
struct DataLayout {
  // A 2-port point in the order 11 21 12 22 rather than row by row.
  bool columnFirstTwoPort = false;
  // More than two ports: four pairs a line at most; otherwise a matrix row a
  // line.
  bool fourPairsPerLine = false;
  // Y-, Z-, H- and G-parameters and the noise resistance relative to the
  // reference resistance, as version 1 gives them.
  bool relativeToResistance = false;
  // The option line ends with one reference resistance per port, and the
  // values above are relative to port 1's (version 1.1).
  bool resistancePerPort = false;
};

// The resistance the values are relative to under the layout.
double scalingResistance(const File& file, const DataLayout& layout);

// The parts both writers share. Each writes text as it is, with one call per
// piece: output is built in memory and never formatted by the stream, whose
// locale and flags are not ours to trust.
void writeText(std::ostream& out, const std::string& text);
// "# GHz S MA R 50", the options the File holds; "R 50 75" with one
// resistance per port where the layout says so.
void writeOptionLine(std::ostream& out, const File& file, const DataLayout& layout);
// A header comment naming the columns, then one point after another; nothing
// without network data.
void writeNetworkData(std::ostream& out, const File& file, const DataLayout& layout);
// The noise points, if any.
void writeNoiseData(std::ostream& out, const File& file, const DataLayout& layout);

}  // namespace touchstone2

#endif
