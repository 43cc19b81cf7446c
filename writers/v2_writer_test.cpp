#include "writers/v2_writer.h"

#include <gtest/gtest.h>

#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "writers/writer_test_support.h"

namespace touchstone2 {
namespace {

using namespace writer_test;

const char kPreamble[] = "! Touchstone data file\n[Version] 2.0\n";

std::string writeV2(const File& file) {
  std::ostringstream out;
  V2_Writer(file).write(out);
  return out.str();
}

// Element (row, col) holds 10 x (row + 1) + (col + 1), so S23 holds 23, and
// its negative as the second number.
void fillByPosition(NetworkParams& data, std::uint32_t point) {
  std::uint32_t n = data.getNumberOfPorts();
  for (std::uint32_t row = 0; row < n; ++row)
    for (std::uint32_t col = 0; col < n; ++col) {
      double value = 10.0 * (row + 1) + (col + 1);
      data.element(point, row, col).set(value, -value);
    }
}

TEST(V2WriterTest, OnePort) {
  auto file = makeFile(1);
  auto data = makeFull(*file);
  data->addFrequency(1);
  data->element(0, 0, 0).set(0.5, -10);
  data->addFrequency(2.5);
  data->element(1, 0, 0).set(0, 45);
  file->setNetworkData(std::move(data));

  EXPECT_EQ(writeV2(*file), std::string(kPreamble) +
                                "# GHz S MA R 50\n"
                                "[Number of Ports] 1\n"
                                "[Number of Frequencies] 2\n"
                                "\n[Network Data]\n" +
                                kHeaderStart + pair("S11mag", "S11ang") + "\n" + col("1") +
                                pair("0.5", "-10") + "\n" + col("2.5") + pair("0", "45") +
                                "\n"
                                "\n[End]\n");
}

TEST(V2WriterTest, TwoPortRowByRowWithNoise) {
  auto file = makeFile(2, ParameterType::S, DataFormat::RI);
  file->setTwoPortDataOrder(TwoPortDataOrder::Order21_12);
  auto data = makeFull(*file);
  data->addFrequency(1);
  fillByPosition(*data, 0);
  file->setNetworkData(std::move(data));
  auto noise = std::make_unique<NoiseParams>(1e9);
  noise->addPoint(1, 0.5, 0.3, -45, 25);
  file->setNoiseData(std::move(noise));

  EXPECT_EQ(writeV2(*file),
            std::string(kPreamble) +
                "# GHz S RI R 50\n"
                "[Number of Ports] 2\n"
                "[Two-Port Data Order] 12_21\n"
                "[Number of Frequencies] 1\n"
                "[Number of Noise Frequencies] 1\n"
                "\n[Network Data]\n" +
                kHeaderStart + pair("S11re", "S11im") + pair("S12re", "S12im") +
                pair("S21re", "S21im") + pair("S22re", "S22im") + "\n" + col("1") +
                pair("11", "-11") + pair("12", "-12") + pair("21", "-21") + pair("22", "-22") +
                "\n"
                "\n[Noise Data]\n"
                "1         0.5  0.3  -45  25\n"
                "\n[End]\n");
}

TEST(V2WriterTest, FourPortsOneMatrixRowPerLine) {
  auto file = makeFile(4, ParameterType::Y, DataFormat::DB);
  auto data = makeFull(*file);
  data->addFrequency(5);
  fillByPosition(*data, 0);
  file->setNetworkData(std::move(data));

  std::string expected =
      std::string(kPreamble) +
      "# GHz Y DB R 50\n"
      "[Number of Ports] 4\n"
      "[Number of Frequencies] 1\n"
      "\n[Network Data]\n" +
      kHeaderStart + pair("Y11dB", "Y11ang") + pair("Y12dB", "Y12ang") +
      pair("Y13dB", "Y13ang") + pair("Y14dB", "Y14ang") + "\n" +
      bang() + pair("Y21dB", "Y21ang") + pair("Y22dB", "Y22ang") + pair("Y23dB", "Y23ang") +
      pair("Y24dB", "Y24ang") + "\n" +
      bang() + pair("Y31dB", "Y31ang") + pair("Y32dB", "Y32ang") + pair("Y33dB", "Y33ang") +
      pair("Y34dB", "Y34ang") + "\n" +
      bang() + pair("Y41dB", "Y41ang") + pair("Y42dB", "Y42ang") + pair("Y43dB", "Y43ang") +
      pair("Y44dB", "Y44ang") + "\n" +
      col("5") + pair("11", "-11") + pair("12", "-12") + pair("13", "-13") +
      pair("14", "-14") + "\n" +
      indent() + pair("21", "-21") + pair("22", "-22") + pair("23", "-23") +
      pair("24", "-24") + "\n" +
      indent() + pair("31", "-31") + pair("32", "-32") + pair("33", "-33") +
      pair("34", "-34") + "\n" +
      indent() + pair("41", "-41") + pair("42", "-42") + pair("43", "-43") +
      pair("44", "-44") + "\n"
      "\n[End]\n";
  EXPECT_EQ(writeV2(*file), expected);
}

TEST(V2WriterTest, UpperTriangleIsWrittenAsFullMatrix) {
  auto file = makeFile(3, ParameterType::Z, DataFormat::MA);
  file->setMatrixFormat(MatrixFormat::Upper);
  auto data = std::make_unique<SymmetricNetworkParams>(3, 1e9, DataFormat::MA);
  data->addFrequency(0);
  for (std::uint32_t row = 0; row < 3; ++row)
    for (std::uint32_t col = row; col < 3; ++col) {
      double value = 10.0 * (row + 1) + (col + 1);
      data->element(0, row, col).set(value, -value);
    }
  file->setNetworkData(std::move(data));

  std::string text = writeV2(*file);
  std::string rows = col("0") + pair("11", "-11") + pair("12", "-12") + pair("13", "-13") +
                     "\n" + indent() + pair("12", "-12") + pair("22", "-22") +
                     pair("23", "-23") + "\n" + indent() + pair("13", "-13") +
                     pair("23", "-23") + pair("33", "-33") + "\n\n[End]\n";
  ASSERT_GE(text.size(), rows.size());
  EXPECT_EQ(text.substr(text.size() - rows.size()), rows);
  EXPECT_EQ(text.find("[Matrix Format]"), std::string::npos);
}

TEST(V2WriterTest, HeaderNamesOfEachFormat) {
  struct Case {
    DataFormat format;
    const char* first;
    const char* second;
  };
  for (Case c : {Case{DataFormat::DB, "S11dB", "S11ang"}, Case{DataFormat::MA, "S11mag", "S11ang"},
                 Case{DataFormat::RI, "S11re", "S11im"}}) {
    auto file = makeFile(1, ParameterType::S, c.format);
    auto data = makeFull(*file);
    data->addFrequency(1);
    file->setNetworkData(std::move(data));
    std::string header = kHeaderStart + pair(c.first, c.second) + "\n";
    EXPECT_NE(writeV2(*file).find("\n[Network Data]\n" + header), std::string::npos)
        << c.first;
  }
}

TEST(V2WriterTest, ParameterLettersOfHeader) {
  struct Case {
    ParameterType type;
    const char* label;
  };
  for (Case c : {Case{ParameterType::Y, "Y11re"}, Case{ParameterType::Z, "Z11re"},
                 Case{ParameterType::H, "H11re"}, Case{ParameterType::G, "G11re"}}) {
    auto file = makeFile(1, c.type, DataFormat::RI);
    auto data = makeFull(*file);
    data->addFrequency(1);
    file->setNetworkData(std::move(data));
    EXPECT_NE(writeV2(*file).find(kHeaderStart + ("  " + col(c.label))), std::string::npos)
        << c.label;
  }
}

TEST(V2WriterTest, NeverNormalises) {
  for (ParameterType type : {ParameterType::Y, ParameterType::Z, ParameterType::H,
                             ParameterType::G}) {
    for (DataFormat format : {DataFormat::DB, DataFormat::MA, DataFormat::RI}) {
      auto file = makeFile(2, type, format, 100);
      auto data = makeFull(*file);
      data->addFrequency(1);
      for (std::uint32_t row = 0; row < 2; ++row)
        for (std::uint32_t col = 0; col < 2; ++col)
          data->element(0, row, col).set(-3, 0.25);
      file->setNetworkData(std::move(data));
      std::string line = "\n" + col("1") + pair("-3", "0.25") + pair("-3", "0.25") +
                         pair("-3", "0.25") + pair("-3", "0.25") + "\n";
      EXPECT_NE(writeV2(*file).find(line), std::string::npos);
    }
  }
}

TEST(V2WriterTest, NoiseResistanceAsStored) {
  auto file = makeFile(2, ParameterType::S, DataFormat::MA, 75.5);
  auto data = makeFull(*file);
  data->addFrequency(1e9);
  file->setNetworkData(std::move(data));
  file->setFrequencyUnit(FrequencyUnit::Hz);
  auto noise = std::make_unique<NoiseParams>(1.0);
  noise->addPoint(1e9, 0.75, 0.5, 120, 37.75);
  noise->addPoint(2e9, 1.25, 0.5, -120, 1e-05);
  file->setNoiseData(std::move(noise));

  std::string text = writeV2(*file);
  EXPECT_NE(text.find("# Hz S MA R 75.5\n"), std::string::npos);
  EXPECT_NE(text.find(col("1000000000") + pair("0", "0") + pair("0", "0") + pair("0", "0") +
                      pair("0", "0") + "\n"),
            std::string::npos);
  std::string tail =
      "\n[Noise Data]\n"
      "1e+09     0.75  0.5  120  37.75\n"
      "2e+09     1.25  0.5  -120  1e-05\n"
      "\n[End]\n";
  ASSERT_GE(text.size(), tail.size());
  EXPECT_EQ(text.substr(text.size() - tail.size()), tail);
}

TEST(V2WriterTest, ReferenceAndMixedModeOrderLines) {
  auto file = makeFile(3);
  file->setReferenceImpedances({50, 75.5, 1e9});
  std::vector<MixedModeDescriptor> order = {{MixedModeKind::Differential, 1, 2},
                                            {static_cast<MixedModeKind>(7), 4, 5},
                                            {MixedModeKind::Common, 1, 2},
                                            {MixedModeKind::SingleEnded, 3, 0}};
  file->setMixedModeOrder(order);
  auto data = makeFull(*file);
  data->addFrequency(1);
  file->setNetworkData(std::move(data));

  std::string head = std::string(kPreamble) +
                     "# GHz S MA R 50\n"
                     "[Number of Ports] 3\n"
                     "[Number of Frequencies] 1\n"
                     "[Reference] 50 75.5 1e+09\n"
                     "[Mixed-Mode Order] D1,2 C1,2 S3\n"
                     "\n[Network Data]\n";
  EXPECT_EQ(writeV2(*file).substr(0, head.size()), head);
}

// No ports, no network container, or a container without points: v2.0 has
// no form for any of them, and nothing is written before the refusal.
TEST(V2WriterTest, RefusesAFileWithoutNetworkData) {
  auto noPorts = makeFile(0);
  auto noContainer = makeFile(2);
  noContainer->setNoiseData(std::make_unique<NoiseParams>(1e9));
  auto noPoints = makeFile(2);
  noPoints->setNetworkData(makeFull(*noPoints));
  for (const File* file : {noPorts.get(), noContainer.get(), noPoints.get()}) {
    std::ostringstream out;
    EXPECT_THROW(V2_Writer(*file).write(out), std::runtime_error);
    EXPECT_EQ(out.str(), "");
  }
}

TEST(V2WriterTest, CountsAreOfDataHeldNotDeclared) {
  auto file = makeFile(1);
  file->setNumberOfFrequencies(7);
  file->setNumberOfNoiseFrequencies(9);
  auto data = makeFull(*file);
  data->addFrequency(1);
  file->setNetworkData(std::move(data));
  std::string text = writeV2(*file);
  EXPECT_NE(text.find("[Number of Frequencies] 1\n"), std::string::npos);
  EXPECT_EQ(text.find("[Number of Noise Frequencies]"), std::string::npos);
}

}  // namespace
}  // namespace touchstone2
