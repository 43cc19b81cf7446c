#ifndef TOUCHSTONE2_APP_BATCH_H
#define TOUCHSTONE2_APP_BATCH_H

#include <ostream>
#include <string>
#include <vector>

#include "app/options.h"
#include "app/targets.h"

namespace touchstone2 {

struct BatchSettings {
  ReportFormat format = ReportFormat::Text;
  bool quiet = false;    // no verdict lines
  bool strict = false;   // a warning fails its file
  bool summary = false;  // end with the summary (several files, or a folder)
  unsigned jobs = 1;     // files checked at once
  bool quality = false;     // -quality: the metrics after each valid file's verdict
  std::string qualityFail;  // --quality-fail's band, or empty
};

// Checks the targets, jobs at a time, and writes each file's lines (or its
// part of the document) in the targets' order, whatever order the checks end
// in, so the output is the same for every number of jobs. A worker takes a
// file only while fewer than a few per worker wait to be written, so memory
// stays bounded however many files there are. Returns the exit status: 0 when
// every file passed and everything was written, else 1. When the output can
// no longer be written (a reader that went away, a full disk) the run stops.
int checkTargets(const std::vector<Target>& targets, const BatchSettings& settings,
                 std::ostream& out, std::ostream& err);

// "valid Touchstone v2.0 file": what a check prints after the file's name.
std::string verdictText(std::uint32_t version);

}  // namespace touchstone2

#endif
