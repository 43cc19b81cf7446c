#include <cctype>

#include <nlohmann/json.hpp>

#include "reports/json_report.h"

namespace touchstone2 {

namespace {

using json = nlohmann::ordered_json;

std::string text(const json& value) {
  return value.dump(-1, ' ', false, json::error_handler_t::replace);
}

const char* level(bool isError) {
  return isError ? "error" : "warning";
}

// A path as a URI reference: relative paths stay relative (to the working
// directory, where the run started), absolute ones become file URIs. Every
// byte but the unreserved ones and '/' is percent-encoded, so any name, valid
// UTF-8 or not, is carried exactly.
std::string uriOf(const std::string& path) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string uri = !path.empty() && path[0] == '/' ? "file://" : "";
  for (unsigned char c : path) {
    if (std::isalnum(c) || c == '-' || c == '.' || c == '_' || c == '~' || c == '/') {
      uri += static_cast<char>(c);
    } else {
      uri += '%';
      uri += kHex[c >> 4];
      uri += kHex[c & 15];
    }
  }
  return uri;
}

}  // namespace

std::string sarifHead(const char* toolVersion) {
  json rules = json::array();
  for (std::size_t i = 0; i < kCodeCount; ++i) {
    const CodeRow& row = kCodes[i];
    const bool isError = row.severity == Severity::Error;
    rules.push_back({{"id", codeName({row.code, row.severity, 0, 0, {}})},
                     {"name", row.name},
                     {"shortDescription", {{"text", row.text}}},
                     {"help", {{"text", row.explanation}}},
                     {"defaultConfiguration", {{"level", level(isError)}}}});
  }
  const json driver = {{"name", "snpvet"}, {"version", toolVersion}, {"rules", rules}};
  return "{\"$schema\":\"https://json.schemastore.org/sarif-2.1.0.json\",\"version\":\"2.1.0\","
         "\"runs\":[{\"tool\":{\"driver\":" +
         text(driver) + "},\"results\":[";
}

std::string sarifResults(const FileReport& report) {
  std::string results;
  for (const DiagnosticRecord& d : report.diagnostics) {
    json physical = {{"artifactLocation", {{"uri", uriOf(report.path)}}}};
    if (d.line != 0) {
      physical["region"] = {{"startLine", d.line}};
      if (d.column != 0)
        physical["region"]["startColumn"] = d.column;
    }
    const json result = {{"ruleId", codeName(d)},
                         {"level", level(d.severity == Severity::Error)},
                         {"message", {{"text", d.text}}},
                         {"locations", json::array({{{"physicalLocation", physical}}})}};
    results += (results.empty() ? "" : ",\n") + text(result);
  }
  return results;
}

std::string sarifArtifact(const FileReport& report) {
  json properties = {{"valid", report.valid}};
  if (report.parsed)
    properties["version"] = versionWord(report.version);
  return text({{"location", {{"uri", uriOf(report.path)}}}, {"properties", properties}});
}

std::string sarifTail(const std::vector<std::string>& artifacts, const RunSummary& summary) {
  std::string tail = "],\"artifacts\":[";
  for (std::size_t i = 0; i < artifacts.size(); ++i)
    tail += (i == 0 ? "\n" : ",\n") + artifacts[i];
  return tail + "],\"properties\":{\"summary\":" + runSummaryJson(summary) + "}}]}\n";
}

}  // namespace touchstone2
