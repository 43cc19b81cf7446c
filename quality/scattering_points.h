#ifndef TOUCHSTONE2_QUALITY_SCATTERING_POINTS_H
#define TOUCHSTONE2_QUALITY_SCATTERING_POINTS_H

#include <complex>
#include <cstddef>
#include <cstdint>
#include <vector>

#include <Eigen/Dense>
#include <touchstone2/file.h>

namespace touchstone2 {

using ComplexMatrix = Eigen::Matrix<std::complex<double>, Eigen::Dynamic, Eigen::Dynamic>;

// Converts matrices of one parameter type and one set of reference
// impedances to S-parameters, reusing its work space from matrix to matrix.
class ScatteringConverter {
 public:
  ScatteringConverter(ParameterType type, std::uint32_t ports, const double* reference);
  // m holds the values in ohms and siemens; it leaves holding S. Throws
  // std::domain_error where there is no S-parameter form.
  void convert(ComplexMatrix& m);

 private:
  ParameterType type_;
  // Scales an element (i, j) by scale_[i] * scale_[j] into the values
  // relative to the reference impedances.
  std::vector<double> scale_;
  ComplexMatrix sum_;
  Eigen::PartialPivLU<ComplexMatrix> lu_;
};

// The S-parameters of a record's points one at a time, as the record holds
// them (the same conversion of the stored pairs the arrays of the module get)
// and converted where the record holds another type.
class ScatteringPoints {
 public:
  explicit ScatteringPoints(const File& file);
  std::uint32_t ports() const { return ports_; }
  std::uint32_t count() const { return count_; }
  // Point k's S-parameters; valid until the next call.
  const ComplexMatrix& at(std::uint32_t k);

 private:
  const NetworkParams* data_;
  std::uint32_t ports_;
  std::uint32_t count_;
  bool convert_;
  // Where element (i, j) sits among a point's stored pairs, at i * ports + j:
  // looked up once, so that reading a point is one pass over its pairs.
  std::vector<std::size_t> places_;
  ScatteringConverter converter_;
  ComplexMatrix matrix_;
};

}  // namespace touchstone2

#endif
