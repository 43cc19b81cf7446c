#ifndef TOUCHSTONE2_APP_QUALITY_REPORT_H
#define TOUCHSTONE2_APP_QUALITY_REPORT_H

#include <ostream>
#include <string>

#include <touchstone2/file.h>

#include "reports/file_report.h"

namespace touchstone2 {

// Empty when this build can honour -quality with this --quality-fail band
// (empty for none); otherwise the one line that says why not.
std::string qualityOptionProblem(const std::string& failBand);

// After a successful check: one line per metric on out, its value, band and
// where it is worst, and the same into report. Returns 1 when a metric falls
// below failBand (said in one line on err) or the metrics cannot be computed,
// else 0.
int printQualityReport(const File& file, const std::string& failBand, std::ostream& out,
                       std::ostream& err, FileReport& report);

}  // namespace touchstone2

#endif
