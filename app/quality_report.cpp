#include "app/quality_report.h"

#ifdef TOUCHSTONE2_QUALITY

#include <string>

#include <touchstone2/quality.h>

namespace touchstone2 {

std::string qualityOptionProblem(const std::string& failBand) {
  QualityBand band;
  if (!failBand.empty() && !qualityBandNamed(failBand, band))
    return "unrecognized band for --quality-fail: " + failBand +
           " (good, acceptable, inconclusive or poor)";
  return {};
}

int printQualityReport(const File& file, const std::string& failBand, std::ostream& out,
                       std::ostream& err, FileReport& fileReport) {
  if (!addQuality(file, fileReport)) {
    err << file.getFilename() << ": no quality metrics: " << fileReport.qualityProblem << std::endl;
    return 1;
  }
  QualityBand floor;
  const bool failing = !failBand.empty() && qualityBandNamed(failBand, floor);
  std::string below;
  for (const QualityItem& item : fileReport.quality) {
    out << file.getFilename() << ": " << item.metric << ' ';
    if (!item.applicable) {
      out << "not applicable (" << item.worst << ")\n";
      continue;
    }
    out << qualityPercentText(item.value) << " (" << item.band << "), worst at " << item.worst
        << '\n';
    QualityBand band;
    if (failing && qualityBandNamed(item.band, band) && band > floor)
      below += (below.empty() ? "" : ", ") + item.metric;
  }
  if (below.empty())
    return 0;
  out.flush();
  err << file.getFilename() << ": quality below " << failBand << ": " << below << std::endl;
  return 1;
}

}  // namespace touchstone2

#else

namespace touchstone2 {

std::string qualityOptionProblem(const std::string&) {
  return "-quality: this snpvet was built without the quality metrics "
         "(they need Eigen 3, Debian package libeigen3-dev)";
}

int printQualityReport(const File&, const std::string&, std::ostream&, std::ostream& err,
                       FileReport&) {
  err << "snpvet: " << qualityOptionProblem({}) << std::endl;
  return 1;
}

}  // namespace touchstone2

#endif
