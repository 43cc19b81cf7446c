#ifndef TOUCHSTONE2_PYTHON_PARSED_FILE_H
#define TOUCHSTONE2_PYTHON_PARSED_FILE_H

#include <cstdint>
#include <memory>
#include <ostream>
#include <streambuf>
#include <string>
#include <string_view>
#include <vector>

#include <touchstone2/diagnostic.h>
#include <touchstone2/file.h>

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
  // Reads the file at path; the path also names it in the diagnostics.
  static std::unique_ptr<ParsedFile> fromPath(const std::string& path);
  // Reads bytes that stay alive for the call; name names them.
  static std::unique_ptr<ParsedFile> fromBytes(std::string_view contents,
                                               const std::string& name);

  ParsedFile(const ParsedFile&) = delete;
  ParsedFile& operator=(const ParsedFile&) = delete;

  bool valid() const { return file_.isValid(); }
  const File& file() const { return file_; }
  const std::vector<DiagnosticRecord>& diagnostics() const { return handler_.records(); }

  // What snpvet -canonical, -canonical-v1 and -describe write, byte for
  // byte. Only for a valid file. canonicalV1 throws std::runtime_error, with
  // the writer's reason, for a file that v1 cannot express.
  std::string canonical() const;
  std::string canonicalV1() const;
  std::string description() const;

 private:
  explicit ParsedFile(const std::string& name) : file_(name) {}

  File file_;
  CollectingHandler handler_;
};

}  // namespace touchstone2::python

#endif
