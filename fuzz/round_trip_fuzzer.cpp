// Arbitrary bytes as a Touchstone file; every input that parses is written in
// both canonical forms and described, and the written files must read back to
// the same content.

#include <cstddef>
#include <cstdint>

#include "fuzz/contract.h"
#include "fuzz/memory_file.h"
#include "fuzz/round_trip.h"
#include "model/file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace touchstone2;
  static fuzz::MemoryFile input("snpvet-fuzz-input");
  static fuzz::MemoryFile output("snpvet-fuzz-output");
  input.assign(data, size);
  File file(input.path());
  if (fuzz::checkedParse(file, fuzz::measure(data, size)))
    fuzz::checkRoundTrip(file, output);
  return 0;
}
