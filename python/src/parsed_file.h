#ifndef TOUCHSTONE2_PYTHON_PARSED_FILE_H
#define TOUCHSTONE2_PYTHON_PARSED_FILE_H

#include <cstdint>
#include <functional>
#include <memory>
#include <ostream>
#include <streambuf>
#include <string>
#include <string_view>
#include <vector>

#include <touchstone2/diagnostic.h>
#include <touchstone2/file.h>
#include <touchstone2/reading.h>

#include "python/src/file_building.h"

namespace touchstone2::python {

// An output stream that appends to a string of the caller's, so that a
// written file or description of hundreds of megabytes is held once, not
// once in the stream and once more in the copy a std::ostringstream hands
// out.
class StringOutput : public std::ostream {
 public:
  // The buffer is made after the stream base, so it is attached only then.
  explicit StringOutput(std::string& text) : std::ostream(nullptr), buffer_(text) {
    rdbuf(&buffer_);
  }

 private:
  class Buffer : public std::streambuf {
   public:
    explicit Buffer(std::string& text) : text_(text) {}

   protected:
    int_type overflow(int_type c) override;
    std::streamsize xsputn(const char* data, std::streamsize count) override;

   private:
    std::string& text_;
  };

  Buffer buffer_;
};

// One read: the file record and every diagnostic of it. Plain C++, so that
// reading and writing out run while the interpreter lock is released.
class ParsedFile {
 public:
  // Called between blocks of lines of a read; may throw to end it.
  using InterruptCheck = std::function<void()>;

  // Reads the file at path; the path also names it in the diagnostics.
  static std::unique_ptr<ParsedFile> fromPath(const std::string& path,
                                              const InterruptCheck& interrupt);
  // Reads bytes that stay alive for the call; name names them.
  static std::unique_ptr<ParsedFile> fromBytes(std::string_view contents,
                                               const std::string& name,
                                               const InterruptCheck& interrupt);
  // A valid record of the values given, as if read from a file named name.
  static std::unique_ptr<ParsedFile> fromValues(const FileValues& values,
                                                const std::string& name);
  // A record made elsewhere (from arrays, say), taken over.
  static std::unique_ptr<ParsedFile> fromRecord(File record);

  ParsedFile(const ParsedFile&) = delete;
  ParsedFile& operator=(const ParsedFile&) = delete;

  bool valid() const { return file_.isValid(); }
  const File& file() const { return file_; }
  const std::vector<DiagnosticRecord>& diagnostics() const { return handler_.records(); }

  // The names of the versions the writers write: "1" (what snpvet
  // -canonical-v1 writes), "1.1", "2.0" (snpvet -canonical) and "2.1".
  static std::vector<std::string> versions();
  // The file as that writer writes it, byte for byte. Only for a valid
  // file. Throws std::runtime_error, with the writer's reason, for a file
  // that the version cannot express, before anything is written.
  void write(const std::string& version, std::ostream& out) const;
  std::string text(const std::string& version) const;
  // Writes the file to path as writeFile does, all or nothing unless
  // inPlaceIfNeeded; throws what writeFile throws.
  void writeTo(const std::string& version, const std::string& path, bool inPlaceIfNeeded) const;
  // What snpvet -describe writes.
  std::string description() const;

 private:
  explicit ParsedFile(const std::string& name) : file_(name) {}

  File file_;
  CollectingHandler handler_;
};

}  // namespace touchstone2::python

#endif
