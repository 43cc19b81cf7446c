#ifndef TOUCHSTONE2_INPUT_LEXER_H
#define TOUCHSTONE2_INPUT_LEXER_H

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include <touchstone2/diagnostic.h>

namespace touchstone2 {

class FileSource;

// The numbers are fixed: the parser dispatches on them.
enum class TokenKind : std::uint32_t {
  Whitespace = 0,
  EndOfLine = 1,
  OptionMarker = 2,
  Keyword = 3,
  Number = 4,
  Word = 5,
  EndOfFile = 6,
};

// A token is a place in the file (line and column from 1, and its text) of
// one kind. Keywords and words are lower-cased; a keyword's text is what
// stands between its brackets.
struct Token : Position {
  TokenKind kind = TokenKind::Whitespace;
};

// Cuts the bytes of a source into tokens, one per step, and throws the
// ParserError of the first byte that may not stand where it is. Asks the
// source for more when it comes to the end of what the source has read.
class Lexer {
 public:
  explicit Lexer(FileSource& source);
  Lexer(const Lexer&) = delete;
  Lexer& operator=(const Lexer&) = delete;

  // The next token into token(); false once it produced EndOfFile, and every
  // further call produces EndOfFile again.
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

 private:
  bool skipBlankRun();
  void produceLineEnd(std::size_t terminatorLength);
  void skipComment();
  void scanNumber();
  void setNumberText(const char* start, const char* end, const char* exponent);
  void scanKeyword();
  void scanWord();
  void scanWordTail(const char* start);
  bool widenWindow();
  bool produceEndOfFile();
  [[noreturn]] void throwInvalidCharacter(const char* byte, std::uint32_t line,
                                          std::uint32_t column);

  FileSource& source_;
  const char* cursor_;
  // The end of the source's window, not always the file's.
  const char* end_;
  std::uint32_t line_ = 1;
  std::uint32_t column_ = 1;
  // Held by pointer so that the token object can be handed over whole.
  std::unique_ptr<Token> token_ = std::make_unique<Token>();
  bool atEnd_ = false;
  bool passBlanks_ = false;
};

}  // namespace touchstone2

#endif
