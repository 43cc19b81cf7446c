#include "writers/v2_writer.h"

#include <stdexcept>
#include <string>

#include "model/number_text.h"
#include "model/vocabulary.h"

namespace touchstone2 {

namespace {

const char kNoNetworkData[] = "the file has no network data";

// "[Keyword]", the start of a keyword line.
std::string keywordLine(Keyword keyword) {
  std::string line = "[";
  line += keywordText(keyword);
  line += ']';
  return line;
}

// "[Keyword] argument" and the line end.
void writeKeywordLine(std::ostream& out, Keyword keyword, const std::string& argument) {
  std::string line = keywordLine(keyword);
  line += ' ';
  line += argument;
  line += '\n';
  out.write(line.data(), static_cast<std::streamsize>(line.size()));
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

}  // namespace

// A v1 file may be an option line and nothing else, and is valid so. A v2.0
// file must declare at least one port and one frequency, so such a file has
// no v2.0 form: it is refused before anything is written, rather than written
// in a form that no reader takes back.
void V2_Writer::write(std::ostream& out) {
  const NetworkParams* network = file_->getNetworkData();
  if (file_->getNumberOfPorts() == 0 || network == nullptr || network->frequencyCount() == 0)
    throw std::runtime_error(kNoNetworkData);
  writeText(out, "! Touchstone data file\n");
  writeKeywordLine(out, Keyword::Version, wordFor(kVersions, File::kVersion2, ""));
  writeOptionLine(out);
  writeCounts(out);
  if (file_->getReferenceImpedancesGiven())
    writeReference(out);
  if (file_->getMixedModeOrderGiven())
    writeMixedModeOrder(out);
  writeText(out, "\n" + keywordLine(Keyword::NetworkData) + "\n");
  writeNetworkData(out, true, false, false);
  const NoiseParams* noise = file_->getNoiseData();
  if (noise != nullptr && noise->pointCount() > 0) {
    writeText(out, "\n" + keywordLine(Keyword::NoiseData) + "\n");
    writeNoiseData(out, false);
  }
  writeText(out, "\n" + keywordLine(Keyword::End) + "\n");
  out.flush();
}

void V2_Writer::normalizeValue(double&, double&, std::uint32_t, std::uint32_t) const {}

// The counts are those of the data actually held, not those the input
// declared; the data below are always written row by row. Only called once
// write() has made sure that there are ports and network data.
void V2_Writer::writeCounts(std::ostream& out) const {
  std::uint32_t ports = file_->getNumberOfPorts();
  writeKeywordLine(out, Keyword::NumberOfPorts, std::to_string(ports));
  if (ports == 2) {
    writeKeywordLine(out, Keyword::TwoPortDataOrder,
                     wordFor(kTwoPortDataOrders, TwoPortDataOrder::Order12_21, ""));
  }
  writeKeywordLine(out, Keyword::NumberOfFrequencies,
                   std::to_string(file_->getNetworkData()->frequencyCount()));
  if (const NoiseParams* noise = file_->getNoiseData())
    writeKeywordLine(out, Keyword::NumberOfNoiseFrequencies, std::to_string(noise->pointCount()));
}

void V2_Writer::writeReference(std::ostream& out) const {
  std::string line = keywordLine(Keyword::Reference);
  for (double impedance : file_->getReferenceImpedances()) {
    line += ' ';
    appendGeneral(line, impedance);
  }
  line += '\n';
  writeText(out, line);
}

void V2_Writer::writeMixedModeOrder(std::ostream& out) const {
  std::string line = keywordLine(Keyword::MixedModeOrder);
  for (const MixedModeDescriptor& descriptor : file_->getMixedModeOrder())
    appendDescriptor(line, descriptor);
  line += '\n';
  writeText(out, line);
}

}  // namespace touchstone2
