#include "reports/file_report.h"

#include <touchstone2/file.h>
#include <touchstone2/parameters.h>

#include "model/vocabulary.h"

namespace touchstone2 {

std::size_t FileReport::warningCount() const {
  std::size_t n = 0;
  for (const DiagnosticRecord& d : diagnostics)
    n += d.severity == Severity::Warning ? 1 : 0;
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

FileReport reportOf(const ReadResult& result, [[maybe_unused]] bool quality) {
  FileReport report;
  report.path = result.file.getFilename();
  report.parsed = report.valid = result.valid();
  if (report.parsed)
    report.takeFrom(result.file);
#ifdef TOUCHSTONE2_QUALITY
  if (report.parsed && quality)
    report.valid = addQuality(result.file, report);
#endif
  report.diagnostics = result.diagnostics;
  return report;
}

void RunSummary::add(const FileReport& report) {
  ++files;
  ++(report.valid ? valid : invalid);
  warnings += report.warningCount();
}

std::string codeName(const DiagnosticRecord& diagnostic) {
  return (diagnostic.severity == Severity::Warning ? "W" : "E") +
         std::to_string(static_cast<std::int32_t>(diagnostic.code));
}

const char* versionWord(std::uint32_t version) {
  const VersionWord* row = rowFor(kVersions, version);
  return row != nullptr ? row->word : "";
}

}  // namespace touchstone2
