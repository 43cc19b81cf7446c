// The compiled part of the touchstone2 Python module: reading a file or
// bytes into a ParsedFile, and handing its fields, arrays and texts to the
// Python package (python/touchstone2), which builds the public objects.
//
// Reading, filling the arrays and writing texts run with the interpreter
// lock released, so that threads can read several files at once; Python
// objects are made only before and after.

#include <complex>
#include <cstddef>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>

#include <touchstone2/codes.h>
#include <touchstone2/file.h>

#include "python/src/array_filling.h"
#include "python/src/field_names.h"
#include "python/src/parsed_file.h"

#ifndef TOUCHSTONE2_VERSION
#error "the build defines TOUCHSTONE2_VERSION, the project's version"
#endif

namespace py = pybind11;

namespace touchstone2::python {

namespace {

// The bytes of any object with the buffer protocol (bytes, bytearray,
// memoryview, mmap, a NumPy array), held for the view's lifetime. While it
// is held the exporter keeps the bytes where they are (a bytearray refuses
// to resize), so they can be read with the interpreter lock released. Made
// and destroyed with the lock held.
class BufferView {
 public:
  // Raises TypeError for an object without the protocol and BufferError for
  // one whose bytes are not contiguous.
  explicit BufferView(pybind11::handle object) {
    if (PyObject_GetBuffer(object.ptr(), &view_, PyBUF_SIMPLE) != 0)
      throw pybind11::error_already_set();
  }
  ~BufferView() { PyBuffer_Release(&view_); }
  BufferView(const BufferView&) = delete;
  BufferView& operator=(const BufferView&) = delete;

  std::string_view contents() const {
    return {static_cast<const char*>(view_.buf), static_cast<std::size_t>(view_.len)};
  }

 private:
  Py_buffer view_;
};

// Text of the library as str: UTF-8, any other byte kept as a lone
// surrogate, the way Python decodes file names, so that a name given as str
// comes back unchanged in the diagnostics and the description.
py::str toStr(const std::string& text) {
  PyObject* decoded = PyUnicode_DecodeUTF8(text.data(), static_cast<Py_ssize_t>(text.size()),
                                           "surrogateescape");
  if (decoded == nullptr)
    throw py::error_already_set();
  return py::reinterpret_steal<py::str>(decoded);
}

py::object nameOrNone(const char* name) {
  if (name == nullptr)
    return py::none();
  return py::str(name);
}

std::unique_ptr<ParsedFile> parsePath(const py::bytes& path) {
  std::string name = path;
  py::gil_scoped_release unlocked;
  return ParsedFile::fromPath(name);
}

std::unique_ptr<ParsedFile> parseBytes(py::handle data, const py::bytes& name) {
  BufferView view(data);
  std::string label = name;
  py::gil_scoped_release unlocked;
  return ParsedFile::fromBytes(view.contents(), label);
}

// (code, "error" or "warning", line, column, message), in the order of the
// parse; line and column 0 where there is none.
py::list diagnostics(const ParsedFile& parsed) {
  py::list records;
  for (const DiagnosticRecord& record : parsed.diagnostics()) {
    records.append(py::make_tuple(record.code, record.error ? "error" : "warning", record.line,
                                  record.column, toStr(record.message)));
  }
  return records;
}

py::dict header(const ParsedFile& parsed) {
  const File& file = parsed.file();
  py::list order;
  for (const MixedModeDescriptor& descriptor : file.getMixedModeOrder())
    order.append(descriptorName(descriptor));
  py::dict fields;
  fields["version"] = nameOrNone(versionName(file.getVersion()));
  fields["parameter"] = parameterName(file.getParameterType());
  fields["ports"] = file.getNumberOfPorts();
  fields["frequency_unit"] = nameOrNone(frequencyUnitName(file.getFrequencyUnit()));
  fields["format"] = nameOrNone(formatName(file.getFormat()));
  fields["reference_resistance"] = file.getReferenceResistance();
  fields["matrix_format"] = nameOrNone(matrixFormatName(file.getMatrixFormat()));
  fields["two_port_data_order"] = nameOrNone(twoPortDataOrderName(file.getTwoPortDataOrder()));
  fields["mixed_mode_order"] = order;
  fields["reference_given"] = file.getReferenceImpedancesGiven();
  fields["mixed_mode_order_given"] = file.getMixedModeOrderGiven();
  return fields;
}

// (frequency, nf_min, gamma_opt, rn), or None without noise data.
py::object noiseArrays(const NoiseParams* noise) {
  if (noise == nullptr || noise->pointCount() == 0)
    return py::none();
  const py::ssize_t points = noise->pointCount();
  py::array_t<double> hertz(points);
  py::array_t<double> minimumNoiseFigure(points);
  py::array_t<std::complex<double>> reflection(points);
  py::array_t<double> noiseResistance(points);
  copyNoise(*noise, hertz.mutable_data(), minimumNoiseFigure.mutable_data(),
            reflection.mutable_data(), noiseResistance.mutable_data());
  return py::make_tuple(hertz, minimumNoiseFigure, reflection, noiseResistance);
}

// (frequency, data, reference, noise) of a valid file. The arrays are made
// empty with the lock held and filled without it.
py::tuple arrays(const ParsedFile& parsed) {
  const File& file = parsed.file();
  const NetworkParams* data = file.getNetworkData();
  const py::ssize_t points = data != nullptr ? data->frequencyCount() : 0;
  const py::ssize_t ports = file.getNumberOfPorts();
  py::array_t<double> frequency(points);
  py::array_t<std::complex<double>> matrices({points, ports, ports});
  double* hertz = frequency.mutable_data();
  std::complex<double>* values = matrices.mutable_data();
  if (data != nullptr) {
    py::gil_scoped_release unlocked;
    copyFrequencies(*data, hertz);
    copyMatrices(*data, values);
  }
  const std::vector<double>& impedances = file.getReferenceImpedances();
  py::array_t<double> reference(static_cast<py::ssize_t>(impedances.size()), impedances.data());
  return py::make_tuple(frequency, matrices, reference, noiseArrays(file.getNoiseData()));
}

template <std::string (ParsedFile::*write)() const>
py::str writeOut(const ParsedFile& parsed) {
  std::string text;
  {
    py::gil_scoped_release unlocked;
    text = (parsed.*write)();
  }
  return toStr(text);
}

// The library's diagnostic codes by name ("FileNotFound": 1001), so that the
// package names the codes it treats apart instead of repeating numbers.
py::dict codes() {
  py::dict byName;
  for (std::size_t i = 0; i < kCodeCount; ++i)
    byName[kCodes[i].name] = static_cast<std::int32_t>(kCodes[i].code);
  return byName;
}

// The v1 writer's refusal becomes a ValueError with its reason.
py::str canonicalV1(const ParsedFile& parsed) {
  try {
    return writeOut<&ParsedFile::canonicalV1>(parsed);
  } catch (const std::runtime_error& refusal) {
    throw py::value_error(refusal.what());
  }
}

}  // namespace

}  // namespace touchstone2::python

PYBIND11_MODULE(_core, module) {
  using namespace touchstone2::python;
  module.doc() =
      "Compiled core of touchstone2: the library's parser, writers and description. "
      "Use the touchstone2 package, not this module.";
  module.attr("__version__") = TOUCHSTONE2_VERSION;
  module.attr("codes") = codes();

  py::class_<ParsedFile>(module, "ParsedFile",
                         "One read: the file record and every diagnostic of it.")
      .def_property_readonly("valid", &ParsedFile::valid, "True when the file was accepted.")
      .def("diagnostics", &diagnostics,
           "(code, severity, line, column, message) tuples, 0 for no line or column.")
      .def("header", &header, "The option line and keyword fields, as a dict.")
      .def("arrays", &arrays, "(frequency, data, reference, noise) of a valid file.")
      .def("canonical", &writeOut<&ParsedFile::canonical>, "The canonical v2.0 text.")
      .def("canonical_v1", &canonicalV1,
           "The v1 text; ValueError where v1 cannot express the file.")
      .def("describe", &writeOut<&ParsedFile::description>, "The long-form description.");

  module.def("parse_path", &parsePath, py::arg("path"),
             "Reads the file at path (bytes), which also names it in diagnostics.");
  module.def("parse_bytes", &parseBytes, py::arg("data"), py::arg("name"),
             "Reads the bytes of any buffer; name (bytes) names them in diagnostics.");
}
