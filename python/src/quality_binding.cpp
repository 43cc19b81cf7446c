#include "python/src/quality_binding.h"

#ifdef TOUCHSTONE2_QUALITY

#include <complex>
#include <stdexcept>

#include <pybind11/numpy.h>
#include <touchstone2/quality.h>
#include <touchstone2/scattering.h>

#include "python/src/parsed_file.h"

namespace py = pybind11;

namespace touchstone2::python {

namespace {

py::array_t<double> arrayOf(const std::vector<double>& values) {
  return py::array_t<double>(static_cast<py::ssize_t>(values.size()), values.data());
}

// (value, band name), or (None, None) where not applicable.
py::tuple metric(const QualityMetric& metric) {
  if (!metric.applicable)
    return py::make_tuple(py::none(), py::none());
  return py::make_tuple(metric.value, qualityBandName(metric.band));
}

// ((passivity, band), (reciprocity, band), (causality, band), PM_k, RM_k or
// None, the CQM matrix or None). Computed with the interpreter lock released.
py::tuple quality(const ParsedFile& parsed) {
  QualityReport report;
  try {
    py::gil_scoped_release unlocked;
    report = assessQuality(parsed.file());
  } catch (const std::domain_error& reason) {
    throw py::value_error(reason.what());
  }
  py::object rm = py::none();
  if (report.reciprocity.applicable)
    rm = arrayOf(report.reciprocityMeasure);
  py::object cqm = py::none();
  if (report.causality.applicable) {
    const auto ports = static_cast<py::ssize_t>(report.ports);
    cqm = arrayOf(report.causalityMeasure).reshape({ports, ports});
  }
  return py::make_tuple(metric(report.passivity), metric(report.reciprocity),
                        metric(report.causality), arrayOf(report.passivityMeasure), rm, cqm);
}

// The S-parameters of every point, (points, ports, ports).
py::array_t<std::complex<double>> toS(const ParsedFile& parsed) {
  const File& file = parsed.file();
  const NetworkParams* data = file.getNetworkData();
  const py::ssize_t points = data != nullptr ? data->frequencyCount() : 0;
  const py::ssize_t ports = file.getNumberOfPorts();
  py::array_t<std::complex<double>> s({points, ports, ports});
  std::complex<double>* out = s.mutable_data();
  try {
    py::gil_scoped_release unlocked;
    copyScatteringMatrices(file, out);
  } catch (const std::domain_error& reason) {
    throw py::value_error(reason.what());
  }
  return s;
}

}  // namespace

void defineQuality(py::module_& module) {
  module.attr("quality_built_in") = true;
  module.def("quality", &quality, py::arg("parsed"),
             "The quality metrics of a valid record, as tuples and arrays.");
  module.def("to_s", &toS, py::arg("parsed"), "The S-parameters of a valid record.");
}

}  // namespace touchstone2::python

#else

namespace touchstone2::python {

void defineQuality(pybind11::module_& module) { module.attr("quality_built_in") = false; }

}  // namespace touchstone2::python

#endif
