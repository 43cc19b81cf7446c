#include "writers/writer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ios>
#include <locale>
#include <sstream>
#include <stdexcept>
#include <utility>
#include <vector>

#include "writers/v1_writer.h"
#include "writers/v2_writer.h"
#include "writers/writer_test_support.h"

namespace touchstone2 {
namespace {

using namespace writer_test;

// Opens the shared pieces of the base to the tests and records where the base
// asks for a value to be normalised.
class ProbeWriter : public Writer {
 public:
  using Writer::Writer;
  using Writer::writeNetworkData;
  using Writer::writeNoiseData;
  using Writer::writeOptionLine;

  void write(std::ostream& out) override { writeOptionLine(out); }
  void normalizeValue(double& first, double&, std::uint32_t row,
                      std::uint32_t col) const override {
    calls.emplace_back(row, col);
    first += offset;
  }

  double offset = 0.0;
  mutable std::vector<std::pair<std::uint32_t, std::uint32_t>> calls;
};

std::string optionLine(const File& file) {
  std::ostringstream out;
  ProbeWriter(file).writeOptionLine(out);
  return out.str();
}

template <typename W>
std::string invalidFileMessage() {
  File file("in.s2p");
  try {
    W writer(file);
  } catch (const std::logic_error& error) {
    return error.what();
  }
  return "no exception";
}

TEST(WriterTest, RefusesFileThatIsNotValid) {
  EXPECT_EQ(invalidFileMessage<ProbeWriter>(), "touchstone2::File is not valid");
  EXPECT_EQ(invalidFileMessage<V1_Writer>(), "touchstone2::File is not valid");
  EXPECT_EQ(invalidFileMessage<V2_Writer>(), "touchstone2::File is not valid");
}

TEST(WriterTest, OptionLineOfDefaults) {
  EXPECT_EQ(optionLine(*makeFile(2)), "# GHz S MA R 50\n");
}

TEST(WriterTest, OptionLineWordsOfEveryUnitTypeAndFormat) {
  auto file = makeFile(1, ParameterType::Y, DataFormat::DB, 75.5);
  file->setFrequencyUnit(FrequencyUnit::Hz);
  EXPECT_EQ(optionLine(*file), "# Hz Y DB R 75.5\n");
  file->setFrequencyUnit(FrequencyUnit::kHz);
  file->setParameterType(ParameterType::Z);
  file->setFormat(DataFormat::RI);
  EXPECT_EQ(optionLine(*file), "# kHz Z RI R 75.5\n");
  file->setFrequencyUnit(FrequencyUnit::MHz);
  file->setParameterType(ParameterType::H);
  file->setFormat(DataFormat::MA);
  EXPECT_EQ(optionLine(*file), "# MHz H MA R 75.5\n");
  file->setParameterType(ParameterType::G);
  EXPECT_EQ(optionLine(*file), "# MHz G MA R 75.5\n");
}

TEST(WriterTest, OptionLineResistanceInSixDigits) {
  EXPECT_EQ(optionLine(*makeFile(1, ParameterType::S, DataFormat::MA, 1e9)),
            "# GHz S MA R 1e+09\n");
  EXPECT_EQ(optionLine(*makeFile(1, ParameterType::S, DataFormat::MA, 1e-05)),
            "# GHz S MA R 1e-05\n");
  EXPECT_EQ(optionLine(*makeFile(1, ParameterType::S, DataFormat::MA, 123456789.0)),
            "# GHz S MA R 1.23457e+08\n");
}

TEST(WriterTest, OptionLineLeavesOutWhatWasNotGiven) {
  File file("in.s1p");
  file.setValid();
  EXPECT_EQ(optionLine(file), "#\n");
  file.setFrequencyUnit(static_cast<FrequencyUnit>(9));
  file.setParameterType(static_cast<ParameterType>(9));
  file.setFormat(static_cast<DataFormat>(9));
  file.setReferenceResistance(-5.0);
  EXPECT_EQ(optionLine(file), "#\n");
}

TEST(WriterTest, NoNetworkDataWritesNothing) {
  auto file = makeFile(2);
  ProbeWriter writer(*file);
  std::ostringstream out;
  writer.writeNetworkData(out, true, true, true);
  EXPECT_EQ(out.str(), "");
  file->setNetworkData(makeFull(*file));
  writer.writeNetworkData(out, true, false, false);
  EXPECT_EQ(out.str(), "");
  EXPECT_TRUE(writer.calls.empty());
}

TEST(WriterTest, ColumnFirstReadsTransposedButNormalisesAtWrittenPosition) {
  auto file = makeFile(2, ParameterType::S, DataFormat::RI);
  auto data = makeFull(*file);
  data->addFrequency(3.0);
  data->element(0, 0, 0).set(11, -11);
  data->element(0, 0, 1).set(12, -12);
  data->element(0, 1, 0).set(21, -21);
  data->element(0, 1, 1).set(22, -22);
  file->setNetworkData(std::move(data));

  ProbeWriter writer(*file);
  writer.offset = 0.5;
  std::ostringstream out;
  writer.writeNetworkData(out, false, true, false);
  EXPECT_EQ(out.str(), col("3") + pair("11.5", "-11") + pair("21.5", "-21") +
                           pair("12.5", "-12") + pair("22.5", "-22") + "\n");
  std::vector<std::pair<std::uint32_t, std::uint32_t>> expected = {
      {0, 0}, {0, 1}, {1, 0}, {1, 1}};
  EXPECT_EQ(writer.calls, expected);
}

TEST(WriterTest, ColumnFirstOnlyForTwoPorts) {
  auto file = makeFile(3, ParameterType::S, DataFormat::RI);
  auto data = makeFull(*file);
  data->addFrequency(1.0);
  data->element(0, 0, 1).set(12, 0);
  data->element(0, 1, 0).set(21, 0);
  file->setNetworkData(std::move(data));

  std::ostringstream out;
  ProbeWriter(*file).writeNetworkData(out, false, true, false);
  EXPECT_EQ(out.str(), col("1") + pair("0", "0") + pair("12", "0") + pair("0", "0") + "\n" +
                           indent() + pair("21", "0") + pair("0", "0") + pair("0", "0") + "\n" +
                           indent() + pair("0", "0") + pair("0", "0") + pair("0", "0") + "\n");
}

TEST(WriterTest, HeaderOfTypeAndFormatNotGiven) {
  auto file = makeFile(1, ParameterType::Unset, DataFormat::Unset);
  auto data = makeFull(*file);
  data->addFrequency(0.0);
  file->setNetworkData(std::move(data));

  std::ostringstream out;
  ProbeWriter(*file).writeNetworkData(out, true, false, false);
  EXPECT_EQ(out.str(), kHeaderStart + pair("_11", "_11") + "\n" + col("0") +
                           pair("0", "0") + "\n");
}

TEST(WriterTest, DataFormKeepsSixteenDigitsAndTakesRoomItNeeds) {
  auto file = makeFile(1, ParameterType::S, DataFormat::RI);
  auto data = makeFull(*file);
  data->addFrequency(123456789012345678.0);
  data->element(0, 0, 0).set(0.1, -1.0 / 3.0);
  data->addFrequency(1e20);
  data->element(1, 0, 0).set(1e-05, -0.0);
  data->addFrequency(1e21);
  data->element(2, 0, 0).set(1e9, 1e16);
  file->setNetworkData(std::move(data));

  std::ostringstream out;
  ProbeWriter(*file).writeNetworkData(out, false, false, false);
  EXPECT_EQ(out.str(), "1.234567890123457e+17" + pair("0.1", "-0.3333333333333333") + "\n" +
                           col("1e+20") + pair("1e-05", "-0") + "\n" + col("1e+21") +
                           pair("1000000000", "1e+16") + "\n");
}

TEST(WriterTest, NoiseRowsInPrintfLayout) {
  auto file = makeFile(2);
  auto noise = std::make_unique<NoiseParams>(1e9);
  noise->addPoint(1, 0.5, 0.3, -45, 25);
  noise->addPoint(12.3456789, 0, 1e-05, 180, 1e9);
  noise->addPoint(123456789, -1.5, 0.25, 0, 0);
  file->setNoiseData(std::move(noise));
  ProbeWriter writer(*file);

  std::ostringstream asStored;
  writer.writeNoiseData(asStored, false);
  EXPECT_EQ(asStored.str(),
            "1         0.5  0.3  -45  25\n"
            "12.3457   0  1e-05  180  1e+09\n"
            "1.23457e+08  -1.5  0.25  0  0\n");

  std::ostringstream normalised;
  writer.writeNoiseData(normalised, true);
  EXPECT_EQ(normalised.str(),
            "1         0.5  0.3  -45  0.5\n"
            "12.3457   0  1e-05  180  2e+07\n"
            "1.23457e+08  -1.5  0.25  0  0\n");
}

TEST(WriterTest, NoNoiseDataWritesNothing) {
  auto file = makeFile(2);
  ProbeWriter writer(*file);
  std::ostringstream out;
  writer.writeNoiseData(out, true);
  file->setNoiseData(std::make_unique<NoiseParams>(1e9));
  writer.writeNoiseData(out, false);
  EXPECT_EQ(out.str(), "");
}

// Counts the calls that reach the buffer and the flushes.
class CountingBuffer : public std::stringbuf {
 public:
  int writes = 0;
  int syncs = 0;

 protected:
  std::streamsize xsputn(const char* text, std::streamsize count) override {
    ++writes;
    return std::stringbuf::xsputn(text, count);
  }
  int sync() override {
    ++syncs;
    return std::stringbuf::sync();
  }
};

// A locale that writes "1.234,5" for 1234.5.
struct CommaDecimalPoint : std::numpunct<char> {
  char do_decimal_point() const override { return ','; }
  char do_thousands_sep() const override { return '.'; }
  std::string do_grouping() const override { return "\3"; }
};

std::unique_ptr<File> fourPortFile() {
  auto file = makeFile(4, ParameterType::S, DataFormat::RI, 75.5);
  auto data = makeFull(*file);
  for (double frequency : {1.5, 2.5}) {
    std::uint32_t point = static_cast<std::uint32_t>(data->addFrequency(frequency));
    for (std::uint32_t row = 0; row < 4; ++row)
      for (std::uint32_t col = 0; col < 4; ++col)
        data->element(point, row, col).set(1234.5 * (row + 1), -0.125 * (col + 1));
  }
  file->setNetworkData(std::move(data));
  file->setReferenceImpedances({75.5, 75.5, 1234.5, 1e9});
  return file;
}

std::string writeV2On(std::ostringstream& out, const File& file) {
  V2_Writer(file).write(out);
  return out.str();
}

// The stream is handed whole lines at least, never single numbers: the
// network data go over in large pieces.
TEST(WriterTest, AtMostOneWritePerLineAndOneFlushAtTheEnd) {
  auto file = makeFile(10);
  auto data = makeFull(*file);
  data->addFrequency(1);
  file->setNetworkData(std::move(data));
  CountingBuffer buffer;
  std::ostream out(&buffer);
  V1_Writer(*file).write(out);
  // Head, option line, then 30 header and 30 data lines.
  std::string v1Text = buffer.str();
  EXPECT_EQ(std::count(v1Text.begin(), v1Text.end(), '\n'), 62);
  EXPECT_LE(buffer.writes, 62);
  EXPECT_EQ(buffer.syncs, 1);

  CountingBuffer v2Buffer;
  std::ostream v2Out(&v2Buffer);
  V2_Writer(*file).write(v2Out);
  EXPECT_EQ(v2Buffer.syncs, 1);
  std::string text = v2Buffer.str();
  EXPECT_LE(v2Buffer.writes, std::count(text.begin(), text.end(), '\n'));
}

TEST(WriterTest, OutputIgnoresStreamLocaleAndFlags) {
  auto file = fourPortFile();
  std::ostringstream plainV2;
  std::string expectedV2 = writeV2On(plainV2, *file);
  EXPECT_NE(expectedV2.find("R 75.5\n"), std::string::npos);
  EXPECT_NE(expectedV2.find("[Reference] 75.5 75.5 1234.5 1e+09\n"), std::string::npos);
  EXPECT_NE(expectedV2.find(col("2.5") + pair("1234.5", "-0.125")), std::string::npos);

  std::ostringstream odd;
  odd.imbue(std::locale(odd.getloc(), new CommaDecimalPoint));
  odd.setf(std::ios::showpos | std::ios::scientific | std::ios::uppercase);
  odd.precision(2);
  odd.width(40);
  odd.fill('*');
  EXPECT_EQ(writeV2On(odd, *file), expectedV2);
}

}  // namespace
}  // namespace touchstone2
