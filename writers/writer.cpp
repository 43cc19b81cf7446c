#include "writers/writer.h"

#include <algorithm>
#include <charconv>
#include <stdexcept>
#include <utility>

#include "model/number_text.h"

namespace touchstone2 {

namespace {

// Numbers in messages and on keyword lines have six significant digits, network
// data sixteen, so that a value read back is the value written.
constexpr int kDefaultPrecision = 6;
constexpr int kDataPrecision = 16;
constexpr std::size_t kFieldWidth = 20;
constexpr std::size_t kNoiseFrequencyWidth = 8;
// Sign, 16 digits, point and "e-308": the longest number in the data form.
constexpr std::size_t kLongestDataNumber = 24;
constexpr std::size_t kNoiseLineReserve = 80;

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

// Room for the longest line of this layout, so that the line buffer is
// allocated once for the whole block.
std::size_t longestLine(const Layout& layout) {
  std::size_t n = layout.dimension;
  std::size_t pairs = n * n;
  if (layout.rowPerLine)
    pairs = n;
  else if (layout.wrapAtFour)
    pairs = std::min<std::size_t>(n, 4);
  return kLongestDataNumber + pairs * (3 + 2 * kLongestDataNumber) + 1;
}

void endLine(std::ostream& out, std::string& line) {
  line += '\n';
  out.write(line.data(), static_cast<std::streamsize>(line.size()));
  line.clear();
}

void appendUnsigned(std::string& text, std::uint32_t value) {
  char digits[16];
  std::to_chars_result result = std::to_chars(digits, digits + sizeof digits, value);
  text.append(digits, result.ptr);
}

void padFrom(std::string& text, std::size_t start, std::size_t width) {
  std::size_t written = text.size() - start;
  if (written < width)
    text.append(width - written, ' ');
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

// The letter of the header labels; "_" marks a type that was never given.
const char* labelLetter(ParameterType type) {
  switch (type) {
    case ParameterType::Unset: return "_";
    case ParameterType::S: return "S";
    case ParameterType::Y: return "Y";
    case ParameterType::Z: return "Z";
    case ParameterType::H: return "H";
    case ParameterType::G: return "G";
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
void appendLabel(std::string& line, const char* letter, std::uint32_t first,
                 std::uint32_t second, const char* name) {
  std::size_t start = line.size();
  line += letter;
  appendUnsigned(line, first);
  appendUnsigned(line, second);
  line += name;
  padFrom(line, start, kFieldWidth);
}

void writeHeaderComment(std::ostream& out, const File& file, const Layout& layout,
                        std::string& line) {
  const char* letter = labelLetter(file.getParameterType());
  ColumnNames names = columnNames(file.getFormat());
  line += kHeaderStart;
  for (std::uint32_t row = 0; row < layout.dimension; ++row) {
    for (std::uint32_t col = 0; col < layout.dimension; ++col) {
      if (breaksBefore(layout, row, col)) {
        endLine(out, line);
        line += kHeaderContinuation;
      }
      std::uint32_t first = row + 1;
      std::uint32_t second = col + 1;
      if (layout.columnFirst)
        std::swap(first, second);
      line += "  ";
      appendLabel(line, letter, first, second, names.first);
      line += ' ';
      appendLabel(line, letter, first, second, names.second);
    }
  }
  endLine(out, line);
}

void writeDataPoint(std::ostream& out, const Writer& writer, const File& file,
                    const NetworkParams& data, const Layout& layout, std::uint32_t point,
                    std::string& line) {
  DataFormat format = file.getFormat();
  appendGeneralPadded(line, data.frequency(point), kDataPrecision, kFieldWidth);
  for (std::uint32_t row = 0; row < layout.dimension; ++row) {
    for (std::uint32_t col = 0; col < layout.dimension; ++col) {
      if (breaksBefore(layout, row, col)) {
        endLine(out, line);
        line += kDataContinuation;
      }
      ValuePair pair = layout.columnFirst ? data.element(point, col, row).get(format)
                                          : data.element(point, row, col).get(format);
      writer.normalizeValue(pair.first, pair.second, row, col);
      line += "  ";
      appendGeneralPadded(line, pair.first, kDataPrecision, kFieldWidth);
      line += ' ';
      appendGeneralPadded(line, pair.second, kDataPrecision, kFieldWidth);
    }
  }
  endLine(out, line);
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
    appendGeneral(line, file_->getReferenceResistance(), kDefaultPrecision);
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
  std::string line;
  line.reserve(longestLine(layout));
  if (headerComment)
    writeHeaderComment(out, *file_, layout, line);
  for (std::uint32_t point = 0; point < data->frequencyCount(); ++point)
    writeDataPoint(out, *this, *file_, *data, layout, point, line);
}

void Writer::writeNoiseData(std::ostream& out, bool normalizeNoiseResistance) const {
  const NoiseParams* noise = file_->getNoiseData();
  if (noise == nullptr || noise->pointCount() == 0)
    return;
  std::string line;
  line.reserve(kNoiseLineReserve);
  for (std::uint32_t i = 0; i < noise->pointCount(); ++i) {
    const NoisePoint& point = noise->point(i);
    double resistance = point.noiseResistance;
    if (normalizeNoiseResistance)
      resistance /= file_->getReferenceResistance();
    // The layout of "%-8g  %g  %g  %g  %g": six significant digits, the
    // frequency filled to eight characters.
    appendGeneralPadded(line, point.frequency, kDefaultPrecision, kNoiseFrequencyWidth);
    for (double value : {point.minimumNoiseFigure, point.reflectionMagnitude,
                         point.reflectionAngle, resistance}) {
      line += "  ";
      appendGeneral(line, value, kDefaultPrecision);
    }
    endLine(out, line);
  }
}

}  // namespace touchstone2
