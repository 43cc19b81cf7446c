#include "app/describe.h"

#include <cmath>
#include <limits>
#include <memory>
#include <sstream>
#include <streambuf>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "model/full_network_params.h"
#include "model/symmetric_network_params.h"

namespace touchstone2 {
namespace {

std::string describeToString(const File& file) {
  std::ostringstream out;
  describe(file, out);
  return out.str();
}

// A file as a v1 parse leaves it: one reference resistance for every port and
// the default mixed-mode order.
void setV1Defaults(File& file, std::uint32_t ports, FrequencyUnit unit, ParameterType type,
                   DataFormat format) {
  file.setVersion(File::kVersion1);
  file.setFrequencyUnit(unit);
  file.setParameterType(type);
  file.setFormat(format);
  file.setReferenceResistance(50.0);
  file.setNumberOfPorts(ports);
  file.setMatrixFormat(MatrixFormat::Full);
  file.setDefaultReferenceImpedances();
  file.setDefaultMixedModeOrder();
  file.setValid();
}

const char kOnePortHead[] =
    "------- TOUCHSTONE FILE -------\n"
    "filename: one.s1p\n"
    "version: 1\n"
    "\n"
    "OPTIONS\n"
    "  frequency unit: Hz\n"
    "  contents: S-parameters\n"
    "  complex number representation: real-imaginary\n"
    "\n"
    "PORTS\n"
    "  number: 1\n"
    "  reference impedance:\n"
    "    (all ports use the same value)\n"
    "    Z0[1] = 50 Ohms\n"
    "\n"
    "MIXED MODE\n"
    "  (default setup)\n"
    "  matrix row/column 1: single-ended data for port 1\n"
    "\n"
    "NETWORK PARAMETERS\n";

TEST(DescribeTest, OnePortRealImaginary) {
  File file("one.s1p");
  setV1Defaults(file, 1, FrequencyUnit::Hz, ParameterType::S, DataFormat::RI);
  auto data = std::make_unique<FullNetworkParams>(1, 1.0, DataFormat::RI);
  data->element(static_cast<std::uint32_t>(data->addFrequency(100)), 0, 0).set(0.5, -0.25);
  data->element(static_cast<std::uint32_t>(data->addFrequency(250.5)), 0, 0).set(-1e-05, 3);
  file.setNetworkData(std::move(data));

  EXPECT_EQ(std::string(kOnePortHead) +
                "  frequency points: 2\n"
                "\n"
                "  frequency point #1: 100 Hz\n"
                "    S[1,1] = 0.5          - 0.25        j\n"
                "\n"
                "  frequency point #2: 250.5 Hz\n"
                "    S[1,1] = -1e-05       + 3           j\n"
                "-------------------------------\n",
            describeToString(file));
}

TEST(DescribeTest, NoNetworkData) {
  File file("one.s1p");
  setV1Defaults(file, 1, FrequencyUnit::Hz, ParameterType::S, DataFormat::RI);
  EXPECT_EQ(std::string(kOnePortHead) +
                "  <none>\n"
                "-------------------------------\n",
            describeToString(file));
}

TEST(DescribeTest, ZeroPoints) {
  File file("one.s1p");
  setV1Defaults(file, 1, FrequencyUnit::Hz, ParameterType::S, DataFormat::RI);
  file.setNetworkData(std::make_unique<FullNetworkParams>(1, 1.0, DataFormat::RI));
  EXPECT_EQ(std::string(kOnePortHead) +
                "  frequency points: 0\n"
                "-------------------------------\n",
            describeToString(file));
}

// A 2-port v2.0 file in GHz and MA with [Reference] and noise data.
TEST(DescribeTest, TwoPortMagnitudeAngleWithReferenceAndNoise) {
  File file("amp.s2p");
  file.setVersion(File::kVersion2);
  file.setFrequencyUnit(FrequencyUnit::GHz);
  file.setParameterType(ParameterType::Z);
  file.setFormat(DataFormat::MA);
  file.setReferenceResistance(50.0);
  file.setNumberOfPorts(2);
  file.setReferenceImpedances({50.0, 75.25});
  file.setDefaultMixedModeOrder();
  auto data = std::make_unique<FullNetworkParams>(2, 1e9, DataFormat::MA);
  std::uint32_t k = static_cast<std::uint32_t>(data->addFrequency(1.5));
  data->element(k, 0, 0).set(1, 0);
  data->element(k, 0, 1).set(2, 90);    // cos(pi/2) leaves a rounding residue
  data->element(k, 1, 0).set(1, 180);
  data->element(k, 1, 1).set(0.5, -90);
  file.setNetworkData(std::move(data));
  auto noise = std::make_unique<NoiseParams>(1e9);
  noise->addPoint(1.5, 0.75, 0.3, -45.5, 12.5);
  noise->addPoint(2, 1e-05, 0, 180, 1234567);
  file.setNoiseData(std::move(noise));
  file.setValid();

  EXPECT_EQ(
      "------- TOUCHSTONE FILE -------\n"
      "filename: amp.s2p\n"
      "version: 2.0\n"
      "\n"
      "OPTIONS\n"
      "  frequency unit: GHz\n"
      "  contents: Z-parameters\n"
      "  complex number representation: magnitude-angle\n"
      "\n"
      "PORTS\n"
      "  number: 2\n"
      "  reference impedance:\n"
      "    Z0[1] = 50 Ohms\n"
      "    Z0[2] = 75.25 Ohms\n"
      "\n"
      "MIXED MODE\n"
      "  (default setup)\n"
      "  matrix row/column 1: single-ended data for port 1\n"
      "  matrix row/column 2: single-ended data for port 2\n"
      "\n"
      "NETWORK PARAMETERS\n"
      "  frequency points: 1\n"
      "\n"
      "  frequency point #1: 1.5e+09 Hz\n"
      "    Z[1,1] = 1            + 0           j\n"
      "    Z[1,2] = 1.22465e-16  + 2           j\n"
      "    Z[2,1] = -1           + 1.22465e-16 j\n"
      "    Z[2,2] = 3.06162e-17  - 0.5         j\n"
      "\n"
      "NOISE PARAMETERS\n"
      "  frequency points: 2\n"
      "\n"
      "  frequency point #1: 1.5e+09 Hz\n"
      "    minimum noise figure: 0.75 dB\n"
      "    source reflection coefficient: 0.3, at -45.5 degrees\n"
      "    effective noise impedance: 12.5 Ohms\n"
      "\n"
      "  frequency point #2: 2e+09 Hz\n"
      "    minimum noise figure: 1e-05 dB\n"
      "    source reflection coefficient: 0, at 180 degrees\n"
      "    effective noise impedance: 1.23457e+06 Ohms\n"
      "-------------------------------\n",
      describeToString(file));
}

const char kTwoPortHead[] =
    "------- TOUCHSTONE FILE -------\n"
    "filename: dut.s2p\n"
    "version: 1\n"
    "\n"
    "OPTIONS\n"
    "  frequency unit: MHz\n"
    "  contents: H-parameters\n"
    "  complex number representation: decibel-angle\n"
    "\n"
    "PORTS\n"
    "  number: 2\n"
    "  reference impedance:\n"
    "    (all ports use the same value)\n"
    "    Z0[1] = 50 Ohms\n"
    "    Z0[2] = 50 Ohms\n"
    "\n"
    "MIXED MODE\n"
    "  (default setup)\n"
    "  matrix row/column 1: single-ended data for port 1\n"
    "  matrix row/column 2: single-ended data for port 2\n"
    "\n"
    "NETWORK PARAMETERS\n";

TEST(DescribeTest, TwoPortDecibelAngleWithoutNoise) {
  File file("dut.s2p");
  setV1Defaults(file, 2, FrequencyUnit::MHz, ParameterType::H, DataFormat::DB);
  auto data = std::make_unique<FullNetworkParams>(2, 1e6, DataFormat::DB);
  std::uint32_t k = static_cast<std::uint32_t>(data->addFrequency(0));
  data->element(k, 0, 0).set(0, 0);
  data->element(k, 0, 1).set(20, 180);
  data->element(k, 1, 0).set(-6.0206, 0);
  // (1, 1) stays untouched: 0 dB is magnitude 1.
  file.setNetworkData(std::move(data));

  EXPECT_EQ(std::string(kTwoPortHead) +
                "  frequency points: 1\n"
                "\n"
                "  frequency point #1: 0 Hz\n"
                "    H[1,1] = 1            + 0           j\n"
                "    H[1,2] = -10          + 1.22465e-15 j\n"
                "    H[2,1] = 0.5          + 0           j\n"
                "    H[2,2] = 1            + 0           j\n"
                "\n"
                "NOISE PARAMETERS\n"
                "  <none>\n"
                "-------------------------------\n",
            describeToString(file));
}

TEST(DescribeTest, TwoPortWithEmptyNoiseContainer) {
  File file("dut.s2p");
  setV1Defaults(file, 2, FrequencyUnit::MHz, ParameterType::H, DataFormat::DB);
  file.setNetworkData(std::make_unique<FullNetworkParams>(2, 1e6, DataFormat::DB));
  file.setNoiseData(std::make_unique<NoiseParams>(1e6));

  EXPECT_EQ(std::string(kTwoPortHead) +
                "  frequency points: 0\n"
                "\n"
                "NOISE PARAMETERS\n"
                "  frequency points: 0\n"
                "-------------------------------\n",
            describeToString(file));
}

TEST(DescribeTest, ImaginarySigns) {
  File file("signs.s1p");
  setV1Defaults(file, 1, FrequencyUnit::Hz, ParameterType::Y, DataFormat::RI);
  auto data = std::make_unique<FullNetworkParams>(1, 1.0, DataFormat::RI);
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double values[][2] = {{0.0, 0.0},  {0.0, -0.0},      {-0.0, 1.0},
                              {2.0, -3.5}, {123456789, nan}, {1e-300, -1e+300}};
  for (const auto& v : values)
    data->element(static_cast<std::uint32_t>(data->addFrequency(data->frequencyCount())), 0, 0)
        .set(v[0], v[1]);
  file.setNetworkData(std::move(data));

  std::string text = describeToString(file);
  // Zero and negative zero take the "+" branch; negative zero keeps its sign.
  EXPECT_NE(std::string::npos, text.find("\n    Y[1,1] = 0            + 0           j\n"));
  EXPECT_NE(std::string::npos, text.find("\n    Y[1,1] = 0            + -0          j\n"));
  EXPECT_NE(std::string::npos, text.find("\n    Y[1,1] = -0           + 1           j\n"));
  EXPECT_NE(std::string::npos, text.find("\n    Y[1,1] = 2            - 3.5         j\n"));
  EXPECT_NE(std::string::npos, text.find("\n    Y[1,1] = 1.23457e+08  + nan         j\n"));
  EXPECT_NE(std::string::npos, text.find("\n    Y[1,1] = 1e-300       - 1e+300      j\n"));
  EXPECT_NE(std::string::npos, text.find("\n  frequency point #6: 5 Hz\n"));
}

TEST(DescribeTest, LongNumbersAreNotCut) {
  File file("long.s1p");
  setV1Defaults(file, 1, FrequencyUnit::Hz, ParameterType::S, DataFormat::RI);
  auto data = std::make_unique<FullNetworkParams>(1, 1.0, DataFormat::RI);
  data->element(static_cast<std::uint32_t>(data->addFrequency(1)), 0, 0)
      .set(-1.234567e-100, -9.87654321e+200);
  file.setNetworkData(std::move(data));
  EXPECT_NE(std::string::npos,
            describeToString(file).find("    S[1,1] = -1.23457e-100 - 9.87654e+200j\n"));
}

TEST(DescribeTest, FourPortMixedModeSymmetricKilohertz) {
  File file("bal.s4p");
  file.setVersion(File::kVersion2);
  file.setFrequencyUnit(FrequencyUnit::kHz);
  file.setParameterType(ParameterType::Y);
  file.setFormat(DataFormat::RI);
  file.setReferenceResistance(50.0);
  file.setNumberOfPorts(4);
  file.setMatrixFormat(MatrixFormat::Upper);
  file.setDefaultReferenceImpedances();
  file.setMixedModeOrder({{MixedModeKind::Differential, 1, 2},
                          {MixedModeKind::Common, 1, 2},
                          {MixedModeKind::SingleEnded, 3, 0},
                          {MixedModeKind::SingleEnded, 4, 0}});
  auto data = std::make_unique<SymmetricNetworkParams>(4, 1000.0, DataFormat::RI);
  std::uint32_t k = static_cast<std::uint32_t>(data->addFrequency(2.5));
  // Only the upper triangle is set, as the parser does for Upper.
  for (std::uint32_t i = 0; i < 4; ++i)
    for (std::uint32_t j = i; j < 4; ++j)
      data->element(k, i, j).set(10.0 * (i + 1) + (j + 1), i == j ? 0.0 : -0.5 * (j - i));
  file.setNetworkData(std::move(data));
  file.setValid();

  EXPECT_EQ(
      "------- TOUCHSTONE FILE -------\n"
      "filename: bal.s4p\n"
      "version: 2.0\n"
      "\n"
      "OPTIONS\n"
      "  frequency unit: kHz\n"
      "  contents: Y-parameters\n"
      "  complex number representation: real-imaginary\n"
      "\n"
      "PORTS\n"
      "  number: 4\n"
      "  reference impedance:\n"
      "    (all ports use the same value)\n"
      "    Z0[1] = 50 Ohms\n"
      "    Z0[2] = 50 Ohms\n"
      "    Z0[3] = 50 Ohms\n"
      "    Z0[4] = 50 Ohms\n"
      "\n"
      "MIXED MODE\n"
      "  matrix row/column 1: differential-mode data for ports 1 and 2\n"
      "  matrix row/column 2: common-mode data for ports 1 and 2\n"
      "  matrix row/column 3: single-ended data for port 3\n"
      "  matrix row/column 4: single-ended data for port 4\n"
      "\n"
      "NETWORK PARAMETERS\n"
      "  frequency points: 1\n"
      "\n"
      "  frequency point #1: 2500 Hz\n"
      "    Y[1,1] = 11           + 0           j\n"
      "    Y[1,2] = 12           - 0.5         j\n"
      "    Y[1,3] = 13           - 1           j\n"
      "    Y[1,4] = 14           - 1.5         j\n"
      "    Y[2,1] = 12           - 0.5         j\n"
      "    Y[2,2] = 22           + 0           j\n"
      "    Y[2,3] = 23           - 0.5         j\n"
      "    Y[2,4] = 24           - 1           j\n"
      "    Y[3,1] = 13           - 1           j\n"
      "    Y[3,2] = 23           - 0.5         j\n"
      "    Y[3,3] = 33           + 0           j\n"
      "    Y[3,4] = 34           - 0.5         j\n"
      "    Y[4,1] = 14           - 1.5         j\n"
      "    Y[4,2] = 24           - 1           j\n"
      "    Y[4,3] = 34           - 0.5         j\n"
      "    Y[4,4] = 44           + 0           j\n"
      "-------------------------------\n",
      describeToString(file));
}

TEST(DescribeTest, MixedModeGivenAsSingleEndedHasNoDefaultLine) {
  File file("se.s2p");
  file.setVersion(File::kVersion2);
  file.setNumberOfPorts(0);
  file.setMixedModeOrder({{MixedModeKind::SingleEnded, 2, 0},
                          {MixedModeKind::SingleEnded, 1, 0},
                          {static_cast<MixedModeKind>(7), 1, 2}});
  std::string text = describeToString(file);
  EXPECT_NE(std::string::npos,
            text.find("\nMIXED MODE\n"
                      "  matrix row/column 1: single-ended data for port 2\n"
                      "  matrix row/column 2: single-ended data for port 1\n"
                      "  matrix row/column 3: \n"
                      "\nNETWORK PARAMETERS\n"));
}

TEST(DescribeTest, UnsetAndUnknownValues) {
  File unset("");
  EXPECT_EQ(
      "------- TOUCHSTONE FILE -------\n"
      "filename: \n"
      "version: <unknown>\n"
      "\n"
      "OPTIONS\n"
      "  frequency unit: <unknown>\n"
      "  contents: <unknown>\n"
      "  complex number representation: <unknown>\n"
      "\n"
      "PORTS\n"
      "  number: 0\n"
      "  reference impedance:\n"
      "    (all ports use the same value)\n"
      "\n"
      "MIXED MODE\n"
      "  (default setup)\n"
      "\n"
      "NETWORK PARAMETERS\n"
      "  <none>\n"
      "-------------------------------\n",
      describeToString(unset));

  File unknown("odd");
  unknown.setVersion(0x30000);
  unknown.setFrequencyUnit(static_cast<FrequencyUnit>(5));
  unknown.setParameterType(static_cast<ParameterType>(6));
  unknown.setFormat(static_cast<DataFormat>(4));
  unknown.setNumberOfPorts(4000000000u);
  EXPECT_NE(std::string::npos, describeToString(unknown).find(
                                   "version: \n\n"
                                   "OPTIONS\n"
                                   "  frequency unit: \n"
                                   "  contents: \n"
                                   "  complex number representation: \n"
                                   "\n"
                                   "PORTS\n"
                                   "  number: 4000000000\n"));
}

TEST(DescribeTest, LabelLetterFollowsParameterType) {
  struct Case {
    std::uint32_t type;
    const char* line;
  };
  for (Case c : {Case{0, "    _[1,1] = "}, Case{1, "    S[1,1] = "}, Case{2, "    Y[1,1] = "},
                 Case{3, "    Z[1,1] = "}, Case{4, "    H[1,1] = "}, Case{5, "    G[1,1] = "},
                 Case{6, "    [1,1] = "}}) {
    File file("x.s1p");
    file.setParameterType(static_cast<ParameterType>(c.type));
    file.setNumberOfPorts(1);
    auto data = std::make_unique<FullNetworkParams>(1, 1.0, DataFormat::RI);
    data->addFrequency(1);
    file.setNetworkData(std::move(data));
    EXPECT_NE(std::string::npos, describeToString(file).find(std::string("\n") + c.line + "0 "))
        << c.type;
  }
}

TEST(DescribeTest, OnlyTwoPortFilesHaveANoiseSection) {
  for (std::uint32_t ports : {1u, 3u, 4u}) {
    File file("x");
    file.setNumberOfPorts(ports);
    // Even a stray noise container is not shown for other port counts.
    file.setNoiseData(std::make_unique<NoiseParams>(1.0));
    EXPECT_EQ(std::string::npos, describeToString(file).find("NOISE")) << ports;
  }
}

TEST(DescribeTest, DescriptionDoesNotDependOnStreamState) {
  File file("one.s1p");
  setV1Defaults(file, 1, FrequencyUnit::GHz, ParameterType::S, DataFormat::RI);
  auto data = std::make_unique<FullNetworkParams>(1, 1e9, DataFormat::RI);
  data->element(static_cast<std::uint32_t>(data->addFrequency(1.5)), 0, 0).set(0.125, 2);
  file.setNetworkData(std::move(data));
  std::ostringstream plain;
  describe(file, plain);
  std::ostringstream tampered;
  tampered.precision(2);
  tampered.setf(std::ios::fixed | std::ios::showpos);
  tampered.width(30);
  tampered.fill('*');
  describe(file, tampered);
  EXPECT_EQ(plain.str(), tampered.str());
  EXPECT_NE(std::string::npos,
            plain.str().find("  frequency point #1: 1.5e+09 Hz\n"
                             "    S[1,1] = 0.125        + 2           j\n"));
}

// Accepts a fixed number of characters, then fails like a full disk.
class LimitedBuffer : public std::streambuf {
 public:
  explicit LimitedBuffer(std::size_t room) : room_(room) {}
  std::size_t syncs = 0;

 protected:
  int_type overflow(int_type c) override {
    if (traits_type::eq_int_type(c, traits_type::eof()))
      return traits_type::not_eof(c);
    if (room_ == 0)
      return traits_type::eof();
    --room_;
    return c;
  }
  std::streamsize xsputn(const char*, std::streamsize n) override {
    std::streamsize taken = std::min<std::streamsize>(n, static_cast<std::streamsize>(room_));
    room_ -= static_cast<std::size_t>(taken);
    return taken;
  }
  int sync() override {
    ++syncs;
    return 0;
  }

 private:
  std::size_t room_;
};

TEST(DescribeTest, FailingStreamEndsTheDescriptionQuietly) {
  File file("many.s2p");
  setV1Defaults(file, 2, FrequencyUnit::Hz, ParameterType::S, DataFormat::MA);
  auto data = std::make_unique<FullNetworkParams>(2, 1.0, DataFormat::MA);
  for (int i = 0; i < 1000; ++i)
    data->addFrequency(i);
  file.setNetworkData(std::move(data));
  LimitedBuffer buffer(300);
  std::ostream out(&buffer);
  describe(file, out);
  EXPECT_TRUE(out.bad());
  // The closing line end was never reached, so no flush was asked for.
  EXPECT_EQ(0u, buffer.syncs);
}

TEST(DescribeTest, EndsWithAFlush) {
  File file("x");
  LimitedBuffer buffer(100000);
  std::ostream out(&buffer);
  describe(file, out);
  EXPECT_TRUE(out.good());
  EXPECT_EQ(1u, buffer.syncs);
}

}  // namespace
}  // namespace touchstone2
