#ifndef TOUCHSTONE2_WEB_CHECKED_FILE_H
#define TOUCHSTONE2_WEB_CHECKED_FILE_H

#include <string>
#include <string_view>
#include <vector>

#include <touchstone2/file.h>
#include <touchstone2/reading.h>

namespace touchstone2::web {

// One file checked from bytes in memory, kept for the JavaScript side to ask
// about: the report of the check, the texts the writers make of it and its
// values as plain arrays. Every answer that is text or an array stays in
// the object until the next such answer, so JavaScript reads it in place.
class CheckedFile {
 public:
  CheckedFile(std::string_view bytes, const std::string& name) : read_(readBytes(bytes, name)) {}
  CheckedFile(const CheckedFile&) = delete;
  CheckedFile& operator=(const CheckedFile&) = delete;

  const File& file() const { return read_.file; }
  bool valid() const { return read_.valid(); }

  // The check as the JSON object of one file that snpvet --format=json
  // writes, in text(); with quality, that of snpvet --format=json -quality.
  void report(bool quality);

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

 private:
  ReadResult read_;
  std::string text_;
  std::vector<double> numbers_;
};

}  // namespace touchstone2::web

#endif
