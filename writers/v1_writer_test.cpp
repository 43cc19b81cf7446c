#include "writers/v1_writer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "writers/writer_test_support.h"

namespace touchstone2 {
namespace {

using namespace writer_test;

const char kFirstLine[] = "! Touchstone data file\n";

std::string writeV1(const File& file) {
  std::ostringstream out;
  V1_Writer(file).write(out);
  return out.str();
}

std::string refusal(const File& file, std::string& written) {
  std::ostringstream out;
  try {
    V1_Writer(file).write(out);
  } catch (const std::runtime_error& error) {
    written = out.str();
    return error.what();
  }
  written = out.str();
  return "no exception";
}

// Every element of a one-point file holds the same pair.
std::unique_ptr<File> uniformFile(std::uint32_t ports, ParameterType type, DataFormat format,
                                  double resistance, double first, double second) {
  auto file = makeFile(ports, type, format, resistance);
  auto data = makeFull(*file);
  data->addFrequency(1);
  for (std::uint32_t row = 0; row < ports; ++row)
    for (std::uint32_t col = 0; col < ports; ++col)
      data->element(0, row, col).set(first, second);
  file->setNetworkData(std::move(data));
  return file;
}

TEST(V1WriterTest, OnePort) {
  auto file = makeFile(1);
  auto data = makeFull(*file);
  data->addFrequency(1);
  data->element(0, 0, 0).set(0.5, -10);
  data->addFrequency(2);
  data->element(1, 0, 0).set(0, 0);
  file->setNetworkData(std::move(data));

  EXPECT_EQ(writeV1(*file), std::string(kFirstLine) + "# GHz S MA R 50\n" + kHeaderStart +
                                pair("S11mag", "S11ang") + "\n" + col("1") + pair("0.5", "-10") +
                                "\n" + col("2") + pair("0", "0") + "\n");
}

TEST(V1WriterTest, TwoPortColumnFirstWithNoise) {
  auto file = makeFile(2, ParameterType::S, DataFormat::RI, 100);
  auto data = makeFull(*file);
  data->addFrequency(1);
  data->element(0, 0, 0).set(11, -11);
  data->element(0, 0, 1).set(12, -12);
  data->element(0, 1, 0).set(21, -21);
  data->element(0, 1, 1).set(22, -22);
  file->setNetworkData(std::move(data));
  auto noise = std::make_unique<NoiseParams>(1e9);
  noise->addPoint(1, 0.5, 0.3, -45, 25);
  noise->addPoint(2, 0.75, 0.25, 90, 1e9);
  file->setNoiseData(std::move(noise));

  EXPECT_EQ(writeV1(*file),
            std::string(kFirstLine) + "# GHz S RI R 100\n" + kHeaderStart +
                pair("S11re", "S11im") + pair("S21re", "S21im") + pair("S12re", "S12im") +
                pair("S22re", "S22im") + "\n" + col("1") + pair("11", "-11") +
                pair("21", "-21") + pair("12", "-12") + pair("22", "-22") + "\n" +
                "\n! NOISE PARAMETERS\n"
                "1         0.5  0.3  -45  0.25\n"
                "2         0.75  0.25  90  1e+07\n");
}

TEST(V1WriterTest, FivePortsWrapAfterFourPairs) {
  auto file = makeFile(5, ParameterType::S, DataFormat::MA);
  auto data = makeFull(*file);
  data->addFrequency(1e-05);
  data->element(0, 0, 4).set(0.5, 15);
  data->element(0, 4, 0).set(0.25, -15);
  file->setNetworkData(std::move(data));

  std::string zero = pair("0", "0");
  std::string fourZeros = zero + zero + zero + zero;
  std::string expectedData = col("1e-05") + fourZeros + "\n" + indent() + pair("0.5", "15") +
                             "\n" + indent() + fourZeros + "\n" + indent() + zero + "\n" +
                             indent() + fourZeros + "\n" + indent() + zero + "\n" + indent() +
                             fourZeros + "\n" + indent() + zero + "\n" + indent() + pair("0.25", "-15") +
                             zero + zero + zero + "\n" + indent() + zero + "\n";
  std::string text = writeV1(*file);
  ASSERT_GE(text.size(), expectedData.size());
  EXPECT_EQ(text.substr(text.size() - expectedData.size()), expectedData);

  std::string headerStart = std::string(kFirstLine) + "# GHz S MA R 50\n" + kHeaderStart +
                            pair("S11mag", "S11ang") + pair("S12mag", "S12ang") +
                            pair("S13mag", "S13ang") + pair("S14mag", "S14ang") + "\n" + bang() +
                            pair("S15mag", "S15ang") + "\n" + bang() + pair("S21mag", "S21ang");
  EXPECT_EQ(text.substr(0, headerStart.size()), headerStart);
}

TEST(V1WriterTest, TenPortsTakeThreeLinesPerMatrixRow) {
  auto file = makeFile(10, ParameterType::S, DataFormat::MA);
  auto data = makeFull(*file);
  data->addFrequency(2);
  for (std::uint32_t row = 0; row < 10; ++row)
    for (std::uint32_t col = 0; col < 10; ++col) {
      double value = 100.0 * (row + 1) + (col + 1);
      data->element(0, row, col).set(value, -value);
    }
  file->setNetworkData(std::move(data));
  std::string text = writeV1(*file);

  // The lines of one matrix row hold the columns 1-4, 5-8 and 9-10.
  const std::vector<std::vector<int>> groups = {{1, 2, 3, 4}, {5, 6, 7, 8}, {9, 10}};
  std::string header = kHeaderStart;
  std::string rows = col("2");
  for (int row = 1; row <= 10; ++row) {
    for (const std::vector<int>& group : groups) {
      if (row > 1 || group.front() > 1) {
        header += "\n" + bang();
        rows += "\n" + indent();
      }
      for (int column : group) {
        std::string label = "S" + std::to_string(row) + std::to_string(column);
        header += pair(label + "mag", label + "ang");
        std::string value = std::to_string(100 * row + column);
        rows += pair(value, "-" + value);
      }
    }
  }
  EXPECT_EQ(text, std::string(kFirstLine) + "# GHz S MA R 50\n" + header + "\n" + rows + "\n");

  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 2 + 30 + 30);
  std::string pointStart = "\n" + col("2") + pair("101", "-101") + pair("102", "-102") +
                           pair("103", "-103") + pair("104", "-104") + "\n" + indent() +
                           pair("105", "-105") + pair("106", "-106") + pair("107", "-107") +
                           pair("108", "-108") + "\n" + indent() + pair("109", "-109") +
                           pair("110", "-110") + "\n" + indent() + pair("201", "-201");
  EXPECT_NE(text.find(pointStart), std::string::npos);
  std::string headerRowEnd = "\n" + bang() + pair("S109mag", "S109ang") +
                             pair("S1010mag", "S1010ang") + "\n";
  EXPECT_NE(text.find(headerRowEnd), std::string::npos);
}

// The four written pairs of a 2-port file, in the order 11 21 12 22.
struct NormalisationCase {
  ParameterType type;
  DataFormat format;
  double resistance;
  double first;
  double second;
  std::vector<std::vector<std::string>> written;
};

TEST(V1WriterTest, NormalisesToReferenceResistance) {
  using P = ParameterType;
  using F = DataFormat;
  const std::vector<std::string> maUp = {"25", "30"};
  const std::vector<std::string> maDown = {"0.01", "30"};
  const std::vector<std::string> maSame = {"0.5", "30"};
  const std::vector<std::string> riUp = {"25", "-12.5"};
  const std::vector<std::string> riDown = {"0.01", "-0.005"};
  const std::vector<std::string> riSame = {"0.5", "-0.25"};
  const std::vector<std::string> dbUp = {"37", "30"};
  const std::vector<std::string> dbDown = {"-43", "30"};
  const std::vector<std::string> dbSame = {"-3", "30"};
  const std::vector<NormalisationCase> cases = {
      {P::S, F::MA, 50, 0.5, 30, {maSame, maSame, maSame, maSame}},
      {P::S, F::RI, 50, 0.5, -0.25, {riSame, riSame, riSame, riSame}},
      {P::S, F::DB, 100, -3, 30, {dbSame, dbSame, dbSame, dbSame}},
      {P::Y, F::MA, 50, 0.5, 30, {maUp, maUp, maUp, maUp}},
      {P::Y, F::RI, 50, 0.5, -0.25, {riUp, riUp, riUp, riUp}},
      {P::Y, F::DB, 100, -3, 30, {dbUp, dbUp, dbUp, dbUp}},
      {P::Z, F::MA, 50, 0.5, 30, {maDown, maDown, maDown, maDown}},
      {P::Z, F::RI, 50, 0.5, -0.25, {riDown, riDown, riDown, riDown}},
      {P::Z, F::DB, 100, -3, 30, {dbDown, dbDown, dbDown, dbDown}},
      {P::H, F::MA, 50, 0.5, 30, {maDown, maSame, maSame, maUp}},
      {P::H, F::RI, 50, 0.5, -0.25, {riDown, riSame, riSame, riUp}},
      {P::H, F::DB, 100, -3, 30, {dbDown, dbSame, dbSame, dbUp}},
      {P::G, F::MA, 50, 0.5, 30, {maUp, maSame, maSame, maDown}},
      {P::G, F::RI, 50, 0.5, -0.25, {riUp, riSame, riSame, riDown}},
      {P::G, F::DB, 100, -3, 30, {dbUp, dbSame, dbSame, dbDown}},
  };
  for (const NormalisationCase& c : cases) {
    auto file = uniformFile(2, c.type, c.format, c.resistance, c.first, c.second);
    std::string line = "\n" + col("1");
    for (const std::vector<std::string>& written : c.written)
      line += pair(written[0], written[1]);
    line += "\n";
    std::string text = writeV1(*file);
    ASSERT_GE(text.size(), line.size());
    EXPECT_EQ(text.substr(text.size() - line.size()), line)
        << "type " << static_cast<int>(c.type) << " format " << static_cast<int>(c.format);
  }
}

TEST(V1WriterTest, HybridParametersScaleOnlyTheFirstTwoDiagonalPlaces) {
  auto file = uniformFile(3, ParameterType::H, DataFormat::MA, 50, 0.5, 30);
  std::string same = pair("0.5", "30");
  std::string rows = col("1") + pair("0.01", "30") + same + same + "\n" + indent() + same +
                     pair("25", "30") + same + "\n" + indent() + same + same + same + "\n";
  std::string text = writeV1(*file);
  ASSERT_GE(text.size(), rows.size());
  EXPECT_EQ(text.substr(text.size() - rows.size()), rows);
}

TEST(V1WriterTest, LeavesTheFileUnchanged) {
  auto file = uniformFile(2, ParameterType::Z, DataFormat::RI, 50, 0.5, -0.25);
  auto noise = std::make_unique<NoiseParams>(1e9);
  noise->addPoint(1, 0.5, 0.3, -45, 25);
  file->setNoiseData(std::move(noise));

  std::string first = writeV1(*file);
  EXPECT_EQ(writeV1(*file), first);
  ValuePair stored = file->getNetworkData()->element(0, 1, 1).get(DataFormat::RI);
  EXPECT_EQ(stored.first, 0.5);
  EXPECT_EQ(stored.second, -0.25);
  EXPECT_EQ(file->getNoiseData()->noiseResistance(0), 25.0);
  EXPECT_EQ(file->getReferenceResistance(), 50.0);
}

TEST(V1WriterTest, EmptyAndMissingContainersWriteOnlyTheHead) {
  auto file = makeFile(2, ParameterType::S, DataFormat::MA, 75.5);
  EXPECT_EQ(writeV1(*file), std::string(kFirstLine) + "# GHz S MA R 75.5\n");
  file->setNetworkData(makeFull(*file));
  file->setNoiseData(std::make_unique<NoiseParams>(1e9));
  EXPECT_EQ(writeV1(*file), std::string(kFirstLine) + "# GHz S MA R 75.5\n");
}

TEST(V1WriterTest, RefusesReferenceImpedancesFirst) {
  auto file = uniformFile(2, ParameterType::S, DataFormat::MA, 50, 0.5, 30);
  file->setReferenceImpedances({50, 50});
  file->setMixedModeOrder(
      {{MixedModeKind::Differential, 1, 2}, {MixedModeKind::Common, 1, 2}});
  std::string written = "unset";
  EXPECT_EQ(refusal(*file, written), "Touchstone v1 only supports a single reference impedance");
  EXPECT_EQ(written, "");
}

TEST(V1WriterTest, RefusesMixedModeOrder) {
  auto file = uniformFile(2, ParameterType::S, DataFormat::MA, 50, 0.5, 30);
  file->setMixedModeOrder(
      {{MixedModeKind::SingleEnded, 1, 0}, {MixedModeKind::SingleEnded, 2, 0}});
  std::string written = "unset";
  EXPECT_EQ(refusal(*file, written), "Touchstone v1 only supports data in single-ended mode");
  EXPECT_EQ(written, "");
}

}  // namespace
}  // namespace touchstone2
