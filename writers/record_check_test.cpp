#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <string>

#include <touchstone2/reading.h>
#include <touchstone2/writer.h>

#include "model/matrix_layouts.h"

namespace touchstone2 {
namespace {

// What a program may set in a record it makes by hand; each case spoils one.
struct Record {
  std::uint32_t ports = 2;
  FrequencyUnit unit = FrequencyUnit::MHz;
  ParameterType type = ParameterType::S;
  double resistance = 50;
  std::vector<double> frequencies = {100, 200};
  double magnitude = 0.5;   // of every element, MA
  std::vector<double> references;  // [Reference] when given
  std::vector<double> noiseFrequencies = {100};
  double noiseMagnitude = 0.5;
  double noiseResistance = 25;
  std::vector<MixedModeDescriptor> order;  // [Mixed-Mode Order] when given
  std::uint32_t dataPorts = 2;
};

File made(const Record& r) {
  File file("hand-made");
  file.setVersion(File::kVersion1);
  file.setFrequencyUnit(r.unit);
  file.setParameterType(r.type);
  file.setFormat(DataFormat::MA);
  file.setReferenceResistance(r.resistance);
  file.setNumberOfPorts(r.ports);
  file.setMatrixFormat(MatrixFormat::Full);
  auto data = std::make_unique<FullNetworkParams>(r.dataPorts, file.getFrequencyMultiplier(),
                                                  DataFormat::MA);
  for (double f : r.frequencies) {
    auto k = static_cast<std::uint32_t>(data->addFrequency(f));
    for (std::uint32_t i = 0; i < r.dataPorts; ++i)
      for (std::uint32_t j = 0; j < r.dataPorts; ++j)
        data->element(k, i, j).set(r.magnitude, 45);
  }
  file.setNumberOfFrequencies(data->frequencyCount());
  file.setNetworkData(std::move(data));
  if (r.references.empty())
    file.setDefaultReferenceImpedances();
  else
    file.setReferenceImpedances(r.references);
  if (r.order.empty())
    file.setDefaultMixedModeOrder();
  else
    file.setMixedModeOrder(r.order);
  auto noise = std::make_unique<NoiseParams>(file.getFrequencyMultiplier());
  for (double f : r.noiseFrequencies)
    noise->addPoint(f, 1.5, r.noiseMagnitude, 30, r.noiseResistance);
  file.setNumberOfNoiseFrequencies(noise->pointCount());
  file.setNoiseData(std::move(noise));
  file.setValid();
  return file;
}

// Each writer's refusal of the record, or "" after writing it; a refusal
// must come before the first byte.
std::string refusal(const File& file, bool version1) {
  std::ostringstream out;
  try {
    if (version1)
      V1_Writer(file).write(out);
    else
      V2_Writer(file).write(out);
  } catch (const std::runtime_error& error) {
    EXPECT_EQ(out.str(), "") << error.what();
    return error.what();
  }
  ReadResult back = readBytes(out.str(), "written");
  EXPECT_TRUE(back.valid()) << out.str();
  return "";
}

// A record the checker would refuse is never written: before, V1_Writer wrote
// falling frequencies and negative magnitudes, and an R of -5 became 50.
TEST(RecordCheck, WritersRefuseWhatTheCheckerRefuses) {
  const struct {
    std::function<void(Record&)> change;
    const char* message;
  } cases[] = {
      {[](Record&) {}, ""},
      {[](Record& r) { r.frequencies = {200, 100}; },
       "frequency[1] = 100 does not rise above the value before it"},
      {[](Record& r) { r.frequencies = {-1, 100}; },
       "frequency[0] = -1 is not a finite frequency of 0 or more"},
      {[](Record& r) { r.frequencies = {100, INFINITY}; }, "frequency[1] = inf is not"},
      {[](Record& r) { r.magnitude = -0.5; }, "data[0, 0, 0] = (-0.5, 45) has a negative magnitude"},
      {[](Record& r) { r.magnitude = NAN; }, "data[0, 0, 0] = (nan, 45) is not finite"},
      // Below the smallest normal double: a reader clips what no text can hold.
      {[](Record& r) { r.magnitude = 1e-310; },
       "data[0, 0, 0] = (1e-310, 45) is below 2.2250738585072014e-308: a reader clips it"},
      {[](Record& r) { r.frequencies = {5e-324, 100}; }, "frequency[0] = 5e-324 is below"},
      {[](Record& r) { r.noiseResistance = 1e-310; }, "noise value[0] = 1e-310 is below"},
      {[](Record& r) { r.references = {50, 1e-320}; }, "reference[1] = 1e-320 is below"},
      {[](Record& r) { r.resistance = -5; },
       "reference resistance[0] = -5 is not a positive finite number"},
      {[](Record& r) { r.resistance = 0; }, "reference resistance[0] = 0 is not"},
      {[](Record& r) { r.references = {50, 0}; }, "reference[1] = 0 is not a positive finite"},
      {[](Record& r) { r.references = {50}; }, "1 reference impedances for 2 ports"},
      {[](Record& r) { r.unit = FrequencyUnit::Unset; }, "no frequency unit"},
      {[](Record& r) { r.type = ParameterType::Unset; }, "no parameter type"},
      {[](Record& r) { r.type = ParameterType::H; r.ports = r.dataPorts = 3;
                       r.noiseFrequencies.clear(); }, "H-parameters need 2 ports"},
      {[](Record& r) { r.dataPorts = 3; }, "network data of 3 ports in a record of 2"},
      {[](Record& r) { r.noiseFrequencies = {100, 50}; },
       "noise frequency[1] = 50 does not rise above the value before it"},
      {[](Record& r) { r.noiseFrequencies = {300}; },
       "noise frequency[0] = 300 lies above the last network frequency"},
      {[](Record& r) { r.noiseMagnitude = -1; }, "noise reflection magnitude[0] = -1 is not"},
      {[](Record& r) { r.noiseResistance = 0; }, "noise resistance[0] = 0 is not a positive"},
      {[](Record& r) { r.ports = r.dataPorts = 3; },
       "noise data need 2-port network data"},
      {[](Record& r) { r.order = {{MixedModeKind::SingleEnded, 1, 0},
                                  {MixedModeKind::SingleEnded, 1, 0}}; },
       "mixed-mode order: port 1 is described by mixed-mode order[0] = 'S1' and"},
  };
  for (const auto& c : cases) {
    Record record;
    c.change(record);
    const File file = made(record);
    const std::string prefix = *c.message ? std::string("the record cannot be written: ") : "";
    for (bool version1 : {true, false}) {
      // v1 cannot express a mixed-mode order at all, which it says first.
      if (version1 && !record.order.empty())
        continue;
      std::string got = refusal(file, version1);
      EXPECT_EQ(got.substr(0, prefix.size() + std::string(c.message).size()),
                prefix + c.message)
          << (version1 ? "v1: " : "v2: ") << got;
    }
  }
}

}  // namespace
}  // namespace touchstone2
