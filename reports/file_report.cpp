#include "reports/file_report.h"

#include <touchstone2/file.h>
#include <touchstone2/parameters.h>

#include "model/vocabulary.h"

namespace touchstone2 {

std::size_t FileReport::warningCount() const {
  std::size_t n = 0;
  for (const DiagnosticRecord& d : diagnostics)
    n += d.isError ? 0 : 1;
  return n;
}

void FileReport::takeFrom(const File& file) {
  version = file.getVersion();
  ports = file.getNumberOfPorts();
  // Counted from the data, which every version has, rather than from the
  // keywords only v2.x files give.
  const NetworkParams* network = file.getNetworkData();
  const NoiseParams* noise = file.getNoiseData();
  frequencies = network != nullptr ? network->frequencyCount() : 0;
  noiseFrequencies = noise != nullptr ? noise->pointCount() : 0;
}

void RunSummary::add(const FileReport& report) {
  ++files;
  ++(report.valid ? valid : invalid);
  warnings += report.warningCount();
}

void RecordingHandler::error(const File& file, const ParserError& error) {
  record(error, true);
  if (next_ != nullptr)
    next_->error(file, error);
}

void RecordingHandler::warning(const File& file, const ParserWarning& warning) {
  record(warning, false);
  if (next_ != nullptr)
    next_->warning(file, warning);
}

void RecordingHandler::record(const Diagnostic& diagnostic, bool isError) {
  report_.diagnostics.push_back({diagnostic.getCode(), isError, diagnostic.getLine(),
                                 diagnostic.getColumn(), diagnostic.message()});
}

std::string codeName(std::int32_t code) {
  return (isWarningCode(code) ? "W" : "E") + std::to_string(code);
}

const char* versionWord(std::uint32_t version) {
  const VersionWord* row = rowFor(kVersions, version);
  return row != nullptr ? row->word : "";
}

}  // namespace touchstone2
