// Random records through both writers in every version, read back by the
// parser: every value comes back with the same bits, or the writer refuses
// the record before writing anything. SNPVET_EXACT_SEED and
// SNPVET_EXACT_TRIALS choose another seed and a longer run.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <memory>
#include <random>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include <touchstone2/file.h>
#include <touchstone2/reading.h>
#include <touchstone2/writer.h>

#include "model/matrix_layouts.h"
#include "model/value_conversion.h"

namespace touchstone2 {
namespace {

constexpr double kLargest = std::numeric_limits<double>::max();
constexpr double kSmallestNormal = std::numeric_limits<double>::min();

std::uint64_t bitsOf(double value) {
  std::uint64_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  return bits;
}

bool subnormal(double value) { return value != 0 && std::fabs(value) < kSmallestNormal; }

std::uint64_t setting(const char* name, std::uint64_t otherwise) {
  const char* text = std::getenv(name);
  return text != nullptr ? std::strtoull(text, nullptr, 10) : otherwise;
}

// Doubles of every kind a writer may meet: any bit pattern, the extremes,
// signed zeros, neighbours of powers of ten, now and then a subnormal, and
// values of measured data.
class Values {
 public:
  explicit Values(std::uint64_t seed) : random_(seed) {}

  double any() {
    switch (random_() % 8) {
      case 0: {
        static const double kSpecial[] = {0.0,  -0.0, kLargest, -kLargest, kSmallestNormal,
                                          -kSmallestNormal, 1.0, -1.0, 0.1, 1e-300};
        return kSpecial[random_() % (sizeof kSpecial / sizeof kSpecial[0])];
      }
      case 1: {
        double power = std::pow(10.0, static_cast<int>(random_() % 600) - 300);
        return std::nextafter(power, random_() % 2 ? 0.0 : kLargest) * sign();
      }
      case 2:
      case 3:
        return measured();
      default:
        return normal();
    }
  }
  // A finite value that is not subnormal, from the whole range.
  double normal() {
    for (;;) {
      std::uint64_t bits = random_();
      double value;
      std::memcpy(&value, &bits, sizeof value);
      if (std::isfinite(value) && !subnormal(value))
        return value;
    }
  }
  double measured() {
    return std::uniform_real_distribution<double>(-1, 1)(random_) *
           std::pow(10.0, static_cast<int>(random_() % 7) - 3);
  }
  double subnormalValue() { return std::ldexp(std::fabs(measured()) + 0.5, -1040) * sign(); }
  // Rising, not negative: sorted magnitudes of any kind, a signed zero first at times.
  std::vector<double> rising(std::size_t count) {
    std::vector<double> values;
    while (values.size() < count) {
      values.push_back(std::fabs(any()));
      std::sort(values.begin(), values.end());
      values.erase(std::unique(values.begin(), values.end()), values.end());
    }
    if (random_() % 4 == 0)
      values.front() = -0.0;
    return values;
  }
  double positive() { return std::fabs(normal()) + 0.0; }
  std::uint64_t below(std::uint64_t n) { return random_() % n; }

 private:
  double sign() { return random_() % 2 ? -1.0 : 1.0; }
  std::mt19937_64 random_;
};

// A record as the builder from arrays makes one, for the version it is to be
// written as: per-port references only where that version has them, and in
// version 1 the values relative to a power-of-two R, whose scaling is exact.
std::unique_ptr<File> randomRecord(Values& values, std::uint32_t version, bool& subnormalGiven) {
  auto file = std::make_unique<File>("random");
  const bool v1 = version == File::kVersion1 || version == File::kVersion1_1;
  const std::uint32_t ports = version == File::kVersion1_1 ? 2 + values.below(3) : 1 + values.below(4);
  const ParameterType types[] = {ParameterType::S, ParameterType::Y, ParameterType::Z,
                                 ParameterType::H, ParameterType::G};
  const ParameterType type = types[values.below(ports == 2 ? 5 : 3)];
  const DataFormat formats[] = {DataFormat::RI, DataFormat::MA, DataFormat::DB};
  const DataFormat format = formats[values.below(3)];
  file->setVersion(version);
  file->setParameterType(type);
  file->setFrequencyUnit(FrequencyUnit::GHz);
  file->setFormat(format);
  file->setMatrixFormat(MatrixFormat::Full);
  if (ports == 2)
    file->setTwoPortDataOrder(TwoPortDataOrder::Order12_21);
  // Version 1 gives Y, Z, H and G relative to R: a power of two scales
  // magnitudes exactly, and decibels are exact only for R = 1, where they
  // are not changed at all.
  const bool scaled = v1 && scaledInVersion1(type);
  double r = v1 ? std::ldexp(1.0, static_cast<int>(values.below(9)) - 4) : values.positive();
  if (scaled && format == DataFormat::DB)
    r = 1;
  file->setReferenceResistance(r);
  file->setNumberOfPorts(ports);
  const std::size_t points = 1 + values.below(4);
  file->setNumberOfFrequencies(static_cast<std::uint32_t>(points));
  auto data = std::make_unique<FullNetworkParams>(ports, 1e9, format);
  const std::vector<double> frequencies = values.rising(points);
  for (double frequency : frequencies) {
    const std::uint32_t k = static_cast<std::uint32_t>(data->addFrequency(frequency));
    for (std::uint32_t i = 0; i < ports * ports; ++i) {
      double first = values.any();
      double second = values.any();
      if (values.below(200) == 0) {
        first = values.subnormalValue();
        subnormalGiven = true;
      }
      if (format == DataFormat::MA)
        first = std::fabs(first);
      // -0 dB less 0 dB for R = 1 is -0 dB, read back as -0 dB plus 0 dB:
      // +0, the same magnitude.
      if (scaled && format == DataFormat::DB && first == 0)
        first = 0.0;
      data->element(k, i / ports, i % ports).set(first, second);
    }
  }
  file->setNetworkData(std::move(data));
  if (version == File::kVersion1_1) {
    std::vector<double> references(ports, r);
    for (std::uint32_t port = 1; port < ports && type == ParameterType::S; ++port)
      references[port] = values.positive();
    file->setReferenceImpedances(references);
  } else if (!v1 && values.below(2) == 0) {
    std::vector<double> references;
    for (std::uint32_t port = 0; port < ports; ++port)
      references.push_back(values.positive());
    file->setReferenceImpedances(references);
  } else {
    file->setDefaultReferenceImpedances();
  }
  file->setDefaultMixedModeOrder();
  if (ports == 2 && values.below(2) == 0) {
    auto noise = std::make_unique<NoiseParams>(1e9);
    std::vector<double> noiseFrequencies = values.rising(1 + values.below(3));
    for (double frequency : noiseFrequencies) {
      // The first noise frequency may not lie above the last network one.
      if (noise->pointCount() == 0)
        frequency = std::fmin(frequency, frequencies.back());
      if (noise->pointCount() > 0 && !(frequency > noise->lastFrequency()))
        break;
      // A negative minimum noise figure is warned about; it is written alike.
      const double resistance =
          v1 ? r * std::ldexp(std::fabs(values.measured()) + 1, static_cast<int>(values.below(40)) - 20)
             : values.positive();
      noise->addPoint(frequency, std::fabs(values.any()), std::fabs(values.any()), values.any(),
                      resistance);
    }
    file->setNumberOfNoiseFrequencies(noise->pointCount());
    file->setNoiseData(std::move(noise));
  }
  file->setValid();
  return file;
}

// Whether the version 1 writer must refuse the record: a value that the
// scaling to R carries beyond the range of a double or below the smallest
// normal one.
bool scalingLeavesRange(const File& file) {
  const NetworkParams& data = *file.getNetworkData();
  const std::uint32_t n = data.getNumberOfPorts();
  for (std::uint32_t k = 0; k < data.frequencyCount(); ++k) {
    for (std::uint32_t i = 0; i < n * n; ++i) {
      ValuePair pair = data.element(k, i / n, i % n).get(file.getFormat());
      scaleToVersion1(file.getParameterType(), file.getFormat(), file.getReferenceResistance(),
                      i / n, i % n, pair.first, pair.second);
      if (!std::isfinite(pair.first) || !std::isfinite(pair.second) || subnormal(pair.first) ||
          subnormal(pair.second))
        return true;
    }
  }
  return false;
}

// Every value of a record, in one order: frequencies and pairs, noise
// points, references.
std::vector<double> valuesOf(const File& file) {
  std::vector<double> all;
  const NetworkParams& data = *file.getNetworkData();
  const std::uint32_t n = data.getNumberOfPorts();
  for (std::uint32_t k = 0; k < data.frequencyCount(); ++k) {
    all.push_back(data.frequency(k));
    for (std::uint32_t i = 0; i < n * n; ++i) {
      ValuePair pair = data.element(k, i / n, i % n).get(file.getFormat());
      all.insert(all.end(), {pair.first, pair.second});
    }
  }
  for (std::uint32_t k = 0; file.getNoiseData() && k < file.getNoiseData()->pointCount(); ++k) {
    const NoisePoint& p = file.getNoiseData()->point(k);
    all.insert(all.end(), {p.frequency, p.minimumNoiseFigure, p.reflectionMagnitude,
                           p.reflectionAngle, p.noiseResistance});
  }
  all.insert(all.end(), file.getReferenceImpedances().begin(),
             file.getReferenceImpedances().end());
  return all;
}

TEST(ExactNumbers, EveryValueReadsBackWithItsBitsInEveryVersion) {
  const std::uint64_t seed = setting("SNPVET_EXACT_SEED", 22);
  const std::uint64_t trials = setting("SNPVET_EXACT_TRIALS", 400);
  Values values(seed);
  const std::uint32_t versions[] = {File::kVersion1, File::kVersion1_1, File::kVersion2,
                                    File::kVersion2_1};
  std::size_t writes = 0;
  std::size_t refused = 0;
  for (std::uint64_t trial = 0; trial < trials; ++trial) {
    const std::uint32_t version = versions[trial % 4];
    bool subnormalGiven = false;
    std::unique_ptr<File> record = randomRecord(values, version, subnormalGiven);
    const bool v1 = version == File::kVersion1 || version == File::kVersion1_1;
    const bool mustRefuse = subnormalGiven || (v1 && scalingLeavesRange(*record));
    std::ostringstream out;
    try {
      if (v1)
        V1_Writer(*record, version).write(out);
      else
        V2_Writer(*record, version).write(out);
    } catch (const std::runtime_error& refusal) {
      EXPECT_TRUE(mustRefuse) << "seed " << seed << ", trial " << trial << ": " << refusal.what();
      EXPECT_EQ(out.str(), "") << "refused after writing";
      ++refused;
      continue;
    }
    ASSERT_FALSE(mustRefuse) << "seed " << seed << ", trial " << trial << " was written:\n"
                             << out.str();
    const std::string text = out.str();
    const ReadResult back = readBytes(text, "written");
    ASSERT_TRUE(back.valid()) << text;
    EXPECT_TRUE(back.diagnostics.empty()) << back.diagnostics.front().text << "\n" << text;
    EXPECT_EQ(back.file.getVersion(), version);
    SCOPED_TRACE("seed " + std::to_string(seed) + ", trial " + std::to_string(trial) + ":\n" + text);
    const std::vector<double> given = valuesOf(*record), read = valuesOf(back.file);
    ASSERT_EQ(given.size(), read.size());
    for (std::size_t i = 0; i < given.size(); ++i)
      EXPECT_EQ(bitsOf(given[i]), bitsOf(read[i])) << "value " << i << ": " << given[i];
    ++writes;
  }
  // Both outcomes were seen, the writing far more often.
  EXPECT_GT(writes, trials / 2);
  EXPECT_GT(refused, 0u);
}

}  // namespace
}  // namespace touchstone2
