// The compiled part of the touchstone2 Python module: reading a file or
// bytes into a ParsedFile, and handing its fields, arrays and texts to the
// Python package (python/touchstone2), which builds the public objects.
//
// Reading, filling the arrays and writing texts run with the interpreter
// lock released, so that threads can read several files at once; Python
// objects are made only before and after.

#include <complex>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <touchstone2/building.h>
#include <touchstone2/codes.h>
#include <touchstone2/file.h>
#include <touchstone2/file_output.h>

#include "model/mixed_mode_rules.h"
#include "python/src/array_filling.h"
#include "python/src/field_names.h"
#include "python/src/file_building.h"
#include "python/src/parsed_file.h"
#include "python/src/quality_binding.h"

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

// Between blocks of lines of a read, the signals that arrived meanwhile are
// handled, so that Ctrl-C ends a long read at once: the handler's exception
// (KeyboardInterrupt) leaves the read, which frees what it had built.
void checkSignals() {
  py::gil_scoped_acquire locked;
  if (PyErr_CheckSignals() != 0)
    throw py::error_already_set();
}

std::unique_ptr<ParsedFile> parsePath(const py::bytes& path) {
  std::string name = path;
  py::gil_scoped_release unlocked;
  return ParsedFile::fromPath(name, checkSignals);
}

std::unique_ptr<ParsedFile> parseBytes(py::handle data, const py::bytes& name) {
  BufferView view(data);
  std::string label = name;
  py::gil_scoped_release unlocked;
  return ParsedFile::fromBytes(view.contents(), label, checkSignals);
}

std::string nameOrEmpty(py::handle value) {
  return value.is_none() ? std::string() : value.cast<std::string>();
}

using Doubles = py::array_t<double, py::array::c_style | py::array::forcecast>;

// A record of values the package has checked: the header fields as
// header() gives them, frequencies in the unit, matrices as
// (points, ports, ports, 2) pairs in pair_format, the mixed-mode order as
// descriptors ("D1,2"), noise as (points, 5) rows of
// frequency, figure, magnitude, angle and resistance.
std::unique_ptr<ParsedFile> build(const py::dict& fields, const Doubles& frequency,
                                  const Doubles& pairs, const std::string& pairFormat,
                                  const std::vector<double>& reference, bool referenceGiven,
                                  const std::vector<std::string>& order,
                                  bool orderGiven, const py::object& noise,
                                  const py::bytes& name) {
  FileValues values;
  values.version = nameOrEmpty(fields["version"]);
  values.parameter = fields["parameter"].cast<std::string>();
  values.frequencyUnit = fields["frequency_unit"].cast<std::string>();
  values.format = fields["format"].cast<std::string>();
  values.matrixFormat = fields["matrix_format"].cast<std::string>();
  values.twoPortDataOrder = nameOrEmpty(fields["two_port_data_order"]);
  values.referenceResistance = fields["reference_resistance"].cast<double>();
  values.ports = fields["ports"].cast<std::uint32_t>();
  values.points = static_cast<std::size_t>(frequency.size());
  const std::size_t n = values.ports;
  if (frequency.ndim() != 1 || static_cast<std::size_t>(pairs.size()) != values.points * n * n * 2)
    throw py::value_error("the arrays do not match the number of points and ports");
  values.frequencies = frequency.data();
  values.pairs = pairs.data();
  values.pairFormat = pairFormat;
  values.reference = reference;
  values.referenceGiven = referenceGiven;
  for (const std::string& text : order) {
    MixedModeDescriptor descriptor;
    if (!descriptorNamed(text, values.ports, descriptor))
      throw py::value_error("not a mixed-mode descriptor: " + text);
    values.mixedModeOrder.push_back(descriptor);
  }
  values.mixedModeOrderGiven = orderGiven;
  if (!noise.is_none()) {
    Doubles rows = noise.cast<Doubles>();
    if (rows.ndim() != 2 || rows.shape(1) != 5)
      throw py::value_error("noise rows have five values");
    for (py::ssize_t k = 0; k < rows.shape(0); ++k)
      values.noise.push_back({rows.at(k, 0), rows.at(k, 1), rows.at(k, 2), rows.at(k, 3),
                              rows.at(k, 4)});
  }
  std::string label = name;
  try {
    return ParsedFile::fromValues(values, label);
  } catch (const std::invalid_argument& error) {
    throw py::value_error(error.what());
  }
}

using Complexes =
    py::array_t<std::complex<double>, py::array::c_style | py::array::forcecast>;

template <typename Array>
auto valuesOf(const Array& array) {
  return std::vector<typename Array::value_type>(array.data(), array.data() + array.size());
}

// The library's record of arrays: every value is checked there, and a
// refusal (std::invalid_argument, naming the argument and the index) becomes
// a ValueError. The package hands over NumPy arrays of the right types and
// the library's own spelling of the words.
std::unique_ptr<ParsedFile> fromArrays(
    const Doubles& frequency, const Complexes& data, const std::string& parameter,
    const Doubles& reference, const py::object& noise, const std::string& frequencyUnit,
    const std::string& format, const std::string& matrixFormat,
    const std::optional<std::vector<std::string>>& mixedModeOrder, const py::bytes& name) {
  NetworkArrays arrays;
  if (data.ndim() != 3)
    throw py::value_error("data: not an array of (points, ports, ports)");
  arrays.ports = static_cast<std::uint32_t>(data.shape(1));
  arrays.frequency = valuesOf(frequency);
  arrays.data = valuesOf(data);
  arrays.parameter = parameterTypeNamed(parameter);
  arrays.reference = valuesOf(reference);
  arrays.frequencyUnit = frequencyUnitNamed(frequencyUnit);
  arrays.format = formatNamed(format);
  arrays.matrixFormat = matrixFormatNamed(matrixFormat);
  arrays.mixedModeOrder = mixedModeOrder;
  if (!noise.is_none()) {
    auto [hertz, figure, reflection, resistance] =
        noise.cast<std::tuple<Doubles, Doubles, Complexes, Doubles>>();
    arrays.noise = NoiseArrays{valuesOf(hertz), valuesOf(figure), valuesOf(reflection),
                               valuesOf(resistance)};
  }
  std::string label = name;
  std::unique_ptr<ParsedFile> parsed;
  try {
    py::gil_scoped_release unlocked;
    parsed = ParsedFile::fromRecord(touchstone2::fromArrays(arrays, label));
  } catch (const std::invalid_argument& refusal) {
    throw py::value_error(refusal.what());
  }
  return parsed;
}

// The values as the record stores them, from which build() makes the same
// record again: (frequencies in the unit, pairs in the file's format as
// build() takes them, noise rows or None).
py::tuple stored(const ParsedFile& parsed) {
  const File& file = parsed.file();
  const NetworkParams* data = file.getNetworkData();
  const py::ssize_t points = data != nullptr ? data->frequencyCount() : 0;
  const py::ssize_t ports = file.getNumberOfPorts();
  py::array_t<double> frequency(points);
  py::array_t<double> pairs({points, ports, ports, py::ssize_t{2}});
  double* f = frequency.mutable_data();
  double* out = pairs.mutable_data();
  for (py::ssize_t k = 0; k < points; ++k) {
    f[k] = data->frequency(static_cast<std::uint32_t>(k));
    for (py::ssize_t i = 0; i < ports; ++i) {
      for (py::ssize_t j = 0; j < ports; ++j) {
        ValuePair value = data->element(static_cast<std::uint32_t>(k),
                                        static_cast<std::uint32_t>(i),
                                        static_cast<std::uint32_t>(j)).get(file.getFormat());
        *out++ = value.first;
        *out++ = value.second;
      }
    }
  }
  py::object noise = py::none();
  if (const NoiseParams* params = file.getNoiseData()) {
    py::array_t<double> rows({py::ssize_t{params->pointCount()}, py::ssize_t{5}});
    double* row = rows.mutable_data();
    for (std::uint32_t k = 0; k < params->pointCount(); ++k) {
      const NoisePoint& point = params->point(k);
      for (double value : {point.frequency, point.minimumNoiseFigure, point.reflectionMagnitude,
                           point.reflectionAngle, point.noiseResistance})
        *row++ = value;
    }
    noise = rows;
  }
  return py::make_tuple(frequency, pairs, noise);
}

// (code, "error" or "warning", line, column, message), in the order of the
// parse; line and column 0 where there is none.
py::list diagnostics(const ParsedFile& parsed) {
  py::list records;
  for (const DiagnosticRecord& record : parsed.diagnostics()) {
    records.append(py::make_tuple(static_cast<std::int32_t>(record.code),
                                  record.severity == Severity::Error ? "error" : "warning",
                                  record.line, record.column, toStr(record.text)));
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

// A writer's refusal becomes a ValueError with its reason.
py::str text(const ParsedFile& parsed, const std::string& version) {
  std::string text;
  try {
    py::gil_scoped_release unlocked;
    text = parsed.text(version);
  } catch (const std::runtime_error& refusal) {
    throw py::value_error(refusal.what());
  }
  return toStr(text);
}

// Writes the file to path through writeFile. A file-system failure becomes
// the OSError subclass of its errno (PermissionError, FileNotFoundError,
// ...) naming the path, or the folder where no temporary file could be
// made; a writer's refusal a ValueError, and a failed read-back a ValueError
// of (text, the checker's error record or None).
void writeFileAt(const ParsedFile& parsed, const py::bytes& path, const std::string& version,
                 bool atomic) {
  std::string name = path;
  int error = 0;
  std::string failedPath;
  try {
    py::gil_scoped_release unlocked;
    parsed.writeTo(version, name, !atomic);
    return;
  } catch (const FileOutputError& failure) {
    error = failure.code().value();
    failedPath = failure.path();
  } catch (const ReadBackError& refusal) {
    // With the checker's error as diagnostics() gives one, when it has one.
    py::object record = py::none();
    if (refusal.code() != 0)
      record = py::make_tuple(refusal.code(), "error", refusal.line(), refusal.column(),
                              toStr(refusal.checkerMessage()));
    PyErr_SetObject(PyExc_ValueError, py::make_tuple(refusal.what(), record).ptr());
    throw py::error_already_set();
  } catch (const std::runtime_error& refusal) {
    throw py::value_error(refusal.what());
  }
  py::object os = py::module_::import("os");
  py::object filename = os.attr("fsdecode")(py::bytes(failedPath));
  py::object raised = py::reinterpret_borrow<py::object>(PyExc_OSError)(
      error, os.attr("strerror")(error), filename);
  PyErr_SetObject(reinterpret_cast<PyObject*>(Py_TYPE(raised.ptr())), raised.ptr());
  throw py::error_already_set();
}

// The library's diagnostic codes by name ("FileNotFound": 1001), so that the
// package names the codes it treats apart instead of repeating numbers.
py::dict codes() {
  py::dict byName;
  for (std::size_t i = 0; i < kCodeCount; ++i)
    byName[kCodes[i].name] = static_cast<std::int32_t>(kCodes[i].code);
  return byName;
}

py::str description(const ParsedFile& parsed) {
  std::string text;
  {
    py::gil_scoped_release unlocked;
    text = parsed.description();
  }
  return toStr(text);
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
      .def("stored", &stored, "(frequency in the unit, pairs, noise rows) as build() takes them.")
      .def("text", &text, py::arg("version"),
           "The text of that version; ValueError where it cannot express the file.")
      .def("write_file", &writeFileAt, py::arg("path"), py::arg("version"), py::arg("atomic"),
           "Writes the file to path (bytes), through a temporary file if atomic.")
      .def("describe", &description, "The long-form description.");

  module.attr("versions") = py::tuple(py::cast(ParsedFile::versions()));
  py::dict words;
  for (const auto& [field, names] : fieldWords())
    words[py::str(field)] = py::tuple(py::cast(names));
  module.attr("words") = words;
  module.def("build", &build, py::arg("fields"), py::arg("frequency"), py::arg("pairs"),
             py::arg("pair_format"), py::arg("reference"), py::arg("reference_given"),
             py::arg("mixed_mode_order"), py::arg("mixed_mode_order_given"), py::arg("noise"),
             py::arg("name"), "A valid record of checked values.");

  module.def("from_arrays", &fromArrays, py::arg("frequency"), py::arg("data"),
             py::arg("parameter"), py::arg("reference"), py::arg("noise"),
             py::arg("frequency_unit"), py::arg("format"), py::arg("matrix_format"),
             py::arg("mixed_mode_order"), py::arg("name"),
             "A valid record of arrays; ValueError naming the argument and index otherwise.");

  defineQuality(module);
  module.def("parse_path", &parsePath, py::arg("path"),
             "Reads the file at path (bytes), which also names it in diagnostics.");
  module.def("parse_bytes", &parseBytes, py::arg("data"), py::arg("name"),
             "Reads the bytes of any buffer; name (bytes) names them in diagnostics.");
}
