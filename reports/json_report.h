#ifndef TOUCHSTONE2_REPORTS_JSON_REPORT_H
#define TOUCHSTONE2_REPORTS_JSON_REPORT_H

#include <string>
#include <vector>

#include "reports/file_report.h"

namespace touchstone2 {

// The JSON object of one file, as docs/report.schema.json describes it: path,
// valid, version, ports, frequencies, noise_frequencies (null where the file
// could not be read) and diagnostics, each with code, severity, line and
// column (null where there is none) and message. The program's document lists
// these; the WebAssembly module returns one. Bytes that are not UTF-8 (a file
// name may hold any) come out as U+FFFD, so the text is always valid JSON.
std::string fileReportJson(const FileReport& report);

// The program's JSON document around the file objects, so that it can be
// written as the files are checked: the head ends in the open "files" array,
// the tail closes it and adds the summary.
std::string jsonDocumentHead(const char* toolVersion);
std::string jsonDocumentTail(const RunSummary& summary);
// {"files": N, "valid": V, "invalid": I, "warnings": W}, in both documents.
std::string runSummaryJson(const RunSummary& summary);

// The same for one SARIF 2.1.0 run: the head holds the driver with a rule for
// every code of the diagnostics table and opens "results"; sarifResults gives
// a file's results (comma-separated, empty when it has none); sarifArtifact
// the file's entry with its verdict, which the tail lists with the summary.
std::string sarifHead(const char* toolVersion);
std::string sarifResults(const FileReport& report);
std::string sarifArtifact(const FileReport& report);
std::string sarifTail(const std::vector<std::string>& artifacts, const RunSummary& summary);

}  // namespace touchstone2

#endif
