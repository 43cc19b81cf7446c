#ifndef TOUCHSTONE2_WEB_CHECKED_FILE_H
#define TOUCHSTONE2_WEB_CHECKED_FILE_H

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include <touchstone2/diagnostic.h>
#include <touchstone2/file.h>

namespace touchstone2::web {

// One diagnostic copied out of the parser's object, which lives only for the
// handler call. Line and column are 0 where there is none.
struct DiagnosticRecord {
  std::int32_t code = 0;
  bool error = false;
  std::uint32_t line = 0;
  std::uint32_t column = 0;
  std::string message;
};

// One file checked from bytes in memory, kept for the JavaScript side to ask
// about: the verdict, the diagnostics, the texts the writers make of it and
// its values as plain arrays. Every answer that is text or an array stays in
// the object until the next such answer, so JavaScript reads it in place.
class CheckedFile : private MessageHandler {
 public:
  CheckedFile(std::string_view bytes, const std::string& name);
  CheckedFile(const CheckedFile&) = delete;
  CheckedFile& operator=(const CheckedFile&) = delete;

  const File& file() const { return file_; }
  bool valid() const { return file_.isValid(); }
  const std::vector<DiagnosticRecord>& diagnostics() const { return diagnostics_; }

  // The file rewritten as version ("2.0", "2.1", "1" or "1.1"), or the
  // description. False when the writer refuses, the reason then in text().
  bool write(const std::string& version);
  bool describe();
  const std::string& text() const { return text_; }

  // Frequencies in Hz, then real and imaginary parts of every matrix element
  // point by point, row by row, whatever the file's layout. Empty for a file
  // without network data.
  const std::vector<double>& fillFrequencies();
  const std::vector<double>& fillValues();
  const std::vector<double>& numbers() const { return numbers_; }

 private:
  void error(const File& file, const ParserError& error) override;
  void warning(const File& file, const ParserWarning& warning) override;
  void add(const Diagnostic& diagnostic, bool error);

  File file_;
  std::vector<DiagnosticRecord> diagnostics_;
  std::string text_;
  std::vector<double> numbers_;
};

}  // namespace touchstone2::web

#endif
