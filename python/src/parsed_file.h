#ifndef TOUCHSTONE2_PYTHON_PARSED_FILE_H
#define TOUCHSTONE2_PYTHON_PARSED_FILE_H

#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "model/file.h"
#include "python/src/collecting_handler.h"
#include "python/src/file_building.h"

namespace touchstone2::python {

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

  ParsedFile(const ParsedFile&) = delete;
  ParsedFile& operator=(const ParsedFile&) = delete;

  bool valid() const { return file_.isValid(); }
  const File& file() const { return file_; }
  const std::vector<DiagnosticRecord>& diagnostics() const { return handler_.records(); }

  // The names of the writers' versions: "2.0" (what snpvet -canonical
  // writes) and "1" (snpvet -canonical-v1).
  static std::vector<std::string> versions();
  // The file as that writer writes it, byte for byte. Only for a valid
  // file. Throws std::runtime_error, with the writer's reason, for a file
  // that the version cannot express, before anything is written.
  void write(const std::string& version, std::ostream& out) const;
  std::string text(const std::string& version) const;
  // What snpvet -describe writes.
  std::string description() const;

 private:
  explicit ParsedFile(const std::string& name) : file_(name) {}

  File file_;
  CollectingHandler handler_;
};

}  // namespace touchstone2::python

#endif
