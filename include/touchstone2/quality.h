#ifndef TOUCHSTONE2_QUALITY_H
#define TOUCHSTONE2_QUALITY_H

// Present when the library was built with Eigen 3, which the metrics need
// for the singular values (TOUCHSTONE2_QUALITY is then defined for every
// user of the library).
#ifdef TOUCHSTONE2_QUALITY

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include <touchstone2/export.h>
#include <touchstone2/file.h>

namespace touchstone2 {

// How a metric rates, best first; a metric that falls below a band is worse.
enum class QualityBand : std::uint32_t { Good = 0, Acceptable = 1, Inconclusive = 2, Poor = 3 };

// "good", "acceptable", "inconclusive", "poor".
TOUCHSTONE2_API const char* qualityBandName(QualityBand band);
// False for any other text (compared case-sensitively).
TOUCHSTONE2_API bool qualityBandNamed(const std::string& name, QualityBand& band);

struct QualityMetric {
  // False where the metric has no meaning: reciprocity of one port,
  // causality of fewer than three frequency points, anything without points.
  bool applicable = false;
  double value = 0.0;  // percent, 0 to 100
  QualityBand band = QualityBand::Poor;
};

// The frequency-domain quality metrics of a record's S-parameters (other
// types converted first): passivity from the largest singular value of each
// point's matrix, reciprocity from how far S_ij and S_ji differ, causality
// from the turning direction of each element's trace over frequency.
struct QualityReport {
  std::uint32_t ports = 0;
  QualityMetric passivity;
  QualityMetric reciprocity;
  QualityMetric causality;
  // One per frequency point: the largest singular value, and the mean of
  // |S_ij - S_ji| over the off-diagonal elements (empty for one port).
  std::vector<double> passivityMeasure;
  std::vector<double> reciprocityMeasure;
  // ports x ports, row by row: the causality percentage of each element
  // (empty for fewer than three points).
  std::vector<double> causalityMeasure;
  // Where each applicable metric is worst: the point with the largest
  // measure, the element (counted from 0) with the smallest percentage.
  std::size_t worstPassivityPoint = 0;
  std::size_t worstReciprocityPoint = 0;
  std::uint32_t worstCausalityRow = 0;
  std::uint32_t worstCausalityColumn = 0;
};

// The metrics of a valid record, one pass over its points, holding no more
// than the per-point measures. Throws std::domain_error where a point has no
// S-parameter form or its values are too large to measure.
TOUCHSTONE2_API QualityReport assessQuality(const File& file);

// A metric's percentage as the reports write it: four decimals, "99.2188",
// a tie rounded to the even digit as printf rounds it, whatever the locale.
TOUCHSTONE2_API std::string qualityPercentText(double percent);

// Where a metric is worst, as the reports name a point: its frequency to six
// significant digits in hertz, "1.5e+09 Hz", whatever the process locale.
TOUCHSTONE2_API std::string qualityPointText(const File& file, std::size_t point);

// The band of a passivity or reciprocity percentage, and of a causality one.
TOUCHSTONE2_API QualityBand passivityBand(double percent);
TOUCHSTONE2_API QualityBand causalityBand(double percent);

}  // namespace touchstone2

#endif
#endif
