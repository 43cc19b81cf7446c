#include "app/quality_report.h"

#ifdef TOUCHSTONE2_QUALITY

#include <charconv>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <utility>

#include <touchstone2/quality.h>

namespace touchstone2 {

namespace {

// As printf would write it in the "C" locale, whatever the process locale.
std::string numberText(double value, std::chars_format format, int precision) {
  char text[64];
  std::to_chars_result end = std::to_chars(text, text + sizeof text, value, format, precision);
  return std::string(text, end.ptr);
}

// Four decimals.
std::string percentText(double value) { return numberText(value, std::chars_format::fixed, 4); }

// Six significant digits, as the description writes frequencies.
std::string pointText(const File& file, std::size_t point) {
  const double hertz = file.getNetworkData()->frequencyInHz(static_cast<std::uint32_t>(point));
  return numberText(hertz, std::chars_format::general, 6) + " Hz";
}

std::string elementText(std::uint32_t row, std::uint32_t column) {
  return "S[" + std::to_string(row + 1) + "," + std::to_string(column + 1) + "]";
}

void printMetric(std::ostream& out, const File& file, const char* name,
                 const QualityMetric& metric, const std::string& worst, const char* reason,
                 FileReport& report) {
  out << file.getFilename() << ": " << name << ' ';
  QualityItem item{name, metric.applicable, metric.value, "", reason};
  if (metric.applicable) {
    item.band = qualityBandName(metric.band);
    item.worst = worst;
    out << percentText(metric.value) << " (" << item.band << "), worst at " << worst << '\n';
  } else {
    out << "not applicable (" << reason << ")\n";
  }
  report.quality.push_back(item);
}

}  // namespace

std::string qualityOptionProblem(const std::string& failBand) {
  QualityBand band;
  if (!failBand.empty() && !qualityBandNamed(failBand, band))
    return "unrecognized band for --quality-fail: " + failBand +
           " (good, acceptable, inconclusive or poor)";
  return {};
}

int printQualityReport(const File& file, const std::string& failBand, std::ostream& out,
                       std::ostream& err, FileReport& fileReport) {
  fileReport.qualityAsked = true;
  QualityReport report;
  try {
    report = assessQuality(file);
  } catch (const std::domain_error& reason) {
    fileReport.qualityProblem = reason.what();
    err << file.getFilename() << ": no quality metrics: " << reason.what() << std::endl;
    return 1;
  }
  const bool points = !report.passivityMeasure.empty();
  printMetric(out, file, "passivity", report.passivity,
              points ? pointText(file, report.worstPassivityPoint) : "", "no frequency points", fileReport);
  printMetric(out, file, "reciprocity", report.reciprocity,
              report.reciprocity.applicable ? pointText(file, report.worstReciprocityPoint) : "",
              points ? "one port" : "no frequency points", fileReport);
  printMetric(out, file, "causality", report.causality,
              elementText(report.worstCausalityRow, report.worstCausalityColumn),
              points ? "fewer than 3 frequency points" : "no frequency points", fileReport);

  QualityBand floor;
  if (failBand.empty() || !qualityBandNamed(failBand, floor))
    return 0;
  std::string below;
  const std::pair<const char*, const QualityMetric*> metrics[] = {
      {"passivity", &report.passivity},
      {"reciprocity", &report.reciprocity},
      {"causality", &report.causality}};
  for (const auto& [name, metric] : metrics) {
    if (metric->applicable && metric->band > floor)
      below += (below.empty() ? "" : ", ") + std::string(name);
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
