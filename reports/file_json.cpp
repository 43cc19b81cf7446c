#include <nlohmann/json.hpp>

#include "reports/json_report.h"

namespace touchstone2 {

namespace {

using json = nlohmann::ordered_json;

std::string text(const json& value) {
  return value.dump(-1, ' ', false, json::error_handler_t::replace);
}

json orNull(bool known, std::uint32_t value) {
  return known ? json(value) : json(nullptr);
}

json diagnosticJson(const DiagnosticRecord& d) {
  return {{"code", codeName(d)},
          {"severity", d.severity == Severity::Error ? "error" : "warning"},
          {"line", orNull(d.line != 0, d.line)},
          {"column", orNull(d.column != 0, d.column)},
          {"message", d.text}};
}

}  // namespace

std::string fileReportJson(const FileReport& report) {
  json diagnostics = json::array();
  for (const DiagnosticRecord& d : report.diagnostics)
    diagnostics.push_back(diagnosticJson(d));
  return text({{"path", report.path},
               {"valid", report.valid},
               {"version", report.parsed ? json(versionWord(report.version)) : json(nullptr)},
               {"ports", orNull(report.parsed, report.ports)},
               {"frequencies", orNull(report.parsed, report.frequencies)},
               {"noise_frequencies", orNull(report.parsed, report.noiseFrequencies)},
               {"diagnostics", diagnostics}});
}

std::string jsonDocumentHead(const char* toolVersion) {
  const json tool = {{"name", "snpvet"}, {"version", toolVersion}};
  return "{\"tool\":" + text(tool) + ",\"files\":[";
}

std::string jsonDocumentTail(const RunSummary& summary) {
  return "\n],\"summary\":" + runSummaryJson(summary) + "}\n";
}

std::string runSummaryJson(const RunSummary& s) {
  return text(
      {{"files", s.files}, {"valid", s.valid}, {"invalid", s.invalid}, {"warnings", s.warnings}});
}

}  // namespace touchstone2
