#ifndef TOUCHSTONE2_APP_OPTIONS_H
#define TOUCHSTONE2_APP_OPTIONS_H

#include <cstdint>
#include <string>
#include <vector>

namespace touchstone2 {

// What a run produces after a successful parse. The numbers are fixed.
enum class OutputMode : std::int32_t {
  CheckOnly = 0,
  CanonicalV1 = 1,
  CanonicalV2 = 2,
  Describe = 3,
  CanonicalV2_1 = 4,
  CanonicalV1_1 = 5,
};

// How the results of a check are told: today's lines, or one document or
// annotation lines that tools read.
enum class ReportFormat { Text, Json, Sarif, Github };

// The decoded command line.
struct Options {
  OutputMode mode = OutputMode::CheckOnly;
  ReportFormat format = ReportFormat::Text;
  bool helpRequested = false;
  bool versionRequested = false;
  bool quiet = false;
  bool strict = false;
  // 0: as many workers as the machine has cores.
  unsigned jobs = 0;
  // The name standard input ("-") goes by in messages.
  std::string stdinName = "-";
  // -o FILE: where a rewrite goes instead of stdout; empty for stdout.
  std::string outputPath;
  // The paths in the order given; empty arguments are passed over.
  std::vector<std::string> paths;
  // --explain CODE: the code as written; the run looks it up.
  bool explainRequested = false;
  std::string explainCode;
  // -quality, or --quality-fail=BAND or --quality-fail BAND (which imply it);
  // the band as given.
  bool quality = false;
  std::string qualityFail;

  // Decodes every argument after the program name, in order. Throws
  // std::runtime_error at the first bad argument; the record then holds what
  // the arguments before it set.
  void parseCommandLine(int argc, const char* const* argv);

 private:
  // Takes the option at argv[i], with its value from the next argument where
  // it needs one (i then moves on); false when arg is no option.
  bool applyOption(const std::string& arg, int argc, const char* const* argv, int& i);
  void setJobs(const std::string& value);
  void setFormat(const std::string& value);
  void setOutputPath(const std::string& value);
};

}  // namespace touchstone2

#endif
