#ifndef TOUCHSTONE2_FUZZ_ROUND_TRIP_H
#define TOUCHSTONE2_FUZZ_ROUND_TRIP_H

#include "fuzz/memory_file.h"

namespace touchstone2 {

class File;

namespace fuzz {

// For a File that parsed: writes it as canonical v2.0 and, where the v1
// writer accepts it, as v1, reads each output back and requires it to parse
// and to describe the same content. Aborts on any difference. scratch holds
// the written text while it is read back.
void checkRoundTrip(const File& original, MemoryFile& scratch);

}  // namespace fuzz
}  // namespace touchstone2

#endif
