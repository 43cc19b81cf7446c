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

// Each metric by name: its value and band, where it is worst, or why it does
// not apply; or, where the metrics could not be computed, why.
json qualityJson(const FileReport& report) {
  if (!report.qualityProblem.empty())
    return {{"error", report.qualityProblem}};
  json metrics = json::object();
  for (const QualityItem& item : report.quality) {
    metrics[item.metric] = {
        {"value", item.applicable ? json(item.value) : json(nullptr)},
        {"band", item.applicable ? json(item.band) : json(nullptr)},
        {"worst", item.applicable ? json(item.worst) : json(nullptr)},
        {"not_applicable", item.applicable ? json(nullptr) : json(item.worst)}};
  }
  return metrics;
}

}  // namespace

std::string fileReportJson(const FileReport& report) {
  json diagnostics = json::array();
  for (const DiagnosticRecord& d : report.diagnostics)
    diagnostics.push_back(diagnosticJson(d));
  json file = {{"path", report.path},
               {"valid", report.valid},
               {"version", report.parsed ? json(versionWord(report.version)) : json(nullptr)},
               {"ports", orNull(report.parsed, report.ports)},
               {"frequencies", orNull(report.parsed, report.frequencies)},
               {"noise_frequencies", orNull(report.parsed, report.noiseFrequencies)},
               {"diagnostics", diagnostics}};
  if (report.qualityAsked)
    file["quality"] = qualityJson(report);
  return text(file);
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
