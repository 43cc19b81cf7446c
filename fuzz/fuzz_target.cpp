// The fuzz targets, on bytes as a Touchstone file; a broken rule aborts, and the fuzzer keeps the
// input. parse: warnings, then at most one error, each with a code of its kind and a one-line
// message; parse() tells whether there was an error. round_trip, for what parses: the v2.0 form
// and, unless the version cannot express it, the v1 and v1.1 forms parse again and describe the
// same content.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <iostream>
#include <sstream>
#include <stdexcept>

#include <touchstone2/codes.h>
#include <touchstone2/diagnostic.h>
#include <touchstone2/parser.h>
#include <touchstone2/writer.h>

namespace touchstone2 {
namespace {

[[noreturn]] void violation(const std::string& what) {
  std::cerr << "\n*** contract violation: " << what << std::endl;
  std::abort();
}

struct ContractHandler : MessageHandler {
  void error(const File&, const ParserError& error) override { check(error, false); }
  void warning(const File&, const ParserWarning& warning) override { check(warning, true); }
  void check(const Diagnostic& d, bool warning) {
    std::string text = d.message();
    auto control = [](unsigned char c) { return c < 32 ? c != '\t' : c == 127; };
    if (errors != 0 || isWarningCode(d.getCode()) != warning || text.empty() ||
        std::any_of(text.begin(), text.end(), control))
      violation(std::to_string(d.getCode()) + " after the error, of the other kind or no line");
    errors += !warning;
  }
  std::size_t errors = 0;
};

bool checkedParse(File& file, std::string_view bytes) {
  ContractHandler handler;
  bool result = Parser(file, handler).parse(bytes);
  if (result != (handler.errors == 0) || result != file.isValid())
    violation("parse() disagrees with the errors or isValid()");
  return result;
}

// Words must be the same; numbers may differ by 5e-5 of the line's largest: 6 digits, written
// and shown again, or scaled by R as written, as v1 does for Y, Z, H, G and noise resistances.
bool sameLine(const std::string& a, const std::string& b) {
  std::istringstream left(a), right(b);
  std::string x, y;
  std::vector<std::pair<double, double>> numbers;
  double largest = 0;
  while (left >> x) {
    char *endX, *endY;
    double u = std::strtod(x.c_str(), &endX);
    double v = (right >> y) ? std::strtod(y.c_str(), &endY) : NAN;
    if (std::isnan(v) || (endX == x.c_str() ? x != y : std::string(endX) != endY))
      return false;
    numbers.emplace_back(u, v);
    largest = std::max({largest, std::fabs(u), std::fabs(v)});
  }
  return !(right >> y) && std::all_of(numbers.begin(), numbers.end(), [largest](auto p) {
    return p.first == p.second || std::fabs(p.first - p.second) <= 5e-5 * largest;
  });
}

// The description's lines after the header, which names the file and its version. Version 1.1
// gives one resistance per port even where they are all the same, so a file written so cannot
// tell that one value served every port: perPort leaves that remark out.
std::vector<std::string> content(const File& file, bool perPort) {
  std::stringstream text;
  describe(file, text);
  std::vector<std::string> lines;
  for (std::string line; std::getline(text, line);)
    if (!perPort || line != "    (all ports use the same value)")
      lines.push_back(line);
  return {lines.begin() + std::min<std::size_t>(3, lines.size()), lines.end()};
}

// Every number is written so that it reads back as the same double, and a
// value that would not (one the reader clips) is refused: a written form
// must parse and describe the same content.
void readBack(const File& original, const std::string& written, bool perPort = false) {
  File copy("written");  // no .sNp name: a v1 reading takes the port count from the data
  if (!checkedParse(copy, written))
    violation("the written form does not parse:\n" + written);
  std::vector<std::string> a = content(original, perPort), b = content(copy, perPort);
  if (!std::equal(a.begin(), a.end(), b.begin(), b.end(), sameLine))
    violation("the written form describes other content:\n" + written);
}

// A v1 or v1.1 writer refuses what the version cannot express, and then writes nothing.
void writeAndReadBack(const File& original, V1_Writer&& writer, bool perPort) {
  std::ostringstream out;
  try {
    writer.write(out);
  } catch (const std::runtime_error&) {
    if (!out.str().empty())
      violation("a v1 writer wrote before it refused:\n" + out.str());
    return;
  }
  readBack(original, out.str(), perPort);
}

void checkRoundTrip(const File& original) {
  std::ostringstream v2;
  // v2.0 declares at least one port and one point: a v1 file without data
  // has no v2.0 form, and exactly such files must be refused.
  const NetworkParams* data = original.getNetworkData();
  const bool noData = data == nullptr || data->frequencyCount() == 0;
  try {
    V2_Writer(original).write(v2);
    if (noData)
      violation("the v2.0 writer accepted a file without network data");
    readBack(original, v2.str());
  } catch (const std::runtime_error&) {
    if (!noData || !v2.str().empty())
      violation("the v2.0 writer refused a file with data, or wrote before it refused");
  }
  writeAndReadBack(original, V1_Writer(original), false);
  writeAndReadBack(original, V1_Writer(original, File::kVersion1_1), true);
}

}  // namespace
}  // namespace touchstone2

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  touchstone2::File file("fuzz-input");  // only names the bytes in the diagnostics
  if (touchstone2::checkedParse(file, {reinterpret_cast<const char*>(data), size}) &&
      SNPVET_ROUND_TRIP)
    touchstone2::checkRoundTrip(file);
  return 0;
}
