#include <touchstone2/quality.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <vector>

#include "model/number_text.h"
#include "quality/scattering_points.h"

namespace touchstone2 {

namespace {

// A point whose largest singular value exceeds kPassivityLimit, or whose
// asymmetry exceeds kReciprocityLimit, counts against the metric by how far
// it does, in steps of kWeightStep: 0.1 above the limit costs one whole point.
constexpr double kPassivityLimit = 1.00001;
constexpr double kReciprocityLimit = 1e-6;
// Far above the rounding of a conversion, far below any limit above.
constexpr double kRoundingAlike = 1e-12;
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

// The largest singular value: the square root of the largest eigenvalue of
// the Hermitian S^H S. Eigen's self-adjoint solver finds it several times
// faster than a complex SVD (whose rotations spend their time in hypot), to
// the same relative accuracy for the largest value; for one and two ports the
// eigenvalue has an exact closed form.
template <class Matrix>
class SpectralNorm {
 public:
  explicit SpectralNorm(std::uint32_t ports)
      : scaled_(ports, ports), gram_(ports, ports), eigen_(ports) {}
  double operator()(const Matrix& s) {
    if (s.rows() == 1)
      return std::abs(s(0, 0));
    // Scaled to parts of at most 1 first, so that the squares of S^H S
    // neither overflow for large values nor vanish for tiny ones.
    const double scale = std::max(s.real().cwiseAbs().maxCoeff(), s.imag().cwiseAbs().maxCoeff());
    if (scale == 0.0)
      return 0.0;
    scaled_ = s / scale;
    gram_.noalias() = scaled_.adjoint() * scaled_;
    double largest;
    if (s.rows() == 2) {
      const double a = gram_(0, 0).real();
      const double d = gram_(1, 1).real();
      const double half = (a - d) / 2.0;
      largest = (a + d) / 2.0 + std::sqrt(half * half + std::norm(gram_(0, 1)));
    } else {
      eigen_.compute(gram_, Eigen::EigenvaluesOnly);
      largest = eigen_.eigenvalues().maxCoeff();
    }
    return scale * std::sqrt(std::max(largest, 0.0));
  }

 private:
  Matrix scaled_;
  Matrix gram_;
  Eigen::SelfAdjointEigenSolver<Matrix> eigen_;
};

// |z| by the square root of the squared magnitude where that cannot overflow
// or lose precision to underflow, which is nearly always; hypot otherwise.
double magnitude(std::complex<double> z) {
  const double squared = std::norm(z);
  if (squared > 1e-290 && squared < 1e290)
    return std::sqrt(squared);
  return std::abs(z);
}

// Mean of |S_ij - S_ji| over the n (n - 1) off-diagonal elements. Each pair
// counts both ways with the same magnitude, so the pairs above the diagonal
// are summed once and counted twice.
template <class Matrix>
double asymmetry(const Matrix& s) {
  const Eigen::Index n = s.rows();
  double sum = 0.0;
  for (Eigen::Index i = 0; i < n; ++i)
    for (Eigen::Index j = i + 1; j < n; ++j)
      sum += magnitude(s(i, j) - s(j, i));
  return 2.0 * sum / static_cast<double>(n * (n - 1));
}

// Follows each element's trace over frequency: with V the step from one
// point to the next, R = Re(V') Im(V) - Im(V') Re(V) for consecutive steps V
// and V' is positive where the trace turns clockwise, as the phase of a
// causal response does as frequency rises. Only the last point and the last
// step are kept.
template <class Matrix>
class TurningSums {
 public:
  using Sums = Eigen::Matrix<double, Matrix::RowsAtCompileTime, Matrix::ColsAtCompileTime>;

  explicit TurningSums(std::uint32_t ports)
      : previous_(ports, ports), step_(ports, ports), clockwise_(ports, ports),
        total_(ports, ports) {
    clockwise_.setZero();
    total_.setZero();
  }

  void add(const Matrix& s) {
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
  Matrix previous_;
  Matrix step_;
  Sums clockwise_;
  Sums total_;
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
  // Measures that differ by rounding alone (the asymmetry of a file
  // converted from Y or Z is such noise) rank alike, the first of them
  // worst: otherwise the point named would hang on the last bits of a
  // conversion, which differ from one machine's arithmetic to another's.
  const double largest = *std::max_element(measures.begin(), measures.end());
  const double alike = largest - kRoundingAlike * std::max(1.0, std::abs(largest));
  return static_cast<std::size_t>(
      std::find_if(measures.begin(), measures.end(), [alike](double m) { return m >= alike; }) -
      measures.begin());
}

// The sums over all points of a record, the matrices of size N (Eigen's
// fixed sizes for the usual port counts: no allocation and unrolled loops).
struct Sums {
  double passivityWeights = 0.0;
  double reciprocityWeights = 0.0;
};

template <int N>
Sums measure(ScatteringPoints& points, QualityReport& report, bool causality) {
  using Matrix = Eigen::Matrix<std::complex<double>, N, N>;
  const std::uint32_t ports = points.ports();
  const bool reciprocity = ports > 1;
  SpectralNorm<Matrix> norm(ports);
  TurningSums<Matrix> turning(ports);
  Matrix s(ports, ports);
  Sums sums;
  for (std::uint32_t k = 0; k < points.count(); ++k) {
    s = points.at(k);
    const double largest = norm(s);
    requireFinite(largest);
    report.passivityMeasure.push_back(largest);
    sums.passivityWeights += weight(largest, kPassivityLimit);
    if (reciprocity) {
      const double apart = asymmetry(s);
      requireFinite(apart);
      report.reciprocityMeasure.push_back(apart);
      sums.reciprocityWeights += weight(apart, kReciprocityLimit);
    }
    if (causality)
      turning.add(s);
  }
  if (causality)
    report.causalityMeasure = turning.percentages();
  return sums;
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
  report.passivityMeasure.reserve(count);
  if (reciprocity)
    report.reciprocityMeasure.reserve(count);
  Sums sums;
  switch (report.ports) {
    case 1: sums = measure<1>(points, report, causality); break;
    case 2: sums = measure<2>(points, report, causality); break;
    case 3: sums = measure<3>(points, report, causality); break;
    case 4: sums = measure<4>(points, report, causality); break;
    default: sums = measure<Eigen::Dynamic>(points, report, causality); break;
  }

  report.passivity = metric(percentOfPoints(sums.passivityWeights, count), passivityBand);
  report.worstPassivityPoint = largestAt(report.passivityMeasure);
  if (reciprocity) {
    report.reciprocity = metric(percentOfPoints(sums.reciprocityWeights, count), passivityBand);
    report.worstReciprocityPoint = largestAt(report.reciprocityMeasure);
  }
  if (causality) {
    const auto smallest = std::min_element(report.causalityMeasure.begin(),
                                           report.causalityMeasure.end());
    const auto at = static_cast<std::uint32_t>(smallest - report.causalityMeasure.begin());
    report.causality = metric(*smallest, causalityBand);
    report.worstCausalityRow = at / report.ports;
    report.worstCausalityColumn = at % report.ports;
  }
  return report;
}

std::string qualityPointText(const File& file, std::size_t point) {
  const double hertz = file.getNetworkData()->frequencyInHz(static_cast<std::uint32_t>(point));
  return formatGeneral(hertz, 6) + " Hz";
}

}  // namespace touchstone2
