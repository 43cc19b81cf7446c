#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "model/full_network_params.h"

namespace touchstone2 {
namespace {

TEST(NetworkParams, BadIndicesAreReportedInOrder) {
  FullNetworkParams params(2, 1.0, DataFormat::MA);
  params.addFrequency(1.0);
  auto message = [&](std::uint32_t k, std::uint32_t row, std::uint32_t col) {
    try {
      params.element(k, row, col);
    } catch (const std::out_of_range& e) {
      return std::string(e.what());
    }
    return std::string("none");
  };
  EXPECT_EQ(message(1, 5, 5), "freqIndex");
  EXPECT_EQ(message(0, 2, 5), "row");
  EXPECT_EQ(message(0, 1, 2), "col");
  EXPECT_EQ(message(0, 1, 1), "none");
}

}  // namespace
}  // namespace touchstone2
