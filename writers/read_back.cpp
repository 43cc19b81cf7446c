// The check of a written file by the checker itself, before it may take the
// place of the old one.

#include "writers/read_back.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <string>

#include <touchstone2/diagnostic.h>
#include <touchstone2/file_output.h>
#include <touchstone2/parser.h>

namespace touchstone2 {

namespace {

// A value's text reads back as the same double, but version 1 gives Y, Z, H
// and G values and the noise resistance relative to the reference
// resistance, a rounding each way (in dB an addition, whose error is
// relative to the sum): a difference below this is that, while a value in
// the wrong place, with the wrong sign, scaled twice or cut to fewer digits
// is far beyond it.
constexpr double kValueTolerance = 1e-12;

bool near(double a, double b, double tolerance) {
  return std::fabs(a - b) <= tolerance * std::max(std::fabs(a), std::fabs(b));
}

// Pairs are compared as complex numbers, so that an angle of 180 and one of
// -180, or a tiny value in dB, do not count as different.
bool near(std::complex<double> x, std::complex<double> y, double tolerance) {
  return std::abs(x - y) <= tolerance * std::max(std::abs(x), std::abs(y));
}

bool nearPair(ValuePair a, ValuePair b, double tolerance) {
  return near(std::complex<double>(a.first, a.second), std::complex<double>(b.first, b.second),
              tolerance);
}

// Most values read back bit for bit, which needs no conversion; the rest
// are compared as complex numbers.
bool samePair(ConstElementRef a, ConstElementRef b, DataFormat format) {
  const ValuePair x = a.get(format);
  const ValuePair y = b.get(format);
  if (x.first == y.first && x.second == y.second)
    return true;
  return nearPair(a.get(DataFormat::RI), b.get(DataFormat::RI), kValueTolerance);
}

std::complex<double> reflection(const NoisePoint& point) {
  constexpr double kRadiansPerDegree = 3.14159265358979323846 / 180;
  return std::polar(point.reflectionMagnitude, point.reflectionAngle * kRadiansPerDegree);
}

std::string networkDifference(const NetworkParams* a, const NetworkParams* b) {
  const std::uint32_t points = a != nullptr ? a->frequencyCount() : 0;
  if ((b != nullptr ? b->frequencyCount() : 0) != points)
    return "the number of frequencies differs";
  for (std::uint32_t k = 0; k < points; ++k) {
    if (!near(a->frequencyInHz(k), b->frequencyInHz(k), kValueTolerance))
      return "frequency " + std::to_string(k + 1) + " differs";
    for (std::uint32_t row = 0; row < a->getNumberOfPorts(); ++row) {
      for (std::uint32_t col = 0; col < a->getNumberOfPorts(); ++col) {
        if (!samePair(a->element(k, row, col), b->element(k, row, col), a->getFormat()))
          return "the value at frequency " + std::to_string(k + 1) + ", row " +
                 std::to_string(row + 1) + ", column " + std::to_string(col + 1) + " differs";
      }
    }
  }
  return std::string();
}

std::string noiseDifference(const NoiseParams* a, const NoiseParams* b) {
  const std::uint32_t points = a != nullptr ? a->pointCount() : 0;
  if ((b != nullptr ? b->pointCount() : 0) != points)
    return "the number of noise frequencies differs";
  for (std::uint32_t k = 0; k < points; ++k) {
    const NoisePoint& x = a->point(k);
    const NoisePoint& y = b->point(k);
    if (!near(a->frequencyInHz(k), b->frequencyInHz(k), kValueTolerance) ||
        !near(x.minimumNoiseFigure, y.minimumNoiseFigure, kValueTolerance) ||
        !near(reflection(x), reflection(y), kValueTolerance) ||
        !near(x.noiseResistance, y.noiseResistance, kValueTolerance))
      return "noise point " + std::to_string(k + 1) + " differs";
  }
  return std::string();
}

// Keeps the error, the one diagnostic that matters here.
class ErrorKeeper : public MessageHandler {
 public:
  void error(const File&, const ParserError& error) override {
    code = error.getCode();
    line = error.getLine();
    column = error.getColumn();
    message = error.message();
  }
  void warning(const File&, const ParserWarning&) override {}
  std::string text() const {
    std::string text = "error E" + std::to_string(code);
    if (line != 0)
      text += " at line " + std::to_string(line);
    return text + ": " + message;
  }

  std::int32_t code = 0;
  std::uint32_t line = 0;
  std::uint32_t column = 0;
  std::string message;
};

void judge(const File& record, std::uint32_t version, const File& back,
           const ErrorKeeper& errors, const std::string& shownPath) {
  const std::string failed = "the text written for " + shownPath + " does not read back: ";
  if (!back.isValid())
    throw ReadBackError(failed + "the checker refuses it: " + errors.text(), errors.code,
                        errors.line, errors.column, errors.message);
  std::string problem;
  if (back.getVersion() != version)
    problem = "the version differs";
  else
    problem = firstDifference(record, back);
  if (!problem.empty())
    throw ReadBackError(failed + problem);
}

}  // namespace

std::string firstDifference(const File& record, const File& back) {
  if (record.getParameterType() != back.getParameterType())
    return "the parameter differs";
  if (record.getNumberOfPorts() != back.getNumberOfPorts())
    return "the number of ports differs";
  const std::vector<double>& a = record.getReferenceImpedances();
  const std::vector<double>& b = back.getReferenceImpedances();
  if (a.size() != b.size())
    return "the reference impedances differ";
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (!near(a[i], b[i], kValueTolerance))
      return "the reference impedance of port " + std::to_string(i + 1) + " differs";
  }
  std::string difference = networkDifference(record.getNetworkData(), back.getNetworkData());
  if (difference.empty())
    difference = noiseDifference(record.getNoiseData(), back.getNoiseData());
  return difference;
}

void checkReadBack(const File& record, std::uint32_t version, const std::string& writtenPath,
                   const std::string& shownPath) {
  File back(writtenPath);
  ErrorKeeper errors;
  Parser(back, errors).parse();
  judge(record, version, back, errors, shownPath);
}

void checkReadBackText(const File& record, std::uint32_t version, std::string_view text,
                   const std::string& shownPath) {
  File back(shownPath);
  ErrorKeeper errors;
  Parser(back, errors).parse(text);
  judge(record, version, back, errors, shownPath);
}

}  // namespace touchstone2
