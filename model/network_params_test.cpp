#include <gtest/gtest.h>

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

}  // namespace
}  // namespace touchstone2
