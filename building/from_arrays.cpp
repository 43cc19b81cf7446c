// A record made from arrays of values instead of read from a file: every
// value is checked against the rules the reader applies, so that whatever
// the checker would refuse is refused here, naming the field and the index,
// and the writers write a file that the checker accepts.

#include <touchstone2/building.h>

#include <cmath>
#include <cstddef>
#include <memory>
#include <stdexcept>
#include <utility>

#include "model/matrix_layouts.h"
#include "model/mixed_mode_rules.h"
#include "model/number_text.h"
#include "model/value_conversion.h"
#include "model/vocabulary.h"

namespace touchstone2 {

namespace {

using Complex = std::complex<double>;

[[noreturn]] void refuse(const std::string& text) { throw std::invalid_argument(text); }

std::string text(double value) {
  std::string out;
  appendShortest(out, value);
  return out;
}

std::string text(Complex value) {
  std::string out = "(";
  appendShortest(out, value.real());
  if (!std::signbit(value.imag()))
    out += '+';
  appendShortest(out, value.imag());
  return out + "j)";
}

std::string at(const std::string& argument, std::size_t index) {
  return argument + "[" + std::to_string(index) + "]";
}

// "data[k, i, j]" of the place'th value of the matrices.
std::string dataAt(std::size_t place, std::uint32_t ports) {
  const std::size_t perPoint = std::size_t{ports} * ports;
  const std::size_t k = place / perPoint;
  const std::size_t i = place % perPoint / ports;
  const std::size_t j = place % ports;
  return "data[" + std::to_string(k) + ", " + std::to_string(i) + ", " + std::to_string(j) + "]";
}

bool finite(Complex value) { return std::isfinite(value.real()) && std::isfinite(value.imag()); }

void requireSize(const std::string& argument, std::size_t size, std::size_t expected,
                 const std::string& what) {
  if (size != expected)
    refuse(argument + ": " + std::to_string(size) + " values, not " + what);
}

void requireFinite(const std::string& argument, const std::vector<double>& values) {
  for (std::size_t i = 0; i < values.size(); ++i) {
    if (!std::isfinite(values[i]))
      refuse(at(argument, i) + " = " + text(values[i]) + " is not finite");
  }
}

// Frequencies in the unit the record holds them in: finite, not negative,
// each above the one before. Dividing by the unit keeps their order but may
// make two neighbours equal, which is refused as well.
std::vector<double> inUnit(const std::string& argument, const std::vector<double>& hertz,
                           const FrequencyUnitWord& unit) {
  requireFinite(argument, hertz);
  for (std::size_t i = 0; i < hertz.size(); ++i) {
    if (hertz[i] < 0)
      refuse(at(argument, i) + " = " + text(hertz[i]) + " is negative");
  }
  std::vector<double> values(hertz.size());
  for (std::size_t i = 0; i < hertz.size(); ++i) {
    values[i] = hertz[i] / unit.hertz;
    if (i > 0 && !(values[i] > values[i - 1]))
      refuse(at(argument, i) + " = " + text(hertz[i]) +
             " does not rise above the value before it" +
             (hertz[i] > hertz[i - 1] ? std::string(" in ") + unit.word : std::string()));
  }
  return values;
}

void checkData(const NetworkArrays& arrays) {
  const std::uint32_t n = arrays.ports;
  const std::vector<Complex>& data = arrays.data;
  for (std::size_t place = 0; place < data.size(); ++place) {
    if (!finite(data[place]))
      refuse(dataAt(place, n) + " = " + text(data[place]) + " is not finite");
  }
  if ((arrays.parameter == ParameterType::H || arrays.parameter == ParameterType::G) && n != 2)
    refuse(std::string("parameter: ") + wordFor(kParameterTypes, arrays.parameter, "?") +
           "-parameters need 2 ports, data have " + std::to_string(n));
  if (arrays.format != DataFormat::RI) {
    for (std::size_t place = 0; place < data.size(); ++place) {
      const double magnitude = std::abs(data[place]);
      if (!std::isfinite(magnitude))
        refuse(dataAt(place, n) + " = " + text(data[place]) + " has no finite magnitude");
      if (arrays.format == DataFormat::DB && magnitude == 0)
        refuse(dataAt(place, n) + " = " + text(data[place]) +
               " has no DB form (its magnitude is 0)");
    }
  }
  if (arrays.matrixFormat != MatrixFormat::Full) {
    // A triangle holds a symmetric matrix only: an element that differs from
    // its mirror would be lost.
    const std::size_t perPoint = std::size_t{n} * n;
    for (std::size_t place = 0; place < data.size(); ++place) {
      const std::size_t i = place % perPoint / n;
      const std::size_t j = place % n;
      if (i > j && data[place] != data[place - (i - j) * n + (i - j)])
        refuse(dataAt(place, n) + " = " + text(data[place]) +
               " differs from its mirror above the diagonal: " +
               (arrays.matrixFormat == MatrixFormat::Upper ? "an Upper" : "a Lower") +
               " matrix holds one triangle of a symmetric matrix");
    }
  }
}

std::vector<double> references(const NetworkArrays& arrays) {
  const std::uint32_t n = arrays.ports;
  std::vector<double> values = arrays.reference;
  if (values.size() == 1)
    values.assign(n, values.front());
  if (values.size() != n)
    refuse("reference: " + std::to_string(arrays.reference.size()) +
           " values are neither one value nor " + std::to_string(n) + ", one per port");
  for (std::size_t i = 0; i < values.size(); ++i) {
    if (!(values[i] > 0) || !std::isfinite(values[i]))
      refuse(at("reference", i) + " = " + text(values[i]) + " is not a positive finite number");
  }
  return values;
}

std::vector<MixedModeDescriptor> mixedModeOrder(const std::vector<std::string>& texts,
                                                const std::vector<double>& reference) {
  const auto ports = static_cast<std::uint32_t>(reference.size());
  std::vector<MixedModeDescriptor> order(texts.size());
  for (std::size_t i = 0; i < texts.size(); ++i) {
    if (!descriptorNamed(texts[i], ports, order[i]))
      refuse(at("mixed_mode_order", i) + " = '" + texts[i] +
             "' is not S<port>, D<port>,<port> or C<port>,<port> with distinct ports from 1 "
             "to " + std::to_string(ports));
  }
  std::string fault = mixedModeOrderFault(order, reference, "mixed_mode_order");
  if (!fault.empty())
    refuse(fault);
  return order;
}

// The noise rows as the record holds them, values as given: frequency in the
// unit, minimum noise figure, reflection magnitude and angle, resistance.
std::unique_ptr<NoiseParams> noiseData(const NoiseArrays& noise, std::uint32_t ports,
                                       double networkTop, const FrequencyUnitWord& unit) {
  if (ports != 2)
    refuse("noise: noise parameters need 2 ports, data have " + std::to_string(ports));
  const std::size_t points = noise.frequency.size();
  if (points == 0)
    refuse("noise.frequency: no points");
  const std::string same = "one per noise frequency (" + std::to_string(points) + ")";
  requireSize("noise.nf_min", noise.minimumNoiseFigure.size(), points, same);
  requireSize("noise.gamma_opt", noise.optimumReflection.size(), points, same);
  requireSize("noise.rn", noise.noiseResistance.size(), points, same);
  const std::vector<double> frequency = inUnit("noise.frequency", noise.frequency, unit);
  requireFinite("noise.nf_min", noise.minimumNoiseFigure);
  requireFinite("noise.rn", noise.noiseResistance);
  if (frequency.front() > networkTop)
    refuse("noise.frequency[0] = " + text(noise.frequency.front()) +
           " lies above the last network frequency");
  auto params = std::make_unique<NoiseParams>(unit.hertz);
  for (std::size_t k = 0; k < points; ++k) {
    const Complex reflection = noise.optimumReflection[k];
    if (!finite(reflection) || !std::isfinite(std::abs(reflection)))
      refuse(at("noise.gamma_opt", k) + " = " + text(reflection) + " has no finite magnitude");
    if (!(noise.noiseResistance[k] > 0))
      refuse(at("noise.rn", k) + " = " + text(noise.noiseResistance[k]) + " is not positive");
    const ValuePair polar =
        convertValuePair(DataFormat::RI, DataFormat::MA, {reflection.real(), reflection.imag()});
    params->addPoint(frequency[k], noise.minimumNoiseFigure[k], polar.first, polar.second,
                     noise.noiseResistance[k]);
  }
  return params;
}

std::unique_ptr<NetworkParams> networkData(const NetworkArrays& arrays,
                                           const std::vector<double>& frequency,
                                           double multiplier) {
  const std::uint32_t n = arrays.ports;
  std::unique_ptr<NetworkParams> params;
  if (arrays.matrixFormat == MatrixFormat::Full)
    params = std::make_unique<FullNetworkParams>(n, multiplier, arrays.format);
  else
    params = std::make_unique<SymmetricNetworkParams>(n, multiplier, arrays.format);
  const Complex* value = arrays.data.data();
  for (double f : frequency) {
    const auto point = static_cast<std::uint32_t>(params->addFrequency(f));
    // A triangle's two mirrored places are one, and hold the same value.
    for (std::uint32_t i = 0; i < n; ++i) {
      for (std::uint32_t j = 0; j < n; ++j, ++value) {
        ValuePair pair =
            convertValuePair(DataFormat::RI, arrays.format, {value->real(), value->imag()});
        params->element(point, i, j).set(pair.first, pair.second);
      }
    }
  }
  return params;
}

template <typename Row, std::size_t N, typename Value>
const Row& rowOf(const Row (&table)[N], Value value, const char* argument) {
  const Row* row = rowFor(table, value);
  if (row == nullptr)
    refuse(std::string(argument) + ": not given");
  return *row;
}

}  // namespace

File fromArrays(const NetworkArrays& arrays, const std::string& name) {
  rowOf(kParameterTypes, arrays.parameter, "parameter");
  rowOf(kDataFormats, arrays.format, "format");
  rowOf(kMatrixFormats, arrays.matrixFormat, "matrix_format");
  const FrequencyUnitWord& unit = rowOf(kFrequencyUnits, arrays.frequencyUnit, "frequency_unit");
  const std::size_t points = arrays.frequency.size();
  const std::uint32_t n = arrays.ports;
  if (points == 0)
    refuse("frequency: no points");
  if (n == 0)
    refuse("data: no ports");
  requireSize("data", arrays.data.size(), points * n * n,
              "points x ports x ports = " + std::to_string(points * n * n));
  const std::vector<double> frequency = inUnit("frequency", arrays.frequency, unit);
  checkData(arrays);
  const std::vector<double> reference = references(arrays);
  std::vector<MixedModeDescriptor> order;
  if (arrays.mixedModeOrder)
    order = mixedModeOrder(*arrays.mixedModeOrder, reference);
  std::unique_ptr<NoiseParams> noise;
  if (arrays.noise)
    noise = noiseData(*arrays.noise, n, frequency.back(), unit);

  File file(name);
  file.setVersion(File::kVersion2);
  file.setParameterType(arrays.parameter);
  file.setFrequencyUnit(arrays.frequencyUnit);
  file.setFormat(arrays.format);
  file.setMatrixFormat(arrays.matrixFormat);
  if (n == 2)
    file.setTwoPortDataOrder(TwoPortDataOrder::Order12_21);
  file.setReferenceResistance(reference.front());
  file.setNumberOfPorts(n);
  file.setNumberOfFrequencies(static_cast<std::uint32_t>(points));
  file.setNetworkData(networkData(arrays, frequency, unit.hertz));
  // Equal references are the option line's resistance; only differing ones
  // need [Reference].
  bool perPort = false;
  for (double r : reference)
    perPort = perPort || r != reference.front();
  if (perPort)
    file.setReferenceImpedances(reference);
  else
    file.setDefaultReferenceImpedances();
  if (arrays.mixedModeOrder)
    file.setMixedModeOrder(std::move(order));
  else
    file.setDefaultMixedModeOrder();
  if (noise) {
    file.setNumberOfNoiseFrequencies(noise->pointCount());
    file.setNoiseData(std::move(noise));
  }
  file.setValid();
  return file;
}

}  // namespace touchstone2
