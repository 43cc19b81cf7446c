#ifndef TOUCHSTONE2_REPORTS_FILE_REPORT_H
#define TOUCHSTONE2_REPORTS_FILE_REPORT_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include <touchstone2/reading.h>

namespace touchstone2 {

// One metric of -quality as the reports show it.
struct QualityItem {
  std::string metric;  // "passivity", "reciprocity" or "causality"
  bool applicable = false;
  double value = 0.0;  // percent
  std::string band;    // "good", "acceptable", "inconclusive", "poor"
  std::string worst;   // where it is worst ("1e+09 Hz", "S[2,1]"), or why it does not apply
};

// What checking one file found: the reports of every format are made from it.
struct FileReport {
  std::string path;  // the name as given, "-" (or the name chosen) for standard input
  bool parsed = false;  // read without error: the fields below are the file's
  bool valid = false;   // passed the check (--strict: without warnings, too)
  std::uint32_t version = 0;
  std::uint32_t ports = 0;
  std::uint32_t frequencies = 0;
  std::uint32_t noiseFrequencies = 0;
  std::vector<DiagnosticRecord> diagnostics;  // in the order found
  // -quality: the metrics of a valid file, or why they could not be computed.
  bool qualityAsked = false;
  std::vector<QualityItem> quality;
  std::string qualityProblem;

  std::size_t warningCount() const;
  // Takes the version and the counts of a file after a successful parse.
  void takeFrom(const File& file);
};

// The report of a read (readFile, readBytes): what the WebAssembly module
// turns into JSON with fileReportJson. With quality, as -quality makes it:
// a valid file's metrics, and a file whose metrics cannot be computed fails.
FileReport reportOf(const ReadResult& result, bool quality = false);

#ifdef TOUCHSTONE2_QUALITY
// The metrics of a valid file into report, each with its band and where it
// is worst, or why it does not apply. False, with the reason in
// report.qualityProblem, where they cannot be computed.
bool addQuality(const File& file, FileReport& report);
#endif

// The counts of a run over many files.
struct RunSummary {
  std::size_t files = 0;
  std::size_t valid = 0;
  std::size_t invalid = 0;
  std::size_t warnings = 0;

  void add(const FileReport& report);
};

// "E2003" or "W2005": the code as users see it.
std::string codeName(const DiagnosticRecord& diagnostic);

// "1", "1.1", "2.0" or "2.1"; empty for a version the table does not know.
const char* versionWord(std::uint32_t version);

}  // namespace touchstone2

#endif
