#ifndef TOUCHSTONE2_PARSER_H
#define TOUCHSTONE2_PARSER_H

#include <functional>
#include <memory>
#include <string_view>

#include <touchstone2/export.h>

namespace touchstone2 {

class File;
class Reader;
struct MessageHandler;

// Reads one Touchstone file into a File record. The first significant line
// decides the version: an option line starts a v1 file, a keyword a v2.0 file.
// Every warning goes to the handler as it arises; the first error ends the
// parse and is the last diagnostic handed over.
class TOUCHSTONE2_API Parser {
 public:
  Parser(File& file, MessageHandler& handler);
  ~Parser();
  Parser(const Parser&) = delete;
  Parser& operator=(const Parser&) = delete;

  // True when the file was read without error (the record is then valid).
  bool parse();
  // The same for bytes already in memory, which the record's file name only
  // names in the diagnostics; they must outlive the call.
  bool parse(std::string_view contents);

  // Lets a caller end a long read early (on a user's interrupt, say): check
  // is called between blocks of data lines and may throw; the exception
  // leaves parse() at once, the record not valid, the input released.
  void setInterruptCheck(std::function<void()> check);

 private:
  // The section readers, internal to the library.
  std::unique_ptr<Reader> reader_;
  File* file_;
};

}  // namespace touchstone2

#endif
