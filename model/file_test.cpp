#include "model/file.h"

#include <gtest/gtest.h>

#include "model/full_network_params.h"

namespace touchstone2 {
namespace {

TEST(File, StartsEmpty) {
  File file("dut.s2p");
  EXPECT_EQ(file.getFilename(), "dut.s2p");
  EXPECT_EQ(file.getVersion(), 0u);
  EXPECT_EQ(file.getFrequencyMultiplier(), 1.0);
  EXPECT_TRUE(file.getReferenceImpedances().empty());
  EXPECT_TRUE(file.getMixedModeOrder().empty());
  EXPECT_EQ(file.getNetworkData(), nullptr);
  EXPECT_EQ(file.getNoiseData(), nullptr);
  EXPECT_FALSE(file.getReferenceImpedancesGiven());
  EXPECT_FALSE(file.getMixedModeOrderGiven());
  EXPECT_FALSE(file.getInformationSeen());
  EXPECT_FALSE(file.isValid());
}

TEST(File, FrequencyMultiplierFollowsTheUnit) {
  File file("x");
  file.setFrequencyUnit(FrequencyUnit::Hz);
  EXPECT_EQ(file.getFrequencyMultiplier(), 1.0);
  file.setFrequencyUnit(FrequencyUnit::kHz);
  EXPECT_EQ(file.getFrequencyMultiplier(), 1000.0);
  file.setFrequencyUnit(FrequencyUnit::MHz);
  EXPECT_EQ(file.getFrequencyMultiplier(), 1e6);
  file.setFrequencyUnit(FrequencyUnit::GHz);
  EXPECT_EQ(file.getFrequencyMultiplier(), 1e9);
}

TEST(File, DefaultReferenceImpedancesReplaceTheListButNotTheFlag) {
  File file("x");
  file.setReferenceImpedances({75.0});
  file.setNumberOfPorts(4);
  file.setReferenceResistance(50.0);
  file.setDefaultReferenceImpedances();
  EXPECT_EQ(file.getReferenceImpedances(), std::vector<double>(4, 50.0));
  EXPECT_TRUE(file.getReferenceImpedancesGiven());
  file.setNumberOfPorts(0);
  file.setDefaultReferenceImpedances();
  EXPECT_TRUE(file.getReferenceImpedances().empty());
}

TEST(File, GivenListsSetTheirFlagEvenWhenEqualToTheDefaults) {
  File file("x");
  file.setReferenceImpedances({50.0, 50.0});
  EXPECT_TRUE(file.getReferenceImpedancesGiven());
  file.setMixedModeOrder({{MixedModeKind::SingleEnded, 1, 0}});
  EXPECT_TRUE(file.getMixedModeOrderGiven());
}

TEST(File, DefaultMixedModeOrderIsSingleEndedPerPort) {
  File file("x");
  file.setDefaultMixedModeOrder();
  EXPECT_TRUE(file.getMixedModeOrder().empty());
  file.setNumberOfPorts(3);
  file.setDefaultMixedModeOrder();
  ASSERT_EQ(file.getMixedModeOrder().size(), 3u);
  for (std::uint32_t p = 0; p < 3; ++p) {
    EXPECT_EQ(file.getMixedModeOrder()[p].kind, MixedModeKind::SingleEnded);
    EXPECT_EQ(file.getMixedModeOrder()[p].firstPort, p + 1);
    EXPECT_EQ(file.getMixedModeOrder()[p].secondPort, 0u);
  }
  EXPECT_FALSE(file.getMixedModeOrderGiven());
}

TEST(File, OwnsItsData) {
  File file("x");
  file.setNetworkData(std::make_unique<FullNetworkParams>(2, 1.0, DataFormat::MA));
  file.setNoiseData(std::make_unique<NoiseParams>(1.0));
  EXPECT_EQ(file.getNetworkData()->getNumberOfPorts(), 2u);
  EXPECT_EQ(file.getNoiseData()->pointCount(), 0u);
}

}  // namespace
}  // namespace touchstone2
