// The lexer: FileSource::next() cuts the bytes into tokens, one per call.

#include <cstring>

#include "diagnostics/format_errors.h"
#include "diagnostics/parser_error.h"
#include "input/file_source.h"

namespace touchstone2 {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Space, tab, "!", LF and CR end a number or a word.
bool isSeparator(char c) {
  return c == ' ' || c == '\t' || c == '!' || c == '\n' || c == '\r';
}

bool isPrintable(char c) {
  unsigned char byte = static_cast<unsigned char>(c);
  return byte >= 0x21 && byte <= 0x7E;
}

// Neither printable nor a separator: control bytes, DEL and all 8-bit bytes.
bool isInvalid(char c) { return !isPrintable(c) && !isSeparator(c); }

bool isCommentByte(char c) {
  unsigned char byte = static_cast<unsigned char>(c);
  return c == '\t' || (byte >= 0x20 && byte <= 0x7E);
}

char toLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + ('a' - 'A')) : c; }

}  // namespace

bool FileSource::next() {
  token_.kind = TokenKind::Whitespace;
  token_.text.clear();
  token_.line = line_;
  token_.column = column_;
  for (;;) {
    if (cursor_ == end_)
      return produceEndOfFile();
    char c = *cursor_;
    if (c == ' ' || c == '\t') {
      const char* start = cursor_;
      while (cursor_ != end_ && (*cursor_ == ' ' || *cursor_ == '\t'))
        ++cursor_;
      column_ += static_cast<std::uint32_t>(cursor_ - start);
      if (cursor_ != end_ && *cursor_ != '!' && *cursor_ != '\r' && *cursor_ != '\n') {
        token_.text.assign(start, cursor_);
        return true;
      }
      // Blank space at the end of a line or before a comment is no token.
    } else if (c == '\r') {
      bool crlf = cursor_ + 1 != end_ && cursor_[1] == '\n';
      produceLineEnd(crlf ? 2 : 1);
      return true;
    } else if (c == '\n') {
      produceLineEnd(1);
      return true;
    } else if (c == '!') {
      skipComment();
    } else if (isDigit(c) || c == '.' || c == '+' || c == '-') {
      scanNumber();
      return true;
    } else if (c == '[') {
      scanKeyword();
      return true;
    } else if (c == '#') {
      token_.kind = TokenKind::OptionMarker;
      token_.text = "#";
      if (column_ != 1)
        throw ParserError(2010, token_);
      ++cursor_;
      ++column_;
      return true;
    } else if (isInvalid(c)) {
      throwInvalidCharacter(cursor_, line_, column_);
    } else {
      scanWord();
      return true;
    }
    token_.line = line_;
    token_.column = column_;
  }
}

void FileSource::produceLineEnd(std::size_t terminatorLength) {
  token_.kind = TokenKind::EndOfLine;
  token_.text = "\n";
  cursor_ += terminatorLength;
  ++line_;
  column_ = 1;
}

void FileSource::skipComment() {
  const char* start = cursor_;
  ++cursor_;
  while (cursor_ != end_ && *cursor_ != '\n' && *cursor_ != '\r') {
    if (!isCommentByte(*cursor_))
      throwInvalidCharacter(cursor_, line_, column_ + static_cast<std::uint32_t>(cursor_ - start));
    ++cursor_;
  }
  column_ += static_cast<std::uint32_t>(cursor_ - start);
}

void FileSource::scanNumber() {
  const char* start = cursor_;
  token_.kind = TokenKind::Number;
  ++cursor_;
  while (cursor_ != end_ && (isDigit(*cursor_) || *cursor_ == '.'))
    ++cursor_;
  if (cursor_ != end_ && (*cursor_ == 'e' || *cursor_ == 'E')) {
    ++cursor_;
    if (cursor_ != end_ && (*cursor_ == '+' || *cursor_ == '-'))
      ++cursor_;
    if (cursor_ == end_ || !isDigit(*cursor_)) {
      token_.text.assign(start, cursor_);
      for (char& ch : token_.text)
        ch = toLower(ch);
      throw ParserError(2007, token_);
    }
    while (cursor_ != end_ && isDigit(*cursor_))
      ++cursor_;
  }
  token_.text.assign(start, cursor_);
  // The exponent letter is always written "e"; nothing else in a number has a case.
  for (char& ch : token_.text)
    ch = toLower(ch);
  if (cursor_ != end_ && !isSeparator(*cursor_)) {
    // A number-shaped start that runs on into other characters is a word.
    scanWordTail(start);
    return;
  }
  column_ += static_cast<std::uint32_t>(cursor_ - start);
  if (token_.text.size() == 1 && (token_.text[0] == '+' || token_.text[0] == '-' ||
                                  token_.text[0] == '.'))
    throw ParserError(2007, token_);
}

void FileSource::scanWord() {
  token_.kind = TokenKind::Word;
  scanWordTail(cursor_);
}

// Takes the rest of a word up to a separator; start is where the token began.
void FileSource::scanWordTail(const char* start) {
  token_.kind = TokenKind::Word;
  for (; cursor_ != end_ && !isSeparator(*cursor_); ++cursor_) {
    if (isInvalid(*cursor_))
      throwInvalidCharacter(cursor_, token_.line, token_.column);
    token_.text += toLower(*cursor_);
  }
  column_ += static_cast<std::uint32_t>(cursor_ - start);
}

void FileSource::scanKeyword() {
  const char* start = cursor_;
  token_.kind = TokenKind::Keyword;
  ++cursor_;
  for (;;) {
    if (cursor_ == end_ || *cursor_ == '\r' || *cursor_ == '\n' || *cursor_ == '!')
      throw ParserError(2012, token_);
    char c = *cursor_;
    if (c == ']')
      break;
    unsigned char byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte > 0x7E)
      throwInvalidCharacter(cursor_, line_, column_ + static_cast<std::uint32_t>(cursor_ - start));
    token_.text += toLower(c);
    ++cursor_;
  }
  ++cursor_;
  column_ += static_cast<std::uint32_t>(cursor_ - start);
  if (token_.column != 1)
    throw ParserError(2009, token_);
}

bool FileSource::produceEndOfFile() {
  token_.kind = TokenKind::EndOfFile;
  char last = data_[size_ - 1];
  if (last == '\n' || last == '\r')
    token_.text = "\n";
  else
    token_.text.clear();
  atEnd_ = true;
  return false;
}

void FileSource::throwInvalidCharacter(const char* byte, std::uint32_t line, std::uint32_t column) {
  token_.kind = TokenKind::Word;
  token_.text.assign(1, *byte);
  token_.line = line;
  token_.column = column;
  throw InvalidCharacterError(token_);
}

}  // namespace touchstone2
