#ifndef TOUCHSTONE2_REPORTS_GITHUB_ANNOTATIONS_H
#define TOUCHSTONE2_REPORTS_GITHUB_ANNOTATIONS_H

#include <string>

#include "reports/file_report.h"

namespace touchstone2 {

// A file's diagnostics as workflow-command lines, which a CI runner shows as
// annotations on the file:
//   ::error file=F,line=L,col=C,title=E2003::message
// (line and col only where known; ::warning likewise). Each line ends in
// '\n'; '%', CR and LF, and in the file name also ':' and ',', are
// percent-encoded as the runner expects.
std::string githubAnnotations(const FileReport& report);

}  // namespace touchstone2

#endif
