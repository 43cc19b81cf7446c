#include "fuzz/round_trip.h"

#include <cmath>
#include <cstdlib>
#include <sstream>
#include <stdexcept>
#include <string>

#include "fuzz/contract.h"
#include "fuzz/known_losses.h"
#include "model/file.h"
#include "writers/describe.h"
#include "writers/v1_writer.h"
#include "writers/v2_writer.h"

namespace touchstone2 {
namespace fuzz {

namespace {

// The description without its "filename:" and "version:" lines: the file
// read back has another name and, for the v2.0 output of a v1 file, another
// version.
std::string describeContent(const File& file) {
  std::ostringstream out;
  describe(file, out);
  std::istringstream lines(out.str());
  std::string kept;
  std::string line;
  while (std::getline(lines, line)) {
    if (line.compare(0, 10, "filename: ") == 0 || line.compare(0, 9, "version: ") == 0)
      continue;
    kept += line;
    kept += '\n';
  }
  return kept;
}

std::string firstDifference(const std::string& a, const std::string& b) {
  std::istringstream left(a);
  std::istringstream right(b);
  std::string l;
  std::string r;
  for (int number = 1;; ++number) {
    bool moreLeft = static_cast<bool>(std::getline(left, l));
    bool moreRight = static_cast<bool>(std::getline(right, r));
    if (!moreLeft && !moreRight)
      return "(none)";
    if (!moreLeft || !moreRight || l != r)
      return "line " + std::to_string(number) + ": [" + (moreLeft ? l : "<end>") + "] vs [" +
             (moreRight ? r : "<end>") + "]";
  }
}

// Reads the written text back; a failure that a known limitation of the
// writers explains is let through, anything else aborts.
void readBack(const File& original, const std::string& expected, const std::string& written,
              Output output, MemoryFile& scratch) {
  const char* version = output == Output::V2 ? "v2.0" : "v1";
  scratch.assign(written);
  File copy(scratch.path());
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(written.data());
  if (!checkedParse(copy, measure(bytes, written.size()))) {
    if (knownLoss(original, output, Failure::Parse) == nullptr)
      violation(std::string("the ") + version + " output does not parse:\n" + written);
    return;
  }
  std::string got = describeContent(copy);
  if (got != expected && knownLoss(original, output, Failure::Content) == nullptr)
    violation(std::string("the ") + version + " output describes other content: " +
              firstDifference(expected, got) + "\n--- written:\n" + written);
}

void checkV2(const File& original, const std::string& expected, MemoryFile& scratch) {
  std::ostringstream out;
  V2_Writer(original).write(out);
  readBack(original, expected, out.str(), Output::V2, scratch);
}

// Normalising to R would carry a value out of the range of a double, or a
// noise resistance down to 0: written as "inf" or "0" no reader would take
// it back, so the v1 writer must refuse such a file.
bool v1NormalizationLeavesRange(const File& file) {
  const double r = file.getReferenceResistance();
  if (const NoiseParams* noise = file.getNoiseData()) {
    for (std::uint32_t k = 0; k < noise->pointCount(); ++k) {
      double normalized = noise->noiseResistance(k) / r;
      if (!std::isfinite(normalized) || !(normalized > 0))
        return true;
    }
  }
  const NetworkParams* data = file.getNetworkData();
  if (data == nullptr)
    return false;
  V1_Writer writer(file);
  const std::uint32_t n = data->getNumberOfPorts();
  for (std::uint32_t k = 0; k < data->frequencyCount(); ++k) {
    for (std::uint32_t i = 0; i < n; ++i) {
      for (std::uint32_t j = 0; j < n; ++j) {
        ValuePair pair = data->element(k, i, j).get(file.getFormat());
        writer.normalizeValue(pair.first, pair.second, i, j);
        if (!std::isfinite(pair.first) || !std::isfinite(pair.second))
          return true;
      }
    }
  }
  return false;
}

void checkV1(const File& original, const std::string& expected, MemoryFile& scratch) {
  const bool refusable = original.getReferenceImpedancesGiven() ||
                         original.getMixedModeOrderGiven() ||
                         v1NormalizationLeavesRange(original);
  std::ostringstream out;
  try {
    V1_Writer(original).write(out);
  } catch (const std::runtime_error& refusal) {
    if (!refusable)
      violation(std::string("the v1 writer refused a file v1 can express: ") + refusal.what());
    if (!out.str().empty())
      violation("the v1 writer wrote before refusing");
    return;
  }
  if (refusable)
    violation("the v1 writer accepted per-port impedances, a mixed-mode order or values "
              "that normalising to R carries out of range");
  readBack(original, expected, out.str(), Output::V1, scratch);
}

}  // namespace

void checkRoundTrip(const File& original, MemoryFile& scratch) {
  const std::string expected = describeContent(original);
  checkV2(original, expected, scratch);
  checkV1(original, expected, scratch);
}

}  // namespace fuzz
}  // namespace touchstone2
