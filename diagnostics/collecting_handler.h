#ifndef TOUCHSTONE2_DIAGNOSTICS_COLLECTING_HANDLER_H
#define TOUCHSTONE2_DIAGNOSTICS_COLLECTING_HANDLER_H

#include <utility>
#include <vector>

#include <touchstone2/diagnostic.h>
#include <touchstone2/reading.h>

namespace touchstone2 {

// Keeps every diagnostic of a parse, in order, as values: the diagnostic
// objects live only for the handler call.
class CollectingHandler : public MessageHandler {
 public:
  void error(const File& file, const ParserError& error) override;
  void warning(const File& file, const ParserWarning& warning) override;

  const std::vector<DiagnosticRecord>& records() const { return records_; }
  std::vector<DiagnosticRecord> take() { return std::move(records_); }

 private:
  void add(const Diagnostic& diagnostic, Severity severity);
  std::vector<DiagnosticRecord> records_;
};

}  // namespace touchstone2

#endif
