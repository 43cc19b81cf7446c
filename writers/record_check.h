#ifndef TOUCHSTONE2_WRITERS_RECORD_CHECK_H
#define TOUCHSTONE2_WRITERS_RECORD_CHECK_H

#include <touchstone2/file.h>

namespace touchstone2 {

// A record made by a program rather than by the parser may hold what no file
// may: the writers would write a text that the checker refuses, or that it
// reads as other values (an R of -5 is left out of the option line, which
// then means 50). Throws std::runtime_error naming the first such value:
// falling or negative frequencies, a non-finite value, a negative magnitude,
// a reference at or below 0, noise data the reader would refuse, a broken
// mixed-mode order, a field not given, containers that disagree with the
// record. A parsed record always passes.
void checkWritable(const File& file);

}  // namespace touchstone2

#endif
