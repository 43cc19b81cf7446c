#include "reports/file_report.h"

#ifdef TOUCHSTONE2_QUALITY

#include <cstdint>
#include <stdexcept>
#include <string>

#include <touchstone2/file.h>
#include <touchstone2/quality.h>

namespace touchstone2 {

namespace {

std::string elementText(std::uint32_t row, std::uint32_t column) {
  return "S[" + std::to_string(row + 1) + "," + std::to_string(column + 1) + "]";
}

QualityItem itemOf(const char* name, const QualityMetric& metric, const std::string& worst,
                   const char* reason) {
  if (!metric.applicable)
    return {name, false, metric.value, "", reason};
  return {name, true, metric.value, qualityBandName(metric.band), worst};
}

}  // namespace

bool addQuality(const File& file, FileReport& report) {
  report.qualityAsked = true;
  QualityReport metrics;
  try {
    metrics = assessQuality(file);
  } catch (const std::domain_error& reason) {
    report.qualityProblem = reason.what();
    return false;
  }
  const bool points = !metrics.passivityMeasure.empty();
  report.quality.push_back(itemOf("passivity", metrics.passivity,
                                  points ? qualityPointText(file, metrics.worstPassivityPoint) : "",
                                  "no frequency points"));
  report.quality.push_back(
      itemOf("reciprocity", metrics.reciprocity,
             metrics.reciprocity.applicable
                 ? qualityPointText(file, metrics.worstReciprocityPoint)
                 : "",
             points ? "one port" : "no frequency points"));
  report.quality.push_back(
      itemOf("causality", metrics.causality,
             elementText(metrics.worstCausalityRow, metrics.worstCausalityColumn),
             points ? "fewer than 3 frequency points" : "no frequency points"));
  return true;
}

}  // namespace touchstone2

#endif
