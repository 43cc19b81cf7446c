#include "writers/v2_writer.h"

#include <stdexcept>
#include <string>

#include "model/number_text.h"

namespace touchstone2 {

namespace {

const char kNoNetworkData[] = "the file has no network data";

void writeCountLine(std::ostream& out, const char* keyword, std::uint32_t count) {
  std::string line = keyword;
  line += std::to_string(count);
  line += '\n';
  out.write(line.data(), static_cast<std::streamsize>(line.size()));
}

void appendDescriptor(std::string& line, const MixedModeDescriptor& descriptor) {
  switch (descriptor.kind) {
    case MixedModeKind::SingleEnded:
      line += " S";
      line += std::to_string(descriptor.firstPort);
      return;
    case MixedModeKind::Differential:
      line += " D";
      break;
    case MixedModeKind::Common:
      line += " C";
      break;
    default:
      return;
  }
  line += std::to_string(descriptor.firstPort);
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
  writeText(out, "! Touchstone data file\n[Version] 2.0\n");
  writeOptionLine(out);
  writeCounts(out);
  if (file_->getReferenceImpedancesGiven())
    writeReference(out);
  if (file_->getMixedModeOrderGiven())
    writeMixedModeOrder(out);
  writeText(out, "\n[Network Data]\n");
  writeNetworkData(out, true, false, false);
  const NoiseParams* noise = file_->getNoiseData();
  if (noise != nullptr && noise->pointCount() > 0) {
    writeText(out, "\n[Noise Data]\n");
    writeNoiseData(out, false);
  }
  writeText(out, "\n[End]\n");
  out.flush();
}

void V2_Writer::normalizeValue(double&, double&, std::uint32_t, std::uint32_t) const {}

// The counts are those of the data actually held, not those the input
// declared; the data below are always written row by row. Only called once
// write() has made sure that there are ports and network data.
void V2_Writer::writeCounts(std::ostream& out) const {
  std::uint32_t ports = file_->getNumberOfPorts();
  writeCountLine(out, "[Number of Ports] ", ports);
  if (ports == 2)
    writeText(out, "[Two-Port Data Order] 12_21\n");
  writeCountLine(out, "[Number of Frequencies] ", file_->getNetworkData()->frequencyCount());
  if (const NoiseParams* noise = file_->getNoiseData())
    writeCountLine(out, "[Number of Noise Frequencies] ", noise->pointCount());
}

// Six digits at least, more where the value needs them to read back the same.
void V2_Writer::writeReference(std::ostream& out) const {
  std::string line = "[Reference]";
  for (double impedance : file_->getReferenceImpedances()) {
    line += ' ';
    appendRoundTrip(line, impedance);
  }
  line += '\n';
  writeText(out, line);
}

void V2_Writer::writeMixedModeOrder(std::ostream& out) const {
  std::string line = "[Mixed-Mode Order]";
  for (const MixedModeDescriptor& descriptor : file_->getMixedModeOrder())
    appendDescriptor(line, descriptor);
  line += '\n';
  writeText(out, line);
}

}  // namespace touchstone2
