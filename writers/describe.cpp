#include <touchstone2/writer.h>

#include <cstdint>
#include <string>

#include "model/vocabulary.h"
#include "writers/text_buffer.h"

namespace touchstone2 {

namespace {

// The name of a value in its table: "<unknown>" for a value never given (0),
// nothing for one the table does not know.
template <typename Row, std::size_t N, typename Value>
const char* nameOf(const Row (&table)[N], Value value, const char* const Row::*name) {
  if (static_cast<std::uint32_t>(value) == 0)
    return "<unknown>";
  const Row* row = rowFor(table, value);
  return row != nullptr ? row->*name : "";
}

// Builds the description in one reused buffer, formatting every number
// straight into it, so that a file of millions of values costs no allocation
// and no stream call per value.
class Description {
 public:
  Description(const File& file, std::ostream& out) : file_(file), out_(out), text_(out) {}

  void write() {
    if (header() && options() && ports() && mixedMode() && networkData() && noiseData())
      footer();
  }

 private:
  // Writes the pending text once enough has gathered; false once the stream
  // has failed.
  bool emit() { return text_.flushIfFull(); }

  bool header() {
    text_.put("------- TOUCHSTONE FILE -------\nfilename: ");
    text_.put(file_.getFilename());
    text_.put("\nversion: ");
    text_.put(nameOf(kVersions, file_.getVersion(), &VersionWord::word));
    text_.put("\n\n");
    return emit();
  }

  bool options() {
    text_.put("OPTIONS\n  frequency unit: ");
    text_.put(nameOf(kFrequencyUnits, file_.getFrequencyUnit(), &FrequencyUnitWord::word));
    text_.put("\n  contents: ");
    text_.put(nameOf(kParameterTypes, file_.getParameterType(), &ParameterTypeWord::description));
    text_.put("\n  complex number representation: ");
    text_.put(nameOf(kDataFormats, file_.getFormat(), &DataFormatWord::description));
    text_.put('\n');
    return emit();
  }

  bool ports() {
    text_.put("\nPORTS\n  number: ");
    text_.putUnsigned(file_.getNumberOfPorts());
    text_.put("\n  reference impedance:\n");
    if (!file_.getReferenceImpedancesGiven())
      text_.put("    (all ports use the same value)\n");
    // Listed in both cases: without [Reference] each port holds the option
    // line's reference resistance.
    std::uint64_t port = 0;
    for (double impedance : file_.getReferenceImpedances()) {
      text_.put("    Z0[");
      text_.putUnsigned(++port);
      text_.put("] = ");
      text_.putGeneral(impedance, 6);
      text_.put(" Ohms\n");
    }
    return emit();
  }

  bool mixedMode() {
    text_.put("\nMIXED MODE\n");
    if (!file_.getMixedModeOrderGiven())
      text_.put("  (default setup)\n");
    std::uint64_t index = 0;
    for (const MixedModeDescriptor& descriptor : file_.getMixedModeOrder()) {
      text_.put("  matrix row/column ");
      text_.putUnsigned(++index);
      text_.put(": ");
      appendDescriptor(descriptor);
      text_.put('\n');
    }
    return emit();
  }

  void appendDescriptor(const MixedModeDescriptor& descriptor) {
    const MixedModeKindWord* kind = rowFor(kMixedModeKinds, descriptor.kind);
    if (kind == nullptr)
      return;
    text_.put(kind->description);
    text_.put(' ');
    text_.putUnsigned(descriptor.firstPort);
    if (descriptor.kind == MixedModeKind::SingleEnded)
      return;
    text_.put(" and ");
    text_.putUnsigned(descriptor.secondPort);
  }

  bool networkData() {
    text_.put("\nNETWORK PARAMETERS\n");
    const NetworkParams* data = file_.getNetworkData();
    if (data == nullptr) {
      text_.put("  <none>\n");
      return emit();
    }
    text_.put("  frequency points: ");
    text_.putUnsigned(data->frequencyCount());
    text_.put('\n');
    if (!emit())
      return false;
    for (std::uint32_t k = 0; k < data->frequencyCount(); ++k) {
      if (!networkPoint(*data, k))
        return false;
    }
    return true;
  }

  bool networkPoint(const NetworkParams& data, std::uint32_t k) {
    appendPointHeading(k, data.frequencyInHz(k));
    if (!emit())
      return false;
    const char* letter = wordFor(kParameterTypes, file_.getParameterType(), "_");
    const std::uint32_t n = data.getNumberOfPorts();
    for (std::uint32_t i = 0; i < n; ++i) {
      for (std::uint32_t j = 0; j < n; ++j) {
        appendElement(letter, i, j, data.element(k, i, j).get(DataFormat::RI));
        if (!emit())
          return false;
      }
    }
    return true;
  }

  void appendPointHeading(std::uint32_t k, double frequencyInHz) {
    text_.put("\n  frequency point #");
    text_.putUnsigned(std::uint64_t{k} + 1);
    text_.put(": ");
    text_.putGeneral(frequencyInHz, 6);
    text_.put(" Hz\n");
  }

  void appendElement(const char* letter, std::uint32_t i, std::uint32_t j, ValuePair value) {
    text_.put("    ");
    text_.put(letter);
    text_.put('[');
    text_.putUnsigned(std::uint64_t{i} + 1);
    text_.put(',');
    text_.putUnsigned(std::uint64_t{j} + 1);
    text_.put("] = ");
    text_.putGeneralPadded(value.first, 6, 12);
    // Only a negative part takes the minus form; zero, negative zero and NaN
    // all read "+", the number keeping its own sign.
    if (value.second < 0) {
      text_.put(" - ");
      text_.putGeneralPadded(-value.second, 6, 12);
    } else {
      text_.put(" + ");
      text_.putGeneralPadded(value.second, 6, 12);
    }
    text_.put("j\n");
  }

  bool noiseData() {
    // Noise parameters exist only for 2-port networks.
    if (file_.getNumberOfPorts() != 2)
      return true;
    text_.put("\nNOISE PARAMETERS\n");
    const NoiseParams* noise = file_.getNoiseData();
    if (noise == nullptr) {
      text_.put("  <none>\n");
      return emit();
    }
    text_.put("  frequency points: ");
    text_.putUnsigned(noise->pointCount());
    text_.put('\n');
    if (!emit())
      return false;
    for (std::uint32_t k = 0; k < noise->pointCount(); ++k) {
      appendNoisePoint(*noise, k);
      if (!emit())
        return false;
    }
    return true;
  }

  void appendNoisePoint(const NoiseParams& noise, std::uint32_t k) {
    appendPointHeading(k, noise.frequencyInHz(k));
    text_.put("    minimum noise figure: ");
    text_.putGeneral(noise.minimumNoiseFigure(k), 6);
    text_.put(" dB\n    source reflection coefficient: ");
    text_.putGeneral(noise.reflectionMagnitude(k), 6);
    text_.put(", at ");
    text_.putGeneral(noise.reflectionAngle(k), 6);
    text_.put(" degrees\n    effective noise impedance: ");
    text_.putGeneral(noise.noiseResistance(k), 6);
    text_.put(" Ohms\n");
  }

  void footer() {
    text_.put("-------------------------------");
    if (text_.flush())
      out_ << std::endl;
  }

  const File& file_;
  std::ostream& out_;
  TextBuffer text_;
};

}  // namespace

void describe(const File& file, std::ostream& out) {
  Description(file, out).write();
}

}  // namespace touchstone2
