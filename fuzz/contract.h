#ifndef TOUCHSTONE2_FUZZ_CONTRACT_H
#define TOUCHSTONE2_FUZZ_CONTRACT_H

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "diagnostics/message_handler.h"
#include "diagnostics/standard_message_handler.h"

namespace touchstone2 {

class File;

namespace fuzz {

// Prints what broke and aborts, so that the fuzzer keeps the input.
[[noreturn]] void violation(const std::string& what);

// The shape of an input that bounds where a diagnostic may point.
struct InputShape {
  std::uint64_t lines = 1;          // terminators + 1
  std::uint64_t longestLine = 0;    // in bytes, terminator excluded
};
InputShape measure(const std::uint8_t* data, std::size_t size);

// A handler that checks the diagnostics contract as the parse delivers them:
// every warning comes before the error, there is at most one error, codes are
// of the right class, positions lie inside the input and messages are one
// printable line. Each diagnostic is also printed through the real handler,
// whose output is checked once the parse is over.
class ContractHandler : public MessageHandler {
 public:
  ContractHandler(const File& file, const InputShape& shape);
  void error(const File& file, const ParserError& error) override;
  void warning(const File& file, const ParserWarning& warning) override;

  // Checks what the parse returned against what was reported, and the lines
  // the real handler printed.
  void checkOutcome(bool parseResult) const;
  std::size_t warnings() const { return warnings_; }

 private:
  void checkDiagnostic(const File& file, const Diagnostic& diagnostic, const char* what,
                       const char* kind);
  void checkPrintedLines() const;

  const File* file_;
  InputShape shape_;
  std::size_t warnings_ = 0;
  std::size_t errors_ = 0;
  std::ostringstream printed_;
  StandardMessageHandler standard_;
};

// Parses the file record's file with a ContractHandler and checks the
// outcome; returns parse()'s result.
bool checkedParse(File& file, const InputShape& shape);

}  // namespace fuzz
}  // namespace touchstone2

#endif
