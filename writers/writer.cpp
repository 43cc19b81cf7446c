// The two canonical writers: version 1 (and 1.1) and version 2.0 (and 2.1).

#include <touchstone2/writer.h>

#include <cmath>
#include <limits>
#include <stdexcept>
#include <string>
#include <vector>

#include "model/value_conversion.h"
#include "model/vocabulary.h"
#include "model/number_text.h"
#include "writers/record_check.h"
#include "writers/sections.h"

namespace touchstone2 {

namespace {

const char kOutOfRange[] =
    "a value normalised to the reference resistance is out of range for Touchstone v1";
const char kTooSmall[] =
    "a nonzero value below 2.2250738585072014e-308 cannot be written: a reader clips it";
constexpr double kSmallestNormal = std::numeric_limits<double>::min();
const char kNoNetworkData[] = "the file has no network data";
const char kTooFewPorts[] =
    "Touchstone v1.1 gives one reference resistance per port for two ports or more";
const char kResistancesDiffer[] =
    "different per-port reference resistances are only defined for S-parameters";

// Version 1.1 lists one resistance per port, so a 1-port file (whose one
// value is the form of version 1) or one without data has none. Y-, Z-, H-
// and G-parameters are relative to one resistance: for them every port must
// have the same one, as the reader demands.
void checkPerPortResistances(const File& file) {
  const std::vector<double>& resistances = file.getReferenceImpedances();
  const NetworkParams* network = file.getNetworkData();
  if (file.getNumberOfPorts() < 2 || resistances.size() != file.getNumberOfPorts() ||
      network == nullptr || network->frequencyCount() == 0)
    throw std::runtime_error(kTooFewPorts);
  if (file.getParameterType() == ParameterType::S)
    return;
  for (double resistance : resistances) {
    if (resistance != resistances.front())
      throw std::runtime_error(kResistancesDiffer);
  }
}

// Version 1: 2-port data column by column, four pairs a line at most, values
// relative to the reference resistance.
DataLayout version1Layout() {
  DataLayout layout;
  layout.columnFirstTwoPort = true;
  layout.fourPairsPerLine = true;
  layout.relativeToResistance = true;
  return layout;
}

// Version 2.0: every point row by row, a matrix row a line, values as stored.
DataLayout version2Layout() { return DataLayout(); }

// Normalising to R can carry a stored value out of the range of a double (a
// huge admittance times a huge R), below the smallest normal double (one
// times a small R), or a noise resistance down to 0; written as "inf" or "0"
// it would make a file that no reader accepts, and a subnormal one would read
// back clipped. Such a file is refused before anything is written.
void checkNormalizedValuesInRange(const File& file, double r) {
  auto fits = [](double value) {
    return std::isfinite(value) && (value == 0 || std::fabs(value) >= kSmallestNormal);
  };
  const NetworkParams* data = file.getNetworkData();
  const ParameterType type = file.getParameterType();
  const DataFormat format = file.getFormat();
  if (data != nullptr && scaledInVersion1(type)) {
    const std::uint32_t n = data->getNumberOfPorts();
    for (std::uint32_t k = 0; k < data->frequencyCount(); ++k) {
      for (std::uint32_t row = 0; row < n; ++row) {
        for (std::uint32_t col = 0; col < n; ++col) {
          ValuePair pair = data->element(k, row, col).get(format);
          scaleToVersion1(type, format, r, row, col, pair.first, pair.second);
          if (!fits(pair.first) || !fits(pair.second))
            throw std::runtime_error(std::isfinite(pair.first) && std::isfinite(pair.second)
                                         ? kTooSmall
                                         : kOutOfRange);
        }
      }
    }
  }
  const NoiseParams* noise = file.getNoiseData();
  for (std::uint32_t k = 0; noise != nullptr && k < noise->pointCount(); ++k) {
    double normalized = noiseResistanceToVersion1(noise->noiseResistance(k), r);
    if (!std::isfinite(normalized) || !(normalized >= kSmallestNormal))
      throw std::runtime_error(kOutOfRange);
  }
}

// "[Keyword]", the start of a keyword line.
std::string keywordLine(Keyword keyword) {
  std::string line = "[";
  line += keywordText(keyword);
  line += ']';
  return line;
}

// "[Keyword] argument" and the line end.
void writeKeywordLine(std::ostream& out, Keyword keyword, const std::string& argument) {
  writeText(out, keywordLine(keyword) + ' ' + argument + '\n');
}

// The counts are those of the data actually held, not those the input
// declared; the data below are always written row by row. Only called once
// there are ports and network data.
void writeCounts(std::ostream& out, const File& file) {
  std::uint32_t ports = file.getNumberOfPorts();
  writeKeywordLine(out, Keyword::NumberOfPorts, std::to_string(ports));
  if (ports == 2) {
    writeKeywordLine(out, Keyword::TwoPortDataOrder,
                     wordFor(kTwoPortDataOrders, TwoPortDataOrder::Order12_21, ""));
  }
  writeKeywordLine(out, Keyword::NumberOfFrequencies,
                   std::to_string(file.getNetworkData()->frequencyCount()));
  if (const NoiseParams* noise = file.getNoiseData())
    writeKeywordLine(out, Keyword::NumberOfNoiseFrequencies, std::to_string(noise->pointCount()));
}

// Six digits, more where the value needs them to read back the same.
constexpr int kReferencePrecision = 6;

void writeReference(std::ostream& out, const File& file) {
  std::string line = keywordLine(Keyword::Reference);
  for (double impedance : file.getReferenceImpedances()) {
    line += ' ';
    appendExact(line, impedance, kReferencePrecision);
  }
  line += '\n';
  writeText(out, line);
}

void appendDescriptor(std::string& line, const MixedModeDescriptor& descriptor) {
  const MixedModeKindWord* kind = rowFor(kMixedModeKinds, descriptor.kind);
  if (kind == nullptr)
    return;
  line += ' ';
  line += kind->word;
  line += std::to_string(descriptor.firstPort);
  if (descriptor.kind == MixedModeKind::SingleEnded)
    return;
  line += ',';
  line += std::to_string(descriptor.secondPort);
}

void writeMixedModeOrder(std::ostream& out, const File& file) {
  std::string line = keywordLine(Keyword::MixedModeOrder);
  for (const MixedModeDescriptor& descriptor : file.getMixedModeOrder())
    appendDescriptor(line, descriptor);
  line += '\n';
  writeText(out, line);
}

}  // namespace

Writer::Writer(const File& file, std::uint32_t version) : file_(&file), version_(version) {
  if (!file.isValid())
    throw std::logic_error("touchstone2::File is not valid");
}

Writer::~Writer() = default;

V1_Writer::V1_Writer(const File& file, std::uint32_t version) : Writer(file, version) {
  if (version != File::kVersion1 && version != File::kVersion1_1)
    throw std::invalid_argument("V1_Writer writes versions 1 and 1.1");
}

void V1_Writer::write(std::ostream& out) {
  checkWritable(*file_);
  DataLayout layout = version1Layout();
  layout.resistancePerPort = version_ == File::kVersion1_1;
  if (file_->getReferenceImpedancesGiven() && !layout.resistancePerPort)
    throw std::runtime_error("Touchstone v1 only supports a single reference impedance");
  if (file_->getMixedModeOrderGiven())
    throw std::runtime_error("Touchstone v1 only supports data in single-ended mode");
  if (layout.resistancePerPort)
    checkPerPortResistances(*file_);
  checkNormalizedValuesInRange(*file_, scalingResistance(*file_, layout));
  writeText(out, "! Touchstone data file\n");
  writeOptionLine(out, *file_, layout);
  writeNetworkData(out, *file_, layout);
  const NoiseParams* noise = file_->getNoiseData();
  if (noise != nullptr && noise->pointCount() > 0) {
    writeText(out, "\n! NOISE PARAMETERS\n");
    writeNoiseData(out, *file_, layout);
  }
  out.flush();
}

// A v1 file may be an option line and nothing else, and is valid so. A v2.0
// file must declare at least one port and one frequency, so such a file has
// no v2.0 form: it is refused before anything is written, rather than written
// in a form that no reader takes back.
V2_Writer::V2_Writer(const File& file, std::uint32_t version) : Writer(file, version) {
  if (version != File::kVersion2 && version != File::kVersion2_1)
    throw std::invalid_argument("V2_Writer writes versions 2.0 and 2.1");
}

void V2_Writer::write(std::ostream& out) {
  const NetworkParams* network = file_->getNetworkData();
  if (file_->getNumberOfPorts() == 0 || network == nullptr || network->frequencyCount() == 0)
    throw std::runtime_error(kNoNetworkData);
  checkWritable(*file_);
  const DataLayout layout = version2Layout();
  writeText(out, "! Touchstone data file\n");
  writeKeywordLine(out, Keyword::Version, wordFor(kVersions, version_, ""));
  writeOptionLine(out, *file_, layout);
  writeCounts(out, *file_);
  if (file_->getReferenceImpedancesGiven())
    writeReference(out, *file_);
  if (file_->getMixedModeOrderGiven())
    writeMixedModeOrder(out, *file_);
  writeText(out, "\n" + keywordLine(Keyword::NetworkData) + "\n");
  writeNetworkData(out, *file_, layout);
  const NoiseParams* noise = file_->getNoiseData();
  if (noise != nullptr && noise->pointCount() > 0) {
    writeText(out, "\n" + keywordLine(Keyword::NoiseData) + "\n");
    writeNoiseData(out, *file_, layout);
  }
  writeText(out, "\n" + keywordLine(Keyword::End) + "\n");
  out.flush();
}

}  // namespace touchstone2
