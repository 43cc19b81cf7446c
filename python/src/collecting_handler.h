#ifndef TOUCHSTONE2_PYTHON_COLLECTING_HANDLER_H
#define TOUCHSTONE2_PYTHON_COLLECTING_HANDLER_H

#include <cstdint>
#include <string>
#include <vector>

#include <touchstone2/diagnostic.h>

namespace touchstone2::python {

// One diagnostic as the parser reported it, copied out of the diagnostic
// object, which lives only for the handler call. Line and column are 0 where
// there is none.
struct DiagnosticRecord {
  std::int32_t code = 0;
  bool error = false;
  std::uint32_t line = 0;
  std::uint32_t column = 0;
  std::string message;
};

// Keeps every diagnostic of a parse, in order, instead of printing it. It
// touches no Python object, so the parse can run without the interpreter
// lock.
class CollectingHandler : public MessageHandler {
 public:
  void error(const File& file, const ParserError& error) override;
  void warning(const File& file, const ParserWarning& warning) override;

  const std::vector<DiagnosticRecord>& records() const { return records_; }

 private:
  void add(const Diagnostic& diagnostic, bool error);

  std::vector<DiagnosticRecord> records_;
};

}  // namespace touchstone2::python

#endif
