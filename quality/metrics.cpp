#include <touchstone2/quality.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <vector>

#include "quality/scattering_points.h"

namespace touchstone2 {

namespace {

// A point whose largest singular value exceeds kPassivityLimit, or whose
// asymmetry exceeds kReciprocityLimit, counts against the metric by how far
// it does, in steps of kWeightStep: 0.1 above the limit costs one whole point.
constexpr double kPassivityLimit = 1.00001;
constexpr double kReciprocityLimit = 1e-6;
constexpr double kWeightStep = 0.1;
constexpr double kPercent = 100.0;

double weight(double measure, double limit) {
  return measure > limit ? (measure - limit) / kWeightStep : 0.0;
}

// The share of points that count in full, as a percentage.
double percentOfPoints(double weights, std::size_t points) {
  const double n = static_cast<double>(points);
  return std::max(n - weights, 0.0) / n * kPercent;
}

// The largest singular value. For one port it is the magnitude; for more,
// Eigen's SVD, its singular values only.
class SpectralNorm {
 public:
  explicit SpectralNorm(std::uint32_t ports) : svd_(ports, ports) {}
  double operator()(const ComplexMatrix& s) {
    if (s.rows() == 1)
      return std::abs(s(0, 0));
    svd_.compute(s);
    return svd_.singularValues()(0);
  }

 private:
  Eigen::JacobiSVD<ComplexMatrix, Eigen::NoQRPreconditioner> svd_;
};

// Mean of |S_ij - S_ji| over the n (n - 1) off-diagonal elements (each pair
// counted both ways).
double asymmetry(const ComplexMatrix& s) {
  const Eigen::Index n = s.rows();
  double sum = 0.0;
  for (Eigen::Index i = 0; i < n; ++i)
    for (Eigen::Index j = 0; j < n; ++j)
      if (i != j)
        sum += std::abs(s(i, j) - s(j, i));
  return sum / static_cast<double>(n * (n - 1));
}

// Follows each element's trace over frequency: with V the step from one
// point to the next, R = Re(V') Im(V) - Im(V') Re(V) for consecutive steps V
// and V' is positive where the trace turns clockwise, as the phase of a
// causal response does as frequency rises. Only the last point and the last
// step are kept.
class TurningSums {
 public:
  explicit TurningSums(std::uint32_t ports)
      : previous_(ports, ports), step_(ports, ports), clockwise_(ports, ports),
        total_(ports, ports) {
    clockwise_.setZero();
    total_.setZero();
  }

  void add(const ComplexMatrix& s) {
    if (points_ >= 2) {
      for (Eigen::Index j = 0; j < s.cols(); ++j) {
        for (Eigen::Index i = 0; i < s.rows(); ++i) {
          const std::complex<double> next = s(i, j) - previous_(i, j);
          const std::complex<double> step = step_(i, j);
          const double turn = next.real() * step.imag() - next.imag() * step.real();
          if (!std::isfinite(turn))
            throw std::domain_error("the values are too large to measure causality");
          if (turn > 0.0)
            clockwise_(i, j) += turn;
          total_(i, j) += std::abs(turn);
        }
      }
    }
    if (points_ >= 1)
      step_ = s - previous_;
    previous_ = s;
    ++points_;
  }

  // Row by row; an element whose trace never turns counts as causal.
  std::vector<double> percentages() const {
    std::vector<double> out;
    for (Eigen::Index i = 0; i < total_.rows(); ++i)
      for (Eigen::Index j = 0; j < total_.cols(); ++j)
        out.push_back(total_(i, j) > 0.0 ? clockwise_(i, j) / total_(i, j) * kPercent
                                         : kPercent);
    return out;
  }

 private:
  ComplexMatrix previous_;
  ComplexMatrix step_;
  Eigen::MatrixXd clockwise_;
  Eigen::MatrixXd total_;
  std::size_t points_ = 0;
};

void requireFinite(double measure) {
  if (!std::isfinite(measure))
    throw std::domain_error("the values are too large to measure");
}

QualityMetric metric(double percent, QualityBand (*band)(double)) {
  return {true, percent, band(percent)};
}

std::size_t largestAt(const std::vector<double>& measures) {
  return static_cast<std::size_t>(std::max_element(measures.begin(), measures.end()) -
                                  measures.begin());
}

}  // namespace

QualityReport assessQuality(const File& file) {
  ScatteringPoints points(file);
  QualityReport report;
  report.ports = points.ports();
  const std::uint32_t count = points.count();
  if (count == 0 || report.ports == 0)
    return report;

  const bool reciprocity = report.ports > 1;
  const bool causality = count >= 3;
  SpectralNorm norm(report.ports);
  TurningSums turning(report.ports);
  report.passivityMeasure.reserve(count);
  if (reciprocity)
    report.reciprocityMeasure.reserve(count);
  double passivityWeights = 0.0;
  double reciprocityWeights = 0.0;
  for (std::uint32_t k = 0; k < count; ++k) {
    const ComplexMatrix& s = points.at(k);
    const double largest = norm(s);
    requireFinite(largest);
    report.passivityMeasure.push_back(largest);
    passivityWeights += weight(largest, kPassivityLimit);
    if (reciprocity) {
      const double apart = asymmetry(s);
      requireFinite(apart);
      report.reciprocityMeasure.push_back(apart);
      reciprocityWeights += weight(apart, kReciprocityLimit);
    }
    if (causality)
      turning.add(s);
  }

  report.passivity = metric(percentOfPoints(passivityWeights, count), passivityBand);
  report.worstPassivityPoint = largestAt(report.passivityMeasure);
  if (reciprocity) {
    report.reciprocity = metric(percentOfPoints(reciprocityWeights, count), passivityBand);
    report.worstReciprocityPoint = largestAt(report.reciprocityMeasure);
  }
  if (causality) {
    report.causalityMeasure = turning.percentages();
    const auto smallest = std::min_element(report.causalityMeasure.begin(),
                                           report.causalityMeasure.end());
    const auto at = static_cast<std::uint32_t>(smallest - report.causalityMeasure.begin());
    report.causality = metric(*smallest, causalityBand);
    report.worstCausalityRow = at / report.ports;
    report.worstCausalityColumn = at % report.ports;
  }
  return report;
}

}  // namespace touchstone2
