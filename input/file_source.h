#ifndef TOUCHSTONE2_INPUT_FILE_SOURCE_H
#define TOUCHSTONE2_INPUT_FILE_SOURCE_H

#include <cstdint>
#include <memory>

#include "input/token.h"

namespace touchstone2 {

class File;

// The whole input file in memory, with the lexer's read position and current
// token. The file is read once, in the constructor, into a buffer of its own:
// a mapping would let another process truncating the file kill us with a bus
// error half-way through.
class FileSource {
 public:
  // Throws ParserError 1001 (not found), 1002 (unreadable: not a regular
  // file, too large, a read failure or a file that shrank while read) or 1003
  // (empty). Leaves nothing open when it throws.
  explicit FileSource(const File& file);
  FileSource(const FileSource&) = delete;
  FileSource& operator=(const FileSource&) = delete;

  // The lexer step: the next token into token(); false once it produced
  // EndOfFile, and every further call produces EndOfFile again.
  bool next();

  const Token& token() const { return token_; }
  bool atEnd() const { return atEnd_; }
  std::uint32_t size() const { return size_; }

 private:
  void produceLineEnd(std::size_t terminatorLength);
  void skipComment();
  void scanNumber();
  void scanKeyword();
  void scanWord();
  void scanWordTail(const char* start);
  bool produceEndOfFile();
  [[noreturn]] void throwInvalidCharacter(const char* byte, std::uint32_t line,
                                          std::uint32_t column);

  std::unique_ptr<char[]> buffer_;
  const char* data_ = nullptr;
  std::uint32_t size_ = 0;
  const char* cursor_ = nullptr;
  const char* end_ = nullptr;
  std::uint32_t line_ = 0;
  std::uint32_t column_ = 0;
  Token token_;
  bool atEnd_ = false;
};

}  // namespace touchstone2

#endif
