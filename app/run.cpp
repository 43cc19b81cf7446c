#include "app/run.h"

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <exception>
#include <new>
#include <stdexcept>
#include <string>

#include <touchstone2/diagnostic.h>
#include <touchstone2/file.h>
#include <touchstone2/parser.h>
#include <touchstone2/writer.h>

#include "app/explain.h"
#include "app/options.h"
#include "app/quality_report.h"
#include "app/usage.h"
#include "model/vocabulary.h"

namespace touchstone2 {

namespace {

const char kV2Failure[] = "snpvet: failed to write Touchstone v2 file: ";
const char kV1Failure[] = "snpvet: failed to write Touchstone v1 file: ";
const char kDescribeFailure[] = "snpvet: failed to write description: ";
const char kVerdictFailure[] = "snpvet: failed to write the verdict: ";
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

std::string verdictText(std::uint32_t version) {
  if (const VersionWord* row = rowFor(kVersions, version))
    return std::string("valid Touchstone v") + row->word + " file";
  return "unrecognized file";
}

int printVerdict(const File& file, std::ostream& out, std::ostream& err) {
  errno = 0;
  out << file.getFilename() << ": " << verdictText(file.getVersion()) << '\n';
  return finishOutput(out, err, kVerdictFailure);
}

// A writer lives for its one write call. Only the refusals it reports as
// std::runtime_error get the writer's prefix; anything else goes up to run().
template <class W>
int writeCanonical(const File& file, std::ostream& out, std::ostream& err,
                   const char* failurePrefix) {
  errno = 0;
  try {
    W writer(file);
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

int produce(OutputMode mode, const File& file, std::ostream& out, std::ostream& err) {
  switch (mode) {
    case OutputMode::CanonicalV2:
      return writeCanonical<V2_Writer>(file, out, err, kV2Failure);
    case OutputMode::CanonicalV1:
      return writeCanonical<V1_Writer>(file, out, err, kV1Failure);
    case OutputMode::Describe:
      return writeDescription(file, out, err);
    case OutputMode::CheckOnly:
      break;
  }
  return printVerdict(file, out, err);
}

// The File, the handler and the parser are locals here, so they are destroyed
// (parser first) on every path, before run() reports an escaping exception.
int checkFile(const Options& options, std::ostream& out, std::ostream& err) {
  File file(options.filename);
  StandardMessageHandler handler(err);
  Parser parser(file, handler);
  // The handler has already printed the error of a failed parse.
  if (!parser.parse() || !file.isValid())
    return 1;
  const int status = produce(options.mode, file, out, err);
  if (status != 0 || !options.quality)
    return status;
  return printQualityReport(file, options.qualityFail, out, err);
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
  if (options.filename.empty())
    return reportCommandLineError(err, "no filename was specified");
  if (options.quality) {
    // The report follows the verdict; it has no place in a rewritten file.
    if (options.mode != OutputMode::CheckOnly)
      return reportCommandLineError(err, "-quality goes with the plain check only");
    const std::string problem = qualityOptionProblem(options.qualityFail);
    if (!problem.empty()) {
      err << "snpvet: " << problem << std::endl;
      return 1;
    }
  }
  return checkFile(options, out, err);
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
