#include "writers/writer.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

#include "model/number_text.h"
#include "model/parameter_letter.h"
#include "model/text_buffer.h"

namespace touchstone2 {

namespace {

// Numbers in messages and on keyword lines have six significant digits, network
// data sixteen, so that a value read back is the value written.
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
struct Layout {
  std::uint32_t dimension;  // N of the matrix
  bool columnFirst;         // a 2-port point in the order 11 21 12 22
  bool rowPerLine;          // each matrix row starts a new line
  bool wrapAtFour;          // no line holds more than four pairs
};

Layout makeLayout(const File& file, const NetworkParams& data, bool columnFirstTwoPort,
                  bool fourPairsPerLine) {
  std::uint32_t ports = file.getNumberOfPorts();
  return {data.getNumberOfPorts(), ports == 2 && columnFirstTwoPort,
          ports > 2 && !fourPairsPerLine, ports > 2 && fourPairsPerLine};
}

// Whether a line break comes before the pair at (row, col).
bool breaksBefore(const Layout& layout, std::uint32_t row, std::uint32_t col) {
  if (layout.rowPerLine)
    return row > 0 && col == 0;
  if (layout.wrapAtFour)
    return col % 4 == 0 && (row != 0 || col != 0);
  return false;
}

const char* unitWord(FrequencyUnit unit) {
  switch (unit) {
    case FrequencyUnit::Hz: return " Hz";
    case FrequencyUnit::kHz: return " kHz";
    case FrequencyUnit::MHz: return " MHz";
    case FrequencyUnit::GHz: return " GHz";
    default: return "";
  }
}

const char* parameterWord(ParameterType type) {
  switch (type) {
    case ParameterType::S: return " S";
    case ParameterType::Y: return " Y";
    case ParameterType::Z: return " Z";
    case ParameterType::H: return " H";
    case ParameterType::G: return " G";
    default: return "";
  }
}

const char* formatWord(DataFormat format) {
  switch (format) {
    case DataFormat::DB: return " DB";
    case DataFormat::MA: return " MA";
    case DataFormat::RI: return " RI";
    default: return "";
  }
}

struct ColumnNames {
  const char* first;
  const char* second;
};

ColumnNames columnNames(DataFormat format) {
  switch (format) {
    case DataFormat::DB: return {"dB", "ang"};
    case DataFormat::MA: return {"mag", "ang"};
    case DataFormat::RI: return {"re", "im"};
    default: return {"", ""};
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

void writeHeaderComment(TextBuffer& text, const File& file, const Layout& layout) {
  const char* letter = parameterLetter(file.getParameterType());
  ColumnNames names = columnNames(file.getFormat());
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
      putLabel(text, letter, first, second, names.first);
      text.put(' ');
      putLabel(text, letter, first, second, names.second);
    }
  }
  text.put('\n');
}

void writeDataPoint(TextBuffer& text, const Writer& writer, const File& file,
                    const NetworkParams& data, const Layout& layout, std::uint32_t point) {
  DataFormat format = file.getFormat();
  text.putGeneralPadded(data.frequency(point), kDataPrecision, kFieldWidth);
  for (std::uint32_t row = 0; row < layout.dimension; ++row) {
    for (std::uint32_t col = 0; col < layout.dimension; ++col) {
      if (breaksBefore(layout, row, col)) {
        text.put('\n');
        text.put(kDataContinuation, sizeof kDataContinuation - 1);
      }
      ValuePair pair = layout.columnFirst ? data.element(point, col, row).get(format)
                                          : data.element(point, row, col).get(format);
      writer.normalizeValue(pair.first, pair.second, row, col);
      text.put("  ", 2);
      text.putGeneralPadded(pair.first, kDataPrecision, kFieldWidth);
      text.put(' ');
      text.putGeneralPadded(pair.second, kDataPrecision, kFieldWidth);
    }
  }
  text.put('\n');
}

}  // namespace

Writer::Writer(const File& file) : file_(&file) {
  if (!file.isValid())
    throw std::logic_error("touchstone2::File is not valid");
}

Writer::~Writer() = default;

void Writer::writeText(std::ostream& out, const std::string& text) {
  out.write(text.data(), static_cast<std::streamsize>(text.size()));
}

void Writer::writeOptionLine(std::ostream& out) const {
  std::string line = "#";
  line += unitWord(file_->getFrequencyUnit());
  line += parameterWord(file_->getParameterType());
  line += formatWord(file_->getFormat());
  if (file_->getReferenceResistance() > 0) {
    line += " R ";
    // Exact, as v1 values of Y, Z, H and G are relative to it.
    appendRoundTrip(line, file_->getReferenceResistance(), kDefaultPrecision);
  }
  line += '\n';
  writeText(out, line);
}

void Writer::writeNetworkData(std::ostream& out, bool headerComment, bool columnFirstTwoPort,
                              bool fourPairsPerLine) const {
  const NetworkParams* data = file_->getNetworkData();
  if (data == nullptr || data->frequencyCount() == 0)
    return;
  Layout layout = makeLayout(*file_, *data, columnFirstTwoPort, fourPairsPerLine);
  TextBuffer text(out);
  if (headerComment)
    writeHeaderComment(text, *file_, layout);
  for (std::uint32_t point = 0; point < data->frequencyCount(); ++point)
    writeDataPoint(text, *this, *file_, *data, layout, point);
  text.flush();
}

void Writer::writeNoiseData(std::ostream& out, bool normalizeNoiseResistance) const {
  const NoiseParams* noise = file_->getNoiseData();
  if (noise == nullptr || noise->pointCount() == 0)
    return;
  TextBuffer text(out);
  for (std::uint32_t i = 0; i < noise->pointCount(); ++i) {
    const NoisePoint& point = noise->point(i);
    double resistance = point.noiseResistance;
    if (normalizeNoiseResistance)
      resistance /= file_->getReferenceResistance();
    // The layout of "%-8g  %g  %g  %g  %g": six significant digits, the
    // frequency filled to eight characters.
    text.putGeneralPadded(point.frequency, kDefaultPrecision, kNoiseFrequencyWidth);
    for (double value : {point.minimumNoiseFigure, point.reflectionMagnitude,
                         point.reflectionAngle, resistance}) {
      text.put("  ", 2);
      text.putGeneral(value, kDefaultPrecision);
    }
    text.put('\n');
  }
  text.flush();
}

}  // namespace touchstone2
