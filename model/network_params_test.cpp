#include <sys/resource.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <new>
#include <stdexcept>
#include <string>

#include "model/matrix_layouts.h"

namespace touchstone2 {
namespace {

// A library caller may read stored values in any form, not only the forms we write.
TEST(NetworkParams, StoredValuesReadInEveryForm) {
  FullNetworkParams params(1, 1.0, DataFormat::RI);
  params.addFrequency(1.0);
  params.element(0, 0, 0).set(0, -0.1);
  ValuePair db = params.element(0, 0, 0).get(DataFormat::DB);
  ValuePair ma = params.element(0, 0, 0).get(DataFormat::MA);
  EXPECT_NEAR(db.first, -20, 1e-12);
  EXPECT_NEAR(ma.first, 0.1, 1e-15);
  EXPECT_NEAR(db.second + ma.second, -180, 1e-12);
}

// A library caller's index out of range names the first index that is, in the order given.
TEST(NetworkParams, IndexOutOfRangeNamesTheIndex) {
  FullNetworkParams params(2, 1.0, DataFormat::RI);
  params.addFrequency(1.0);
  auto failure = [&params](std::uint32_t k, std::uint32_t row, std::uint32_t col) {
    try {
      params.element(k, row, col);
    } catch (const std::out_of_range& error) {
      return std::string(error.what());
    }
    return std::string("none");
  };
  EXPECT_EQ(failure(0, 1, 1), "none");
  EXPECT_EQ(failure(1, 2, 2), "freqIndex");
  EXPECT_EQ(failure(0, 2, 2), "row");
  EXPECT_EQ(failure(0, 1, 2), "col");
}

// A point too large for the memory there is ends in bad_alloc, which the checker reports as
// one line, never in a write through a null block. Run in a child, under a 1 GiB address space.
void addPointBeyondMemory() {
  const rlimit limit{rlim_t{1} << 30, rlim_t{1} << 30};
  setrlimit(RLIMIT_AS, &limit);
  FullNetworkParams params(50000, 1.0, DataFormat::RI);  // 40 GB of pairs a point
  try {
    params.addFrequency(1.0);
  } catch (const std::bad_alloc&) {
    std::exit(0);
  }
  std::exit(1);
}

TEST(NetworkParamsDeathTest, APointBeyondMemoryThrowsBadAlloc) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "the address sanitizer's allocator ends the process instead";
#endif
  EXPECT_EXIT(addPointBeyondMemory(), ::testing::ExitedWithCode(0), "");
}

}  // namespace
}  // namespace touchstone2
