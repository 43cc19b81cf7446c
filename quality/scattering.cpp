#include <touchstone2/scattering.h>

#include <cmath>
#include <stdexcept>
#include <string>

#include "model/number_text.h"
#include "model/value_conversion.h"
#include "quality/scattering_points.h"

namespace touchstone2 {

namespace {

// In values relative to the references (z = Z / z0, y = Y z0, and for the
// hybrid types the impedance side divided, the admittance side multiplied),
// every type becomes S by s = K (m + 1)^-1 (m - 1): K is the identity for
// Z, minus it for Y, and for H and G the diagonal (1, -1), negated for G,
// because their second port's roles of voltage and current are swapped.
// Each port contributes the square root of its reference to the scale.
double portScale(ParameterType type, std::uint32_t port, double reference) {
  const double root = std::sqrt(reference);
  switch (type) {
    case ParameterType::Y: return root;
    case ParameterType::H: return port == 0 ? 1.0 / root : root;
    case ParameterType::G: return port == 0 ? root : 1.0 / root;
    default: return 1.0 / root;  // Z
  }
}

// One reference impedance per port, as every valid record has.
const double* referenceOf(const File& file, std::uint32_t ports) {
  if (file.getReferenceImpedances().size() < ports)
    throw std::invalid_argument("the record has fewer reference impedances than ports");
  return file.getReferenceImpedances().data();
}

}  // namespace

ScatteringConverter::ScatteringConverter(ParameterType type, std::uint32_t ports,
                                         const double* reference)
    : type_(type), scale_(ports, 1.0), sum_(ports, ports), lu_(ports) {
  if ((type == ParameterType::H || type == ParameterType::G) && ports != 2 && ports != 0)
    throw std::invalid_argument("H- and G-parameters have two ports");
  for (std::uint32_t i = 0; i < ports; ++i)
    scale_[i] = portScale(type, i, reference[i]);
}

void ScatteringConverter::convert(ComplexMatrix& m) {
  if (type_ == ParameterType::S)
    return;
  const Eigen::Index n = m.rows();
  for (Eigen::Index j = 0; j < n; ++j)
    for (Eigen::Index i = 0; i < n; ++i)
      m(i, j) *= scale_[static_cast<std::size_t>(i)] * scale_[static_cast<std::size_t>(j)];
  sum_ = m;
  sum_.diagonal().array() += 1.0;
  m.diagonal().array() -= 1.0;
  lu_.compute(sum_);
  m = lu_.solve(m);
  if (type_ == ParameterType::Y || type_ == ParameterType::G)
    m = -m;
  if (type_ == ParameterType::H || type_ == ParameterType::G)
    m.row(1) = -m.row(1);
  // A singular m + 1 leaves infinities or NaN behind; the factorisation
  // itself does not say so.
  if (!m.allFinite())
    throw std::domain_error("the matrix has no S-parameter form");
}

ScatteringPoints::ScatteringPoints(const File& file)
    : data_(file.getNetworkData()),
      ports_(data_ != nullptr ? data_->getNumberOfPorts() : 0),
      count_(data_ != nullptr ? data_->frequencyCount() : 0),
      convert_(file.getParameterType() != ParameterType::S),
      converter_(file.getParameterType(), ports_, referenceOf(file, ports_)),
      matrix_(ports_, ports_) {
  places_.reserve(std::size_t{ports_} * ports_);
  for (std::uint32_t i = 0; i < ports_; ++i)
    for (std::uint32_t j = 0; j < ports_; ++j)
      places_.push_back(data_->elementIndex(i, j));
}

const ComplexMatrix& ScatteringPoints::at(std::uint32_t k) {
  const ValuePair* pairs = data_->pointPairs(k);
  const DataFormat format = data_->getFormat();
  const std::size_t* place = places_.data();
  for (std::uint32_t i = 0; i < ports_; ++i) {
    for (std::uint32_t j = 0; j < ports_; ++j, ++place) {
      // The same conversion as the element's get(DataFormat::RI), skipped
      // where the pairs are stored as real and imaginary parts already.
      const ValuePair value = format == DataFormat::RI
                                  ? pairs[*place]
                                  : convertValuePair(format, DataFormat::RI, pairs[*place]);
      matrix_(i, j) = {value.first, value.second};
    }
  }
  if (convert_) {
    try {
      converter_.convert(matrix_);
    } catch (const std::domain_error&) {
      throw std::domain_error("the values at " + formatGeneral(data_->frequencyInHz(k)) +
                              " Hz have no S-parameter form");
    }
  }
  return matrix_;
}

void convertToScattering(ParameterType type, std::uint32_t ports, const double* reference,
                         std::complex<double>* matrix) {
  ScatteringConverter converter(type, ports, reference);
  ComplexMatrix m(ports, ports);
  for (std::uint32_t i = 0; i < ports; ++i)
    for (std::uint32_t j = 0; j < ports; ++j)
      m(i, j) = matrix[i * ports + j];
  converter.convert(m);
  for (std::uint32_t i = 0; i < ports; ++i)
    for (std::uint32_t j = 0; j < ports; ++j)
      matrix[i * ports + j] = m(i, j);
}

void copyScatteringMatrices(const File& file, std::complex<double>* out) {
  ScatteringPoints points(file);
  const std::uint32_t ports = points.ports();
  for (std::uint32_t k = 0; k < points.count(); ++k) {
    const ComplexMatrix& s = points.at(k);
    for (std::uint32_t i = 0; i < ports; ++i)
      for (std::uint32_t j = 0; j < ports; ++j)
        *out++ = s(i, j);
  }
}

}  // namespace touchstone2
