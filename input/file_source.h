#ifndef TOUCHSTONE2_INPUT_FILE_SOURCE_H
#define TOUCHSTONE2_INPUT_FILE_SOURCE_H

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

#include "input/token.h"

namespace touchstone2 {

class File;

// The whole input file in memory, with the lexer's read position and current
// token. The file is read once, in the constructor, into a buffer of its own:
// a mapping would let another process truncating the file kill us with a bus
// error half-way through. The memory of what the lexer has left behind is
// given back as it goes.
class FileSource {
 public:
  // Throws ParserError 1001 (not found: nothing under the name), 1002
  // (unreadable: cannot be opened, not a regular file, too large, a read
  // failure or a file that shrank while read) or 1003 (empty). Leaves nothing
  // open when it throws.
  explicit FileSource(const File& file);
  // Reads bytes the caller already holds and keeps alive until the source is
  // gone, the way the file would be read: 1003 when there are none, 1002 for
  // 4 GiB or more.
  explicit FileSource(std::string_view contents);
  FileSource(const FileSource&) = delete;
  FileSource& operator=(const FileSource&) = delete;

  // The lexer step: the next token into token(); false once it produced
  // EndOfFile, and every further call produces EndOfFile again.
  bool next();

  // While on, a run of blanks between two tokens of a line is passed over
  // inside next() instead of being produced: the data line reader, which
  // would only step over it, spares itself a token per number. Blank runs
  // before a comment or a line end are never tokens either way.
  void passBlanks(bool on) { passBlanks_ = on; }

  // The commonest step inside a data line, made without the general
  // dispatch: while blanks are passed, a blank run followed by the start of a
  // number. Then it produces exactly what next() would (the number, or the
  // word it turns out to be) and returns true; otherwise it changes nothing
  // and returns false, and next() is the step to take.
  bool nextNumberAfterBlanks();

  const Token& token() const { return *token_; }

  // Hands the current token over to slot without copying its text, and takes
  // slot's old token object in exchange, to be filled by the next call of
  // next(). The current token keeps its kind and position but loses its
  // text: only for a caller that goes on with next() at once.
  void takeToken(std::unique_ptr<Token>& slot) {
    slot.swap(token_);
    token_->kind = slot->kind;
    token_->line = slot->line;
    token_->column = slot->column;
    token_->text.clear();
  }
  bool atEnd() const { return atEnd_; }
  std::uint32_t size() const { return size_; }

 private:
  void start(const char* data, std::size_t size);
  bool skipBlankRun();
  void produceLineEnd(std::size_t terminatorLength);
  void releaseConsumed();
  void skipComment();
  void scanNumber();
  void setNumberText(const char* start, const char* end, const char* exponent);
  void scanKeyword();
  void scanWord();
  void scanWordTail(const char* start);
  bool produceEndOfFile();
  [[noreturn]] void throwInvalidCharacter(const char* byte, std::uint32_t line,
                                          std::uint32_t column);

  struct Unmap {
    std::size_t size;
    void operator()(char* p) const;
  };
  std::unique_ptr<char, Unmap> buffer_{nullptr, Unmap{0}};
  // Memory behind the lexer is given back in steps of this many bytes, on
  // boundaries of huge pages.
  static constexpr std::size_t kReleaseStep = std::size_t{8} << 20;
  static constexpr std::size_t kReleaseAlignment = std::size_t{2} << 20;

  const char* data_ = nullptr;
  // Below this the buffer's memory has been given back.
  const char* released_ = nullptr;
  std::uint32_t size_ = 0;
  const char* cursor_ = nullptr;
  const char* end_ = nullptr;
  std::uint32_t line_ = 0;
  std::uint32_t column_ = 0;
  // Held by pointer so that the token object can be handed over whole.
  std::unique_ptr<Token> token_ = std::make_unique<Token>();
  bool atEnd_ = false;
  bool passBlanks_ = false;
};

}  // namespace touchstone2

#endif
