#ifndef TOUCHSTONE2_WRITERS_WRITER_TEST_SUPPORT_H
#define TOUCHSTONE2_WRITERS_WRITER_TEST_SUPPORT_H

// Builds file records by hand for the writer tests, the way the parser would
// leave them after a successful parse.

#include <cstdint>
#include <memory>
#include <sstream>
#include <string>

#include "model/file.h"
#include "model/full_network_params.h"
#include "model/symmetric_network_params.h"

namespace touchstone2 {
namespace writer_test {

// A valid record with the option-line defaults already applied.
inline std::unique_ptr<File> makeFile(std::uint32_t ports, ParameterType type = ParameterType::S,
                                      DataFormat format = DataFormat::MA,
                                      double resistance = 50.0) {
  auto file = std::make_unique<File>("in.snp");
  file->setVersion(File::kVersion2);
  file->setFrequencyUnit(FrequencyUnit::GHz);
  file->setParameterType(type);
  file->setFormat(format);
  file->setReferenceResistance(resistance);
  file->setNumberOfPorts(ports);
  file->setMatrixFormat(MatrixFormat::Full);
  file->setDefaultReferenceImpedances();
  file->setDefaultMixedModeOrder();
  file->setValid();
  return file;
}

inline std::unique_ptr<FullNetworkParams> makeFull(const File& file) {
  return std::make_unique<FullNetworkParams>(file.getNumberOfPorts(),
                                             file.getFrequencyMultiplier(), file.getFormat());
}

// The start of the header comment: "! freq" filled to the width of a field.
inline constexpr char kHeaderStart[] = "! freq              ";

// Text left-justified in a field of 20, as every data column is.
inline std::string col(const std::string& text) {
  return text.size() >= 20 ? text : text + std::string(20 - text.size(), ' ');
}

// One value pair as it stands in a data line: two blanks, two fields.
inline std::string pair(const std::string& first, const std::string& second) {
  return "  " + col(first) + " " + col(second);
}

// The 20 blanks that indent a continuation data line.
inline std::string indent() { return std::string(20, ' '); }

// The start of a header continuation line: "!" and 19 blanks.
inline std::string bang() { return "!" + std::string(19, ' '); }

}  // namespace writer_test
}  // namespace touchstone2

#endif
