#ifndef TOUCHSTONE2_FILE_OUTPUT_H
#define TOUCHSTONE2_FILE_OUTPUT_H

#include <cstdint>
#include <string>
#include <system_error>

#include <touchstone2/export.h>
#include <touchstone2/file.h>

namespace touchstone2 {

// How writeFile may put the new text in place of the old.
enum class Replacement {
  // Through a temporary file in the target's folder, renamed over the target
  // only once it is whole, synced and read back: the target is either the
  // old file or the new one, never a part.
  AllOrNothing,
  // The same where a temporary file can be made; where the folder allows
  // none (a writable file in a read-only folder), the checked text is
  // written into the target itself, which a failure then leaves partly
  // written.
  InPlaceIfNeeded,
};

// A file-system failure of writeFile: code() is the errno (generic
// category), path() the path the caller gave, or the folder where no
// temporary file could be made; what() names it too.
class TOUCHSTONE2_API FileOutputError : public std::system_error {
 public:
  FileOutputError(int error, const std::string& path, const std::string& what);
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

// The written text read back by the checker was refused or gave other values
// than the record's: a fault of a writer, never of the caller's data. The
// target is left as it was. Where the checker refused the text, code() is
// its error's code (line() and column() its place, 0 where there is none,
// checkerMessage() its text); code() is 0 where the values differ.
class TOUCHSTONE2_API ReadBackError : public std::runtime_error {
 public:
  explicit ReadBackError(const std::string& what, std::int32_t code = 0, std::uint32_t line = 0,
                         std::uint32_t column = 0, const std::string& checkerMessage = "")
      : std::runtime_error(what),
        code_(code),
        line_(line),
        column_(column),
        checkerMessage_(checkerMessage) {}
  std::int32_t code() const { return code_; }
  std::uint32_t line() const { return line_; }
  std::uint32_t column() const { return column_; }
  const std::string& checkerMessage() const { return checkerMessage_; }

 private:
  std::int32_t code_;
  std::uint32_t line_;
  std::uint32_t column_;
  std::string checkerMessage_;
};

// Writes a valid record to path as Touchstone version (one of File's
// kVersion constants), as V1_Writer or V2_Writer write it. Unless the
// replacement says otherwise, the text goes to a temporary file in the same
// folder, which is written, synced, read back by the checker and compared
// with the record, given the mode (and, where the process may set them, the
// owner and group) of the file it replaces, then renamed over it. A symbolic
// link is followed, so the file it names is replaced; a device or a pipe is
// written to directly, after the text has been checked in memory.
//
// Throws, leaving the target as it was (but for InPlaceIfNeeded writing in
// place): std::invalid_argument for a version no writer writes;
// std::runtime_error with the writer's reason for a record the version
// cannot express, before anything is written; FileOutputError when the
// target may not be written (as opening it for writing would fail), when no
// temporary file can be made in its folder, or when a write, the sync or the
// rename fails (a full disk); ReadBackError as above.
TOUCHSTONE2_API void writeFile(const File& file, std::uint32_t version, const std::string& path,
                               Replacement replacement = Replacement::AllOrNothing);

}  // namespace touchstone2

#endif
