#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "model/full_network_params.h"
#include "model/noise_params.h"
#include "model/symmetric_network_params.h"

namespace touchstone2 {
namespace {

TEST(NetworkParams, FullLayoutIsRowMajor) {
  FullNetworkParams params(3, 1.0, DataFormat::RI);
  EXPECT_EQ(params.placesPerPoint(), 9u);
  std::size_t expected = 0;
  for (std::uint32_t row = 0; row < 3; ++row)
    for (std::uint32_t col = 0; col < 3; ++col)
      EXPECT_EQ(params.elementIndex(row, col), expected++);
}

TEST(NetworkParams, SymmetricLayoutIsTheLowerTriangleRowByRow) {
  SymmetricNetworkParams params(3, 1.0, DataFormat::RI);
  EXPECT_EQ(params.placesPerPoint(), 6u);
  const std::size_t expected[3][3] = {{0, 1, 3}, {1, 2, 4}, {3, 4, 5}};
  for (std::uint32_t row = 0; row < 3; ++row)
    for (std::uint32_t col = 0; col < 3; ++col)
      EXPECT_EQ(params.elementIndex(row, col), expected[row][col]) << row << "," << col;
}

TEST(NetworkParams, OnePortHasOnePlaceInBothLayouts) {
  EXPECT_EQ(FullNetworkParams(1, 1.0, DataFormat::MA).placesPerPoint(), 1u);
  EXPECT_EQ(SymmetricNetworkParams(1, 1.0, DataFormat::MA).placesPerPoint(), 1u);
}

TEST(NetworkParams, SymmetricElementsShareTheirPlace) {
  SymmetricNetworkParams params(3, 1.0, DataFormat::RI);
  std::uint32_t i = static_cast<std::uint32_t>(params.addFrequency(1.0));
  params.element(i, 2, 1).set(0.25, -0.5);
  ValuePair pair = params.element(i, 1, 2).get(DataFormat::RI);
  EXPECT_EQ(pair.first, 0.25);
  EXPECT_EQ(pair.second, -0.5);
}

TEST(NetworkParams, NewPointsAreZeroAndConvertOnRequest) {
  FullNetworkParams params(2, 1e9, DataFormat::DB);
  EXPECT_EQ(params.addFrequency(2.5), 0);
  EXPECT_EQ(params.addFrequency(3.0), 1);
  ValuePair stored = params.element(0, 1, 1).get(DataFormat::DB);
  EXPECT_EQ(stored.first, 0.0);
  EXPECT_EQ(stored.second, 0.0);
  ValuePair ri = params.element(0, 1, 1).get(DataFormat::RI);
  EXPECT_EQ(ri.first, 1.0);  // 0 dB is magnitude 1
  EXPECT_EQ(params.frequency(0), 2.5);
  EXPECT_EQ(params.frequencyInHz(0), 2.5e9);
  EXPECT_EQ(params.lastFrequency(), 3.0);
}

TEST(NetworkParams, BadIndicesAreReportedInOrder) {
  FullNetworkParams params(2, 1.0, DataFormat::MA);
  EXPECT_EQ(params.lastFrequency(), -1.0);
  params.addFrequency(1.0);
  auto message = [&](std::uint32_t k, std::uint32_t row, std::uint32_t col) {
    try {
      params.element(k, row, col);
    } catch (const std::out_of_range& e) {
      return std::string(e.what());
    }
    return std::string("no exception");
  };
  EXPECT_EQ(message(1, 5, 5), "freqIndex");
  EXPECT_EQ(message(0, 2, 5), "row");
  EXPECT_EQ(message(0, 1, 2), "col");
  EXPECT_EQ(message(0, 1, 1), "no exception");
}

// Points are stored in blocks; values must stay where they were put across
// block boundaries and for points larger than a block.
TEST(NetworkParams, ManyPointsKeepTheirValues) {
  for (std::uint32_t ports : {1u, 4u, 70u}) {
    FullNetworkParams params(ports, 1.0, DataFormat::RI);
    const std::uint32_t points = ports == 70 ? 30 : 200000;
    for (std::uint32_t k = 0; k < points; ++k) {
      params.addFrequency(k);
      params.element(k, ports - 1, 0).set(k, -static_cast<double>(k));
      params.element(k, 0, ports - 1).set(k + 0.5, 1.0);
    }
    ASSERT_EQ(params.frequencyCount(), points);
    for (std::uint32_t k = 0; k < points; k += 997) {
      EXPECT_EQ(params.element(k, ports - 1, 0).get(DataFormat::RI).second,
                ports == 1 ? 1.0 : -static_cast<double>(k));
      EXPECT_EQ(params.element(k, 0, ports - 1).get(DataFormat::RI).first, k + 0.5);
      EXPECT_EQ(params.frequency(k), static_cast<double>(k));
    }
  }
}

// Blocks hold as many whole points as fit in 2 MiB, so every port count
// gives other block edges; each point must keep its own pairs across them,
// and a new point must start at zero even where memory was used before.
TEST(NetworkParams, EveryPointKeepsItsPairsAcrossBlockEdges) {
  for (std::uint32_t ports : {1u, 2u, 3u, 7u, 16u, 91u}) {
    SymmetricNetworkParams triangle(ports, 1.0, DataFormat::RI);
    FullNetworkParams full(ports, 1.0, DataFormat::RI);
    const std::uint32_t points = 600000 / (ports * ports) + 3;
    for (std::uint32_t k = 0; k < points; ++k) {
      for (NetworkParams* params : {static_cast<NetworkParams*>(&triangle),
                                    static_cast<NetworkParams*>(&full)}) {
        params->addFrequency(k);
        ASSERT_EQ(params->element(k, ports - 1, ports - 1).get(DataFormat::RI).first, 0.0);
        params->element(k, ports - 1, ports - 1).set(k, ports);
        params->element(k, 0, 0).set(-static_cast<double>(k), 1.0);
      }
    }
    for (std::uint32_t k = 0; k < points; ++k) {
      for (const NetworkParams* params : {static_cast<const NetworkParams*>(&triangle),
                                          static_cast<const NetworkParams*>(&full)}) {
        ValuePair last = params->element(k, ports - 1, ports - 1).get(DataFormat::RI);
        ValuePair first = params->element(k, 0, 0).get(DataFormat::RI);
        ASSERT_EQ(last.first, ports == 1 ? -static_cast<double>(k) : k) << ports << " " << k;
        ASSERT_EQ(first.first, -static_cast<double>(k)) << ports << " " << k;
      }
    }
  }
}

TEST(NoiseParams, StoresPointsAsGiven) {
  NoiseParams noise(1e9);
  EXPECT_EQ(noise.firstFrequency(), -1.0);
  EXPECT_EQ(noise.lastFrequency(), -1.0);
  noise.addPoint(1.0, 0.5, 0.3, 45.0, 20.0);
  noise.addPoint(2.0, -0.5, 0.2, -45.0, 25.0);
  EXPECT_EQ(noise.pointCount(), 2u);
  EXPECT_EQ(noise.firstFrequency(), 1.0);
  EXPECT_EQ(noise.lastFrequency(), 2.0);
  EXPECT_EQ(noise.frequencyInHz(1), 2e9);
  EXPECT_EQ(noise.minimumNoiseFigure(1), -0.5);
  EXPECT_EQ(noise.reflectionMagnitude(0), 0.3);
  EXPECT_EQ(noise.reflectionAngle(1), -45.0);
  EXPECT_EQ(noise.noiseResistance(0), 20.0);
}

}  // namespace
}  // namespace touchstone2
