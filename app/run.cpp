#include "app/run.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <exception>
#include <new>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include <touchstone2/diagnostic.h>
#include <touchstone2/file.h>
#include <touchstone2/file_output.h>
#include <touchstone2/parser.h>
#include <touchstone2/reading.h>
#include <touchstone2/writer.h>

#include "app/batch.h"
#include "app/file_check.h"
#include "app/explain.h"
#include "app/options.h"
#include "app/quality_report.h"
#include "app/usage.h"

namespace touchstone2 {

namespace {

const char kV2Failure[] = "snpvet: failed to write Touchstone v2 file: ";
const char kV1Failure[] = "snpvet: failed to write Touchstone v1 file: ";
const char kDescribeFailure[] = "snpvet: failed to write description: ";
const char kHelpFailure[] = "snpvet: failed to write help: ";
const char kVersionFailure[] = "snpvet: failed to write version: ";
const char kExplanationFailure[] = "snpvet: failed to write the explanation: ";

// Flushes what a mode wrote and tells whether it really got out: a full disk
// or a closed stdout must not end in status 0. errno is cleared before each
// output step, so a reason left over from the parse (strtod's ERANGE, say) is
// never blamed on the output.
int finishOutput(std::ostream& out, std::ostream& err, const char* failurePrefix) {
  out.flush();
  const int reason = errno;
  if (out)
    return 0;
  err << failurePrefix << (reason != 0 ? std::strerror(reason) : "output stream failed")
      << std::endl;
  return 1;
}

int printText(void (*print)(std::ostream&), std::ostream& out, std::ostream& err,
              const char* failurePrefix) {
  errno = 0;
  print(out);
  return finishOutput(out, err, failurePrefix);
}

int reportCommandLineError(std::ostream& err, const char* message) {
  printUsage(err);
  err << "\nsnpvet: " << message << "\n" << std::endl;
  return 1;
}

int explain(const std::string& code, std::ostream& out, std::ostream& err) {
  std::string problem;
  const CodeRow* row = codeRowNamed(code, problem);
  if (row == nullptr)
    return reportCommandLineError(err, problem.c_str());
  errno = 0;
  printExplanation(*row, out);
  return finishOutput(out, err, kExplanationFailure);
}

// A writer lives for its one write call. Only the refusals it reports as
// std::runtime_error get the writer's prefix; anything else goes up to run().
template <class W>
int writeCanonical(const File& file, std::uint32_t version, std::ostream& out, std::ostream& err,
                   const char* failurePrefix) {
  errno = 0;
  try {
    W writer(file, version);
    writer.write(out);
  } catch (const std::runtime_error& e) {
    err << failurePrefix << e.what() << std::endl;
    return 1;
  }
  return finishOutput(out, err, failurePrefix);
}

int writeDescription(const File& file, std::ostream& out, std::ostream& err) {
  errno = 0;
  describe(file, out);
  return finishOutput(out, err, kDescribeFailure);
}

// -o FILE: the library's writeFile puts the text in place of FILE only once
// it is whole, synced and read back, so any failure leaves the old file; its
// refusals and file-system failures are told with the writer's prefix.
int writeToFile(const File& file, std::uint32_t version, const std::string& path,
                std::ostream& err, const char* failurePrefix) {
  try {
    writeFile(file, version, path);
  } catch (const std::runtime_error& e) {
    err << failurePrefix << e.what() << std::endl;
    return 1;
  }
  return 0;
}

// A rewrite to stdout, or with -o to the file.
template <class W>
int rewrite(const File& file, std::uint32_t version, const std::string& outputPath,
            std::ostream& out, std::ostream& err, const char* failurePrefix) {
  if (!outputPath.empty())
    return writeToFile(file, version, outputPath, err, failurePrefix);
  return writeCanonical<W>(file, version, out, err, failurePrefix);
}

int produce(OutputMode mode, const File& file, const std::string& outputPath, std::ostream& out,
            std::ostream& err) {
  switch (mode) {
    case OutputMode::CanonicalV2:
      return rewrite<V2_Writer>(file, File::kVersion2, outputPath, out, err, kV2Failure);
    case OutputMode::CanonicalV2_1:
      return rewrite<V2_Writer>(file, File::kVersion2_1, outputPath, out, err, kV2Failure);
    case OutputMode::CanonicalV1:
      return rewrite<V1_Writer>(file, File::kVersion1, outputPath, out, err, kV1Failure);
    case OutputMode::CanonicalV1_1:
      return rewrite<V1_Writer>(file, File::kVersion1_1, outputPath, out, err, kV1Failure);
    case OutputMode::Describe:
    case OutputMode::CheckOnly:
      break;
  }
  return writeDescription(file, out, err);
}

// A rewrite or the description of one file. The File, the handlers and the
// parser are locals here, so they are destroyed (parser first) on every path,
// before run() reports an escaping exception.
int rewriteFile(const Options& options, const Target& target, std::ostream& out,
                std::ostream& err) {
  File file(target.path);
  StandardMessageHandler text(err);
  CollectingHandler records;
  HandlerPair handler(records, &text);
  // The handler has already printed the error of a failed parse.
  if (!parseTarget(target, file, handler))
    return 1;
  if (options.strict && !records.records().empty())  // warnings only, after a success
    return 1;
  return produce(options.mode, file, options.outputPath, out, err);
}

// The one file an output mode writes; a folder is read as a file, and so
// reported as unreadable.
int runOutputMode(const Options& options, std::ostream& out, std::ostream& err) {
  if (options.paths.size() > 1)
    return reportCommandLineError(err, "only one filename may be specified");
  if (options.format != ReportFormat::Text)
    return reportCommandLineError(err, "--format is for checks; a rewrite writes the file");
  const bool isStdin = options.paths[0] == "-";
  return rewriteFile(options, {isStdin ? options.stdinName : options.paths[0], isStdin}, out,
                     err);
}

int runChecks(const Options& options, std::ostream& out, std::ostream& err) {
#ifndef SNPVET_JSON_REPORTS
  if (options.format == ReportFormat::Json || options.format == ReportFormat::Sarif)
    return reportCommandLineError(
        err, "this snpvet was built without JSON and SARIF output (nlohmann-json3-dev)");
#endif
  BatchSettings settings;
  settings.format = options.format;
  settings.quiet = options.quiet;
  settings.strict = options.strict;
  settings.quality = options.quality;
  settings.qualityFail = options.qualityFail;
  settings.jobs = options.jobs != 0 ? options.jobs : std::max(1u, std::thread::hardware_concurrency());
  bool foundDirectory = false;
  const std::vector<Target> targets =
      collectTargets(options.paths, options.stdinName, foundDirectory);
  settings.summary = options.paths.size() > 1 || foundDirectory;
  return checkTargets(targets, settings, out, err);
}

int runUnguarded(int argc, char** argv, std::ostream& out, std::ostream& err) {
  Options options;
  try {
    options.parseCommandLine(argc, argv);
  } catch (const std::exception& e) {
    return reportCommandLineError(err, e.what());
  }
  if (options.helpRequested)
    return printText(printHelp, out, err, kHelpFailure);
  if (options.versionRequested)
    return printText(printVersion, out, err, kVersionFailure);
  if (options.explainRequested)
    return explain(options.explainCode, out, err);
  if (options.paths.empty())
    return reportCommandLineError(err, "no filename was specified");
  if (options.quality) {
    // The report follows the verdict; it has no place in a rewritten file.
    if (options.mode != OutputMode::CheckOnly)
      return reportCommandLineError(err, "-quality goes with the plain check only");
    if (options.format != ReportFormat::Text && options.format != ReportFormat::Json)
      return reportCommandLineError(err, "-quality goes with the text and JSON output only");
    const std::string problem = qualityOptionProblem(options.qualityFail);
    if (!problem.empty()) {
      err << "snpvet: " << problem << std::endl;
      return 1;
    }
  }
  if (!options.outputPath.empty() &&
      (options.mode == OutputMode::CheckOnly || options.mode == OutputMode::Describe))
    return reportCommandLineError(err, "-o takes a rewrite: -canonical, -canonical-v2, "
                                       "-canonical-v2.1, -canonical-v1 or -canonical-v1.1");
  if (options.mode != OutputMode::CheckOnly)
    return runOutputMode(options, out, err);
  return runChecks(options, out, err);
}

}  // namespace

int run(int argc, char** argv, std::ostream& out, std::ostream& err) {
  // Never touches the locale: the process stays in "C", and numbers are
  // formatted by our own routines anyway.
  //
  // The parse reports its own errors through the handler; whatever else
  // escapes it, a writer or the description is a failure of the run, told in
  // one line. The File and the parser are gone by the time a handler runs.
  try {
    return runUnguarded(argc, argv, out, err);
  } catch (const std::bad_alloc&) {
    err << "snpvet: out of memory" << std::endl;
  } catch (const std::exception& e) {
    err << "snpvet: " << e.what() << std::endl;
  } catch (...) {
    err << "snpvet: unexpected internal error" << std::endl;
  }
  return 1;
}

}  // namespace touchstone2
