#ifndef TOUCHSTONE2_PYTHON_PARSED_FILE_H
#define TOUCHSTONE2_PYTHON_PARSED_FILE_H

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include <touchstone2/file.h>

#include "python/src/collecting_handler.h"

namespace touchstone2::python {

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
