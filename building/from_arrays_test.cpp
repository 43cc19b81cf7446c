#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <sstream>
#include <stdexcept>
#include <string>

#include <touchstone2/building.h>
#include <touchstone2/reading.h>
#include <touchstone2/writer.h>

namespace touchstone2 {
namespace {

using Complex = std::complex<double>;
constexpr double kInf = std::numeric_limits<double>::infinity();

// Three points of a 2-port with noise, valid as they stand.
NetworkArrays twoPort() {
  NetworkArrays arrays;
  arrays.frequency = {1e9, 2e9, 3e9};
  arrays.ports = 2;
  for (int k = 0; k < 12; ++k)
    arrays.data.push_back({0.125 * (k + 1), -0.0625 * k});
  arrays.noise = NoiseArrays{{1e9, 2e9}, {0.5, 0.6}, {{0.3, 0.1}, {0.2, -0.2}}, {20, 25}};
  return arrays;
}

std::string refusal(const std::function<void(NetworkArrays&)>& change) {
  NetworkArrays arrays = twoPort();
  change(arrays);
  try {
    fromArrays(arrays);
  } catch (const std::invalid_argument& error) {
    return error.what();
  }
  return "accepted";
}

// Everything the checker would refuse is refused, naming the field and the
// index, and the first fault found is the one named.
TEST(FromArrays, RefusesWhatTheCheckerRefuses) {
  using A = NetworkArrays;
  const struct {
    std::function<void(A&)> change;
    const char* message;
  } cases[] = {
      {[](A&) {}, "accepted"},
      {[](A& a) { a.frequency[0] = -1; }, "frequency[0] = -1 is negative"},
      {[](A& a) { a.frequency[2] = 2e9; }, "frequency[2] = 2e+09 does not rise above the value "
                                           "before it\n"},
      {[](A& a) { a.frequency[1] = NAN; }, "frequency[1] = nan is not finite"},
      // Distinct in Hz, one value in GHz.
      {[](A& a) { a.frequency = {1, 8277025938.376715, 8277025938.376716}; },
       "frequency[2] = 8.277025938376716e+09 does not rise above the value before it in GHz"},
      {[](A& a) { a.frequency.clear(); }, "frequency: no points"},
      {[](A& a) { a.data.pop_back(); }, "data: 11 values, not points x ports x ports = 12"},
      {[](A& a) { a.data[6] = {1, kInf}; }, "data[1, 1, 0] = (1+infj) is not finite"},
      {[](A& a) { a.parameter = ParameterType::H; a.ports = 1; a.data.resize(3); a.noise.reset(); },
       "parameter: H-parameters need 2 ports, data have 1"},
      {[](A& a) { a.format = DataFormat::DB; a.data[3] = 0; },
       "data[0, 1, 1] = (0+0j) has no DB form (its magnitude is 0)"},
      {[](A& a) { a.format = DataFormat::MA; a.data[1] = {1.5e308, -1.5e308}; },
       "data[0, 0, 1] = (1.5e+308-1.5e+308j) has no finite magnitude"},
      {[](A& a) { a.matrixFormat = MatrixFormat::Upper; },
       "data[0, 1, 0] = (0.375-0.125j) differs from its mirror above the diagonal: an Upper matrix "
       "holds one triangle of a symmetric matrix"},
      {[](A& a) { a.reference = {50, 75, 100}; },
       "reference: 3 values are neither one value nor 2, one per port"},
      {[](A& a) { a.reference = {50, 0}; }, "reference[1] = 0 is not a positive finite number"},
      {[](A& a) { a.reference = {kInf}; }, "reference[0] = inf is not a positive finite number"},
      {[](A& a) { a.mixedModeOrder = {{"S1"}}; }, "mixed_mode_order: 1 descriptors for 2 ports"},
      {[](A& a) { a.mixedModeOrder = {{"S1", "S3"}}; },
       "mixed_mode_order[1] = 'S3' is not S<port>, D<port>,<port> or C<port>,<port> with "
       "distinct ports from 1 to 2"},
      {[](A& a) { a.mixedModeOrder = {{"D1,1", "C1,1"}}; }, "mixed_mode_order[0] = 'D1,1' is not"},
      {[](A& a) { a.mixedModeOrder = {{"S1", "S1"}}; },
       "mixed_mode_order: port 1 is described by mixed_mode_order[0] = 'S1' and "
       "mixed_mode_order[1] = 'S1'; a port needs one S descriptor, or one D and one C of the "
       "same ports in the same order"},
      {[](A& a) { a.mixedModeOrder = {{"D1,2", "C2,1"}}; },
       "mixed_mode_order: port 1 is described by"},
      {[](A& a) { a.mixedModeOrder = {{"D1,2", "D1,2"}}; },
       "mixed_mode_order: port 1 is described by"},
      {[](A& a) { a.mixedModeOrder = {{"D1,2", "C1,2"}}; a.reference = {50, 75}; },
       "mixed_mode_order[0] = 'D1,2' pairs ports whose references differ (50 and 75 ohms)"},
      {[](A& a) { a.noise->noiseResistance[1] = 0; }, "noise.rn[1] = 0 is not positive"},
      {[](A& a) { a.noise->frequency[1] = 1e9; },
       "noise.frequency[1] = 1e+09 does not rise above the value before it\n"},
      {[](A& a) { a.noise->frequency[0] = 4e9; a.noise->frequency[1] = 5e9; },
       "noise.frequency[0] = 4e+09 lies above the last network frequency"},
      {[](A& a) { a.noise->minimumNoiseFigure.pop_back(); },
       "noise.nf_min: 1 values, not one per noise frequency (2)"},
      {[](A& a) { a.noise->optimumReflection[1] = {NAN, 0}; },
       "noise.gamma_opt[1] = (nan+0j) has no finite magnitude"},
      {[](A& a) { a.noise->minimumNoiseFigure[0] = -kInf; },
       "noise.nf_min[0] = -inf is not finite"},
      {[](A& a) { a.frequencyUnit = FrequencyUnit::Unset; }, "frequency_unit: not given"},
  };
  for (const auto& c : cases) {
    // A message that must end where the case ends says so with a line end.
    std::string got = refusal(c.change) + "\n";
    EXPECT_EQ(got.substr(0, std::string(c.message).size()), c.message) << got;
  }
  EXPECT_EQ(refusal([](A& a) { a.mixedModeOrder = {{"d1,2", "c1,2"}}; }), "accepted");
  EXPECT_EQ(refusal([](A& a) { a.parameter = ParameterType::Z; a.noise.reset(); a.ports = 3;
                               a.data.resize(27); }),
            "accepted");
  // Port numbers of every digit, and of two digits.
  const auto tenPorts = [](A& a) { a.noise.reset(); a.ports = 10; a.data.resize(300); };
  EXPECT_EQ(refusal([&](A& a) { tenPorts(a); a.mixedModeOrder = {{"S1", "S2", "S3", "S4", "S5",
                                                                  "S6", "S7", "S8", "D9,10",
                                                                  "C9,10"}}; }),
            "accepted");
  EXPECT_EQ(refusal([&](A& a) { tenPorts(a); a.mixedModeOrder = {{"S1", "S2", "S3", "S4", "S5",
                                                                  "S6", "S7", "S8", "S9",
                                                                  "S11"}}; })
                .substr(0, 26),
            "mixed_mode_order[9] = 'S11");
}

// The record holds the values as given (noise included, which used to be
// rounded to six digits), in the options chosen; what the writer writes,
// the checker accepts without a word.
TEST(FromArrays, KeepsValuesAndWritesWhatTheCheckerAccepts) {
  NetworkArrays arrays = twoPort();
  arrays.frequencyUnit = FrequencyUnit::Hz;
  arrays.format = DataFormat::MA;
  arrays.reference = {50, 75};
  arrays.noise->frequency = {1e9, 1e9 + 1};  // alike to six digits
  arrays.noise->minimumNoiseFigure = {1.0 / 3, 5e-324};
  arrays.noise->noiseResistance = {12.000000000000002, 1e300};
  File file = fromArrays(arrays, "built");
  ASSERT_TRUE(file.isValid());
  EXPECT_EQ(file.getFilename(), "built");
  EXPECT_EQ(file.getReferenceImpedances(), (std::vector<double>{50, 75}));
  EXPECT_TRUE(file.getReferenceImpedancesGiven());
  const NoiseParams& noise = *file.getNoiseData();
  for (std::uint32_t k = 0; k < 2; ++k) {
    EXPECT_EQ(noise.frequency(k), arrays.noise->frequency[k]);
    EXPECT_EQ(noise.minimumNoiseFigure(k), arrays.noise->minimumNoiseFigure[k]);
    EXPECT_EQ(noise.noiseResistance(k), arrays.noise->noiseResistance[k]);
    EXPECT_EQ(noise.reflectionMagnitude(k), std::abs(arrays.noise->optimumReflection[k]));
  }
  const NetworkParams& data = *file.getNetworkData();
  for (std::uint32_t k = 0; k < 3; ++k) {
    EXPECT_EQ(data.frequency(k), arrays.frequency[k]);
    ValuePair value = data.element(k, 1, 0).get(DataFormat::RI);
    EXPECT_NEAR(value.first, arrays.data[k * 4 + 2].real(), 1e-15);
    EXPECT_NEAR(value.second, arrays.data[k * 4 + 2].imag(), 1e-15);
  }
  // (Noise frequencies alike to six digits are left to the writers' own
  // tests: what is written here is the record as given before.)
  arrays.noise = twoPort().noise;
  file = fromArrays(arrays, "built");
  std::ostringstream text;
  V2_Writer(file).write(text);
  ReadResult back = readBytes(text.str(), "back");
  EXPECT_TRUE(back.valid());
  EXPECT_TRUE(back.diagnostics.empty());
  EXPECT_EQ(back.file.getReferenceImpedances(), file.getReferenceImpedances());
}

}  // namespace
}  // namespace touchstone2
