#include "app/batch.h"

#include <cerrno>
#include <condition_variable>
#include <cstring>
#include <exception>
#include <memory>
#include <mutex>
#include <new>
#include <sstream>
#include <string>
#include <system_error>
#include <thread>

#include <touchstone2/diagnostic.h>
#include <touchstone2/file.h>
#include <touchstone2/reading.h>

#include "app/file_check.h"
#include "app/quality_report.h"
#include "app/usage.h"
#include "reports/file_report.h"
#include "reports/github_annotations.h"
#ifdef SNPVET_JSON_REPORTS
#include "reports/json_report.h"
#endif

namespace touchstone2 {

namespace {

// What checking one file leaves to be written: its report, its text for each
// stream and, for SARIF, its artifact entry.
struct Outcome {
  FileReport report;
  std::string out;
  std::string err;
  std::string artifact;
};

// Checks one target and renders its part of the output. Runs on the workers,
// so touches nothing shared. Whatever escapes the check of one file (memory
// running out, say) is that file's failure, told in one line as a run of one
// file tells it, and the run goes on.
Outcome checkOne(const Target& target, const BatchSettings& settings) {
  Outcome o;
  o.report.path = target.path;
  std::ostringstream lines;
  StandardMessageHandler text(lines);
  CollectingHandler records;
  HandlerPair handler(records, settings.format == ReportFormat::Text ? &text : nullptr);
  std::string failure;
  std::ostringstream qualityOut;
  std::ostringstream qualityErr;
  bool qualityFailed = false;
  try {
    File file(target.path);
    o.report.parsed = parseTarget(target, file, handler);
    if (o.report.parsed)
      o.report.takeFrom(file);
    if (o.report.parsed && settings.quality)
      qualityFailed =
          printQualityReport(file, settings.qualityFail, qualityOut, qualityErr, o.report) != 0;
  } catch (const std::bad_alloc&) {
    failure = "snpvet: out of memory\n";
  } catch (const std::exception& e) {
    failure = std::string("snpvet: ") + e.what() + "\n";
  } catch (...) {
    failure = "snpvet: unexpected internal error\n";
  }
  o.report.diagnostics = records.take();
  if (!failure.empty())
    o.report.parsed = false;
  o.report.valid = o.report.parsed && !(settings.strict && o.report.warningCount() != 0);
  const bool verdict = o.report.valid && !settings.quiet;
  // The metrics follow the verdict of a valid file; falling below the band
  // of --quality-fail fails the file.
  o.report.valid = o.report.valid && !qualityFailed;
  o.err = lines.str() + failure + qualityErr.str();
  switch (settings.format) {
    case ReportFormat::Text:
      break;
    case ReportFormat::Github:
      o.out = githubAnnotations(o.report);
      break;
#ifdef SNPVET_JSON_REPORTS
    case ReportFormat::Json:
      o.out = fileReportJson(o.report);
      return o;
    case ReportFormat::Sarif:
      o.out = sarifResults(o.report);
      o.artifact = sarifArtifact(o.report);
      return o;
#else
    default:
      return o;
#endif
  }
  if (verdict)
    o.out += o.report.path + ": " + verdictText(o.report.version) + "\n";
  o.out += qualityOut.str();
  return o;
}

// Writes the outcomes in order, with the document's head and tail around them.
class Printer {
 public:
  Printer(const BatchSettings& settings, std::ostream& out, std::ostream& err)
      : settings_(settings), out_(out), err_(err) {}

  void begin() {
#ifdef SNPVET_JSON_REPORTS
    if (settings_.format == ReportFormat::Json)
      out_ << jsonDocumentHead(kProgramVersion);
    else if (settings_.format == ReportFormat::Sarif)
      out_ << sarifHead(kProgramVersion);
#endif
  }

  // False once the output cannot be written: the run stops.
  bool print(const Outcome& o) {
    summary_.add(o.report);
    // Before the write to err, which flushes out first (err is tied to it).
    errno = 0;
    err_ << o.err << std::flush;
    if (settings_.format == ReportFormat::Json) {
      out_ << (summary_.files == 1 ? "\n" : ",\n") << o.out;
    } else if (settings_.format == ReportFormat::Sarif) {
      if (!o.out.empty())
        out_ << (anyResult_ ? ",\n" : "\n") << o.out;
      anyResult_ = anyResult_ || !o.out.empty();
      artifacts_.push_back(o.artifact);
    } else {
      out_ << o.out;
    }
    return written();
  }

  bool end() {
    errno = 0;
#ifdef SNPVET_JSON_REPORTS
    if (settings_.format == ReportFormat::Json)
      out_ << jsonDocumentTail(summary_);
    else if (settings_.format == ReportFormat::Sarif)
      out_ << sarifTail(artifacts_, summary_);
#endif
    if (!written())
      return false;
    if (settings_.summary && (settings_.format == ReportFormat::Text ||
                              settings_.format == ReportFormat::Github))
      err_ << summary_.files << " files: " << summary_.valid << " valid, " << summary_.invalid
           << " invalid, " << summary_.warnings << " warnings" << std::endl;
    return true;
  }

  bool allValid() const { return summary_.invalid == 0; }

 private:
  // Flushes, so that each file's lines are out before the next file's; a
  // reader that went away (EPIPE, where SIGPIPE is ignored) ends a run of
  // many files quietly, as `snpvet DIR | head` expects; any other failure
  // is told once.
  bool written() {
    out_.flush();
    const int reason = errno;
    if (out_)
      return true;
    if (reason == EPIPE && settings_.summary)
      return false;
    const bool document =
        settings_.format == ReportFormat::Json || settings_.format == ReportFormat::Sarif;
    err_ << (document ? "snpvet: failed to write the report: "
                      : "snpvet: failed to write the verdict: ")
         << (reason != 0 ? std::strerror(reason) : "output stream failed") << std::endl;
    return false;
  }

  const BatchSettings& settings_;
  std::ostream& out_;
  std::ostream& err_;
  RunSummary summary_;
  bool anyResult_ = false;
  std::vector<std::string> artifacts_;
};

// The workers and the order they hand their outcomes over in: file i is
// written once files 0 to i-1 are; a worker takes a new file only while fewer
// than kAheadPerWorker per worker wait for that.
class Pool {
 public:
  static constexpr std::size_t kAheadPerWorker = 4;

  Pool(const std::vector<Target>& targets, const BatchSettings& settings)
      : targets_(targets), settings_(settings), slots_(targets.size()),
        failures_(targets.size()) {}

  ~Pool() {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      stop_ = true;
    }
    room_.notify_all();
    for (std::thread& t : threads_)
      t.join();
  }

  // Starts up to n workers; false when not even one could be started.
  bool start(unsigned n) {
    window_ = kAheadPerWorker * n;
    for (unsigned i = 0; i < n; ++i) {
      try {
        threads_.emplace_back([this] { work(); });
      } catch (const std::system_error&) {
        break;  // fewer workers, same output
      }
    }
    return !threads_.empty();
  }

  // The outcome of file i, waiting for it; the file after it may then be taken.
  std::unique_ptr<Outcome> take(std::size_t i) {
    std::unique_lock<std::mutex> lock(mutex_);
    ready_.wait(lock, [&] { return slots_[i] != nullptr || failures_[i] != nullptr; });
    if (failures_[i] != nullptr)
      std::rethrow_exception(failures_[i]);
    std::unique_ptr<Outcome> o = std::move(slots_[i]);
    written_ = i + 1;
    room_.notify_all();
    return o;
  }

 private:
  void work() {
    for (;;) {
      std::size_t i;
      {
        std::unique_lock<std::mutex> lock(mutex_);
        room_.wait(lock, [&] { return stop_ || next_ >= slots_.size() || next_ < written_ + window_; });
        if (stop_ || next_ >= slots_.size())
          return;
        i = next_++;
      }
      // What escapes even the rendering of a file (memory running out) must
      // not end the thread, which would end the process: the writer rethrows
      // it in the file's turn, and the run ends as a run of one file would.
      std::unique_ptr<Outcome> o;
      std::exception_ptr failure;
      try {
        o = std::make_unique<Outcome>(checkOne(targets_[i], settings_));
      } catch (...) {
        failure = std::current_exception();
      }
      {
        std::lock_guard<std::mutex> lock(mutex_);
        slots_[i] = std::move(o);
        failures_[i] = failure;
      }
      ready_.notify_all();
    }
  }

  const std::vector<Target>& targets_;
  const BatchSettings& settings_;
  std::vector<std::unique_ptr<Outcome>> slots_;
  std::vector<std::exception_ptr> failures_;
  std::vector<std::thread> threads_;
  std::mutex mutex_;
  std::condition_variable ready_;
  std::condition_variable room_;
  std::size_t next_ = 0;
  std::size_t written_ = 0;
  std::size_t window_ = kAheadPerWorker;
  bool stop_ = false;
};

}  // namespace

std::string verdictText(std::uint32_t version) {
  if (const char* word = versionWord(version); *word != '\0')
    return std::string("valid Touchstone v") + word + " file";
  return "unrecognized file";
}

int checkTargets(const std::vector<Target>& targets, const BatchSettings& settings,
                 std::ostream& out, std::ostream& err) {
  Printer printer(settings, out, err);
  printer.begin();
  const unsigned workers =
      static_cast<unsigned>(std::min<std::size_t>(settings.jobs, targets.size()));
  Pool pool(targets, settings);
  const bool parallel = workers > 1 && pool.start(workers);
  for (std::size_t i = 0; i < targets.size(); ++i) {
    const bool printed = parallel ? printer.print(*pool.take(i))
                                  : printer.print(checkOne(targets[i], settings));
    if (!printed)
      return 1;
  }
  return printer.end() && printer.allValid() ? 0 : 1;
}

}  // namespace touchstone2
