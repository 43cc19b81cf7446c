// Arbitrary bytes as a Touchstone file: whatever they hold, the parse must end
// with at most one error, reported last, and parse() must agree with it.

#include <cstddef>
#include <cstdint>

#include "fuzz/contract.h"
#include "fuzz/memory_file.h"
#include "model/file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace touchstone2;
  static fuzz::MemoryFile input("snpvet-fuzz-input");
  input.assign(data, size);
  File file(input.path());
  fuzz::checkedParse(file, fuzz::measure(data, size));
  return 0;
}
