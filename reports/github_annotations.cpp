#include "reports/github_annotations.h"

namespace touchstone2 {

namespace {

// A line end would end the command, and the runner decodes %XX; a property
// value also ends at ',' and its name at ':'.
std::string escaped(const std::string& text, bool property) {
  std::string out;
  for (char c : text) {
    if (c == '%')
      out += "%25";
    else if (c == '\r')
      out += "%0D";
    else if (c == '\n')
      out += "%0A";
    else if (property && c == ':')
      out += "%3A";
    else if (property && c == ',')
      out += "%2C";
    else
      out += c;
  }
  return out;
}

}  // namespace

std::string githubAnnotations(const FileReport& report) {
  std::string lines;
  const std::string file = escaped(report.path, true);
  for (const DiagnosticRecord& d : report.diagnostics) {
    lines += d.severity == Severity::Error ? "::error file=" : "::warning file=";
    lines += file;
    if (d.line != 0) {
      lines += ",line=" + std::to_string(d.line);
      if (d.column != 0)
        lines += ",col=" + std::to_string(d.column);
    }
    lines += ",title=" + codeName(d) + "::" + escaped(d.text, false) + "\n";
  }
  return lines;
}

}  // namespace touchstone2
