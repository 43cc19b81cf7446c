#include "writers/sections.h"

#include <algorithm>
#include <utility>

#include "model/value_conversion.h"
#include "model/vocabulary.h"
#include "model/number_text.h"
#include "writers/text_buffer.h"

namespace touchstone2 {

namespace {

// Network data and their frequencies are written with sixteen significant
// digits, the rest with six, more wherever a value needs them to read back as
// itself (appendExact).
constexpr int kDefaultPrecision = 6;
constexpr int kDataPrecision = 16;
constexpr std::size_t kFieldWidth = 20;
constexpr std::size_t kNoiseFrequencyWidth = 8;

// Continuation lines are indented to the width of the frequency field, so that
// pairs stay in the columns of the header comment.
const char kHeaderStart[] = "! freq              ";
const char kHeaderContinuation[] = "!                   ";
const char kDataContinuation[] = "                    ";

// How the pairs of one frequency point are spread over lines.
struct PointLayout {
  std::uint32_t dimension;  // N of the matrix
  bool columnFirst;         // a 2-port point in the order 11 21 12 22
  bool rowPerLine;          // each matrix row starts a new line
  bool wrapAtFour;          // no line holds more than four pairs
};

PointLayout pointLayout(const File& file, const NetworkParams& data, const DataLayout& layout) {
  std::uint32_t ports = file.getNumberOfPorts();
  return {data.getNumberOfPorts(), ports == 2 && layout.columnFirstTwoPort,
          ports > 2 && !layout.fourPairsPerLine, ports > 2 && layout.fourPairsPerLine};
}

// Whether a line break comes before the pair at (row, col).
bool breaksBefore(const PointLayout& layout, std::uint32_t row, std::uint32_t col) {
  if (layout.rowPerLine)
    return row > 0 && col == 0;
  if (layout.wrapAtFour)
    return col % 4 == 0 && (row != 0 || col != 0);
  return false;
}

// " word" of an option that is given, nothing for one that is not.
template <typename Row, std::size_t N, typename Value>
void appendOption(std::string& line, const Row (&table)[N], Value value) {
  if (const Row* row = rowFor(table, value)) {
    line += ' ';
    line += row->word;
  }
}

// A header label such as "S21dB", left-justified in its field.
void putLabel(TextBuffer& text, const char* letter, std::uint32_t first, std::uint32_t second,
              const char* name) {
  std::size_t start = text.size();
  text.put(letter);
  text.putUnsigned(first);
  text.putUnsigned(second);
  text.put(name);
  text.padFrom(start, kFieldWidth);
}

void writeHeaderComment(TextBuffer& text, const File& file, const PointLayout& layout) {
  const char* letter = wordFor(kParameterTypes, file.getParameterType(), "_");
  const DataFormatWord* format = rowFor(kDataFormats, file.getFormat());
  const char* firstName = format != nullptr ? format->firstColumn : "";
  const char* secondName = format != nullptr ? format->secondColumn : "";
  text.put(kHeaderStart);
  for (std::uint32_t row = 0; row < layout.dimension; ++row) {
    for (std::uint32_t col = 0; col < layout.dimension; ++col) {
      if (breaksBefore(layout, row, col)) {
        text.put('\n');
        text.put(kHeaderContinuation);
      }
      std::uint32_t first = row + 1;
      std::uint32_t second = col + 1;
      if (layout.columnFirst)
        std::swap(first, second);
      text.put("  ", 2);
      putLabel(text, letter, first, second, firstName);
      text.put(' ');
      putLabel(text, letter, first, second, secondName);
    }
  }
  text.put('\n');
}

// r: the resistance scaled values are relative to.
void writeDataPoint(TextBuffer& text, const File& file, const NetworkParams& data,
                    const PointLayout& layout, bool scaled, double r, std::uint32_t point) {
  const DataFormat format = file.getFormat();
  const ParameterType type = file.getParameterType();
  text.putExactPadded(data.frequency(point), kDataPrecision, kFieldWidth);
  for (std::uint32_t row = 0; row < layout.dimension; ++row) {
    for (std::uint32_t col = 0; col < layout.dimension; ++col) {
      if (breaksBefore(layout, row, col)) {
        text.put('\n');
        text.put(kDataContinuation, sizeof kDataContinuation - 1);
      }
      ValuePair pair = layout.columnFirst ? data.element(point, col, row).get(format)
                                          : data.element(point, row, col).get(format);
      if (scaled)
        scaleToVersion1(type, format, r, row, col, pair.first, pair.second);
      text.put("  ", 2);
      text.putExactPadded(pair.first, kDataPrecision, kFieldWidth);
      text.put(' ');
      text.putExactPadded(pair.second, kDataPrecision, kFieldWidth);
    }
  }
  text.put('\n');
}

}  // namespace

void writeText(std::ostream& out, const std::string& text) {
  out.write(text.data(), static_cast<std::streamsize>(text.size()));
}

double scalingResistance(const File& file, const DataLayout& layout) {
  if (layout.resistancePerPort && !file.getReferenceImpedances().empty())
    return file.getReferenceImpedances().front();
  return file.getReferenceResistance();
}

void writeOptionLine(std::ostream& out, const File& file, const DataLayout& layout) {
  std::string line = "#";
  appendOption(line, kFrequencyUnits, file.getFrequencyUnit());
  appendOption(line, kParameterTypes, file.getParameterType());
  appendOption(line, kDataFormats, file.getFormat());
  // Exact, as v1 values of Y, Z, H and G are relative to it.
  if (layout.resistancePerPort) {
    line += ' ';
    line += kResistanceOption;
    for (double resistance : file.getReferenceImpedances()) {
      line += ' ';
      appendExact(line, resistance, kDefaultPrecision);
    }
  } else if (file.getReferenceResistance() > 0) {
    line += ' ';
    line += kResistanceOption;
    line += ' ';
    appendExact(line, file.getReferenceResistance(), kDefaultPrecision);
  }
  line += '\n';
  writeText(out, line);
}

void writeNetworkData(std::ostream& out, const File& file, const DataLayout& layout) {
  const NetworkParams* data = file.getNetworkData();
  if (data == nullptr || data->frequencyCount() == 0)
    return;
  PointLayout points = pointLayout(file, *data, layout);
  // S-parameters have no dimension: nothing to scale, pair by pair.
  const bool scaled = layout.relativeToResistance && scaledInVersion1(file.getParameterType());
  const double r = scalingResistance(file, layout);
  TextBuffer text(out);
  writeHeaderComment(text, file, points);
  for (std::uint32_t point = 0; point < data->frequencyCount(); ++point)
    writeDataPoint(text, file, *data, points, scaled, r, point);
  text.flush();
}

void writeNoiseData(std::ostream& out, const File& file, const DataLayout& layout) {
  const NoiseParams* noise = file.getNoiseData();
  if (noise == nullptr || noise->pointCount() == 0)
    return;
  TextBuffer text(out);
  for (std::uint32_t i = 0; i < noise->pointCount(); ++i) {
    const NoisePoint& point = noise->point(i);
    double resistance = point.noiseResistance;
    if (layout.relativeToResistance)
      resistance = noiseResistanceToVersion1(resistance, scalingResistance(file, layout));
    // The layout of "%-8g  %g  %g  %g  %g": six significant digits where
    // they keep the value, the frequency filled to eight characters.
    text.putExactPadded(point.frequency, kDefaultPrecision, kNoiseFrequencyWidth);
    for (double value : {point.minimumNoiseFigure, point.reflectionMagnitude,
                         point.reflectionAngle, resistance}) {
      text.put("  ", 2);
      text.putExact(value, kDefaultPrecision);
    }
    text.put('\n');
  }
  text.flush();
}

}  // namespace touchstone2
