#ifndef TOUCHSTONE2_READING_H
#define TOUCHSTONE2_READING_H

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <touchstone2/codes.h>
#include <touchstone2/diagnostic.h>
#include <touchstone2/export.h>
#include <touchstone2/file.h>

namespace touchstone2 {

// One diagnostic of a read as plain values, which outlive the read: what
// snpvet prints as "name:line:col: error E2003: text".
struct DiagnosticRecord {
  Code code = Code::FormatError;
  Severity severity = Severity::Error;
  std::uint32_t line = 0;    // 0 where the diagnostic has no line
  std::uint32_t column = 0;  // 0 where it has no column
  std::string text;
};

// A message handler that keeps every diagnostic of a parse, in order, as
// values (the diagnostic objects live only for the handler call): for callers
// that drive a Parser themselves, e.g. to print the lines as they come too.
class TOUCHSTONE2_API CollectingHandler : public MessageHandler {
 public:
  void error(const File& file, const ParserError& error) override;
  void warning(const File& file, const ParserWarning& warning) override;

  const std::vector<DiagnosticRecord>& records() const { return records_; }
  std::vector<DiagnosticRecord> take() { return std::move(records_); }

 private:
  void add(const Diagnostic& diagnostic, Severity severity);
  std::vector<DiagnosticRecord> records_;
};

// A whole read: the record, valid when the file was accepted, and every
// diagnostic in the order of the file: the warnings, then at most one error,
// the last.
struct ReadResult {
  File file;
  std::vector<DiagnosticRecord> diagnostics;

  bool valid() const { return file.isValid(); }
};

// Reads the file at path, which also names it in the record. Never throws for
// what the file holds or whether it can be opened: that is a diagnostic.
TOUCHSTONE2_API ReadResult readFile(const std::string& path);

// The same for bytes in memory, named name in the record; they need to live
// only for the call.
TOUCHSTONE2_API ReadResult readBytes(std::string_view contents, const std::string& name);

}  // namespace touchstone2

#endif
