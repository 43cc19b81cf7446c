#ifndef TOUCHSTONE2_DESCRIBE_H
#define TOUCHSTONE2_DESCRIBE_H

#include <ostream>

#include <touchstone2/file.h>

namespace touchstone2 {

// Writes a human-readable account of a parsed file: options, ports, reference
// impedances, mixed-mode assignment, every network parameter in real and
// imaginary parts and the noise parameters. Ends with a flushing line end.
// Stops early once the stream has failed: the rest could not be seen anyway.
void describe(const File& file, std::ostream& out);

}  // namespace touchstone2

#endif
