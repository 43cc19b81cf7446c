#include "app/describe.h"

#include <charconv>
#include <cstdint>
#include <string>

#include "model/number_text.h"

namespace touchstone2 {

namespace {

const char* versionName(std::uint32_t version) {
  switch (version) {
    case 0: return "<unknown>";
    case File::kVersion1: return "1";
    case File::kVersion2: return "2.0";
    default: return "";
  }
}

const char* unitName(FrequencyUnit unit) {
  switch (unit) {
    case FrequencyUnit::Unset: return "<unknown>";
    case FrequencyUnit::Hz: return "Hz";
    case FrequencyUnit::kHz: return "kHz";
    case FrequencyUnit::MHz: return "MHz";
    case FrequencyUnit::GHz: return "GHz";
  }
  return "";
}

const char* contentsName(ParameterType type) {
  switch (type) {
    case ParameterType::Unset: return "<unknown>";
    case ParameterType::S: return "S-parameters";
    case ParameterType::Y: return "Y-parameters";
    case ParameterType::Z: return "Z-parameters";
    case ParameterType::H: return "H-parameters";
    case ParameterType::G: return "G-parameters";
  }
  return "";
}

const char* formatName(DataFormat format) {
  switch (format) {
    case DataFormat::Unset: return "<unknown>";
    case DataFormat::DB: return "decibel-angle";
    case DataFormat::MA: return "magnitude-angle";
    case DataFormat::RI: return "real-imaginary";
  }
  return "";
}

const char* labelLetter(ParameterType type) {
  switch (type) {
    case ParameterType::Unset: return "_";
    case ParameterType::S: return "S";
    case ParameterType::Y: return "Y";
    case ParameterType::Z: return "Z";
    case ParameterType::H: return "H";
    case ParameterType::G: return "G";
  }
  return "";
}

void appendUnsigned(std::string& s, std::uint64_t n) {
  char buffer[24];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, n);
  s.append(buffer, result.ptr);
}

// Builds the description line by line in one reused buffer, so that a file of
// millions of values costs no allocation per value.
class Description {
 public:
  Description(const File& file, std::ostream& out) : file_(file), out_(out) {}

  void write() {
    if (header() && options() && ports() && mixedMode() && networkData() && noiseData())
      footer();
  }

 private:
  // Writes the pending text; false once the stream has failed.
  bool emit() {
    out_.write(line_.data(), static_cast<std::streamsize>(line_.size()));
    line_.clear();
    return static_cast<bool>(out_);
  }

  bool header() {
    line_ += "------- TOUCHSTONE FILE -------\nfilename: ";
    line_ += file_.getFilename();
    line_ += "\nversion: ";
    line_ += versionName(file_.getVersion());
    line_ += "\n\n";
    return emit();
  }

  bool options() {
    line_ += "OPTIONS\n  frequency unit: ";
    line_ += unitName(file_.getFrequencyUnit());
    line_ += "\n  contents: ";
    line_ += contentsName(file_.getParameterType());
    line_ += "\n  complex number representation: ";
    line_ += formatName(file_.getFormat());
    line_ += "\n";
    return emit();
  }

  bool ports() {
    line_ += "\nPORTS\n  number: ";
    appendUnsigned(line_, file_.getNumberOfPorts());
    line_ += "\n  reference impedance:\n";
    if (!file_.getReferenceImpedancesGiven())
      line_ += "    (all ports use the same value)\n";
    // Listed in both cases: without [Reference] each port holds the option
    // line's reference resistance.
    std::uint64_t port = 0;
    for (double impedance : file_.getReferenceImpedances()) {
      line_ += "    Z0[";
      appendUnsigned(line_, ++port);
      line_ += "] = ";
      appendGeneral(line_, impedance, 6);
      line_ += " Ohms\n";
    }
    return emit();
  }

  bool mixedMode() {
    line_ += "\nMIXED MODE\n";
    if (!file_.getMixedModeOrderGiven())
      line_ += "  (default setup)\n";
    std::uint64_t index = 0;
    for (const MixedModeDescriptor& descriptor : file_.getMixedModeOrder()) {
      line_ += "  matrix row/column ";
      appendUnsigned(line_, ++index);
      line_ += ": ";
      appendDescriptor(descriptor);
      line_ += "\n";
    }
    return emit();
  }

  void appendDescriptor(const MixedModeDescriptor& descriptor) {
    switch (descriptor.kind) {
      case MixedModeKind::SingleEnded:
        line_ += "single-ended data for port ";
        appendUnsigned(line_, descriptor.firstPort);
        return;
      case MixedModeKind::Differential:
        line_ += "differential-mode data for ports ";
        break;
      case MixedModeKind::Common:
        line_ += "common-mode data for ports ";
        break;
      default:
        return;
    }
    appendUnsigned(line_, descriptor.firstPort);
    line_ += " and ";
    appendUnsigned(line_, descriptor.secondPort);
  }

  bool networkData() {
    line_ += "\nNETWORK PARAMETERS\n";
    const NetworkParams* data = file_.getNetworkData();
    if (data == nullptr) {
      line_ += "  <none>\n";
      return emit();
    }
    line_ += "  frequency points: ";
    appendUnsigned(line_, data->frequencyCount());
    line_ += "\n";
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
    const char* letter = labelLetter(file_.getParameterType());
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
    line_ += "\n  frequency point #";
    appendUnsigned(line_, std::uint64_t{k} + 1);
    line_ += ": ";
    appendGeneral(line_, frequencyInHz, 6);
    line_ += " Hz\n";
  }

  void appendElement(const char* letter, std::uint32_t i, std::uint32_t j, ValuePair value) {
    line_ += "    ";
    line_ += letter;
    line_ += "[";
    appendUnsigned(line_, std::uint64_t{i} + 1);
    line_ += ",";
    appendUnsigned(line_, std::uint64_t{j} + 1);
    line_ += "] = ";
    appendGeneralPadded(line_, value.first, 6, 12);
    // Only a negative part takes the minus form; zero, negative zero and NaN
    // all read "+", the number keeping its own sign.
    if (value.second < 0) {
      line_ += " - ";
      appendGeneralPadded(line_, -value.second, 6, 12);
    } else {
      line_ += " + ";
      appendGeneralPadded(line_, value.second, 6, 12);
    }
    line_ += "j\n";
  }

  bool noiseData() {
    // Noise parameters exist only for 2-port networks.
    if (file_.getNumberOfPorts() != 2)
      return true;
    line_ += "\nNOISE PARAMETERS\n";
    const NoiseParams* noise = file_.getNoiseData();
    if (noise == nullptr) {
      line_ += "  <none>\n";
      return emit();
    }
    line_ += "  frequency points: ";
    appendUnsigned(line_, noise->pointCount());
    line_ += "\n";
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
    line_ += "    minimum noise figure: ";
    appendGeneral(line_, noise.minimumNoiseFigure(k), 6);
    line_ += " dB\n    source reflection coefficient: ";
    appendGeneral(line_, noise.reflectionMagnitude(k), 6);
    line_ += ", at ";
    appendGeneral(line_, noise.reflectionAngle(k), 6);
    line_ += " degrees\n    effective noise impedance: ";
    appendGeneral(line_, noise.noiseResistance(k), 6);
    line_ += " Ohms\n";
  }

  void footer() {
    line_ += "-------------------------------";
    if (emit())
      out_ << std::endl;
  }

  const File& file_;
  std::ostream& out_;
  std::string line_;
};

}  // namespace

void describe(const File& file, std::ostream& out) {
  Description(file, out).write();
}

}  // namespace touchstone2
