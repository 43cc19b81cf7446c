// The lexer: Lexer::next() cuts the bytes into tokens, one per call.
//
// Data files are mostly numbers and single blanks, so the loops below walk a
// local pointer and classify bytes through one table; the text of a token is
// copied once, when its end is known.

#include <array>
#include <cstdint>
#include <cstring>

#include "input/lexer.h"

#include "diagnostics/detailed_diagnostics.h"
#include "input/file_source.h"

namespace touchstone2 {

namespace {

// Byte classes, several per byte.
enum : unsigned char {
  kDigit = 1,         // 0 to 9
  kNumberStart = 2,   // a digit, "+", "-" or "."
  kSeparator = 4,     // space, tab, "!", LF, CR: ends a number or a word
  kPrintable = 8,     // 0x21 to 0x7E
  kCommentByte = 16,  // tab and 0x20 to 0x7E
};

constexpr std::array<unsigned char, 256> makeClasses() {
  std::array<unsigned char, 256> classes{};
  for (int b = 0; b < 256; ++b) {
    unsigned char c = 0;
    if (b >= '0' && b <= '9')
      c |= kDigit;
    if ((b >= '0' && b <= '9') || b == '+' || b == '-' || b == '.')
      c |= kNumberStart;
    if (b == ' ' || b == '\t' || b == '!' || b == '\n' || b == '\r')
      c |= kSeparator;
    if (b >= 0x21 && b <= 0x7E)
      c |= kPrintable;
    if (b == '\t' || (b >= 0x20 && b <= 0x7E))
      c |= kCommentByte;
    classes[static_cast<std::size_t>(b)] = c;
  }
  return classes;
}

constexpr std::array<unsigned char, 256> kClasses = makeClasses();

bool has(char c, unsigned char mask) {
  return (kClasses[static_cast<unsigned char>(c)] & mask) != 0;
}

bool isDigit(char c) { return has(c, kDigit); }
bool isSeparator(char c) { return has(c, kSeparator); }
bool isCommentByte(char c) { return has(c, kCommentByte); }
// Neither printable nor a separator: control bytes, DEL and all 8-bit bytes.
bool isInvalid(char c) { return !has(c, kPrintable | kSeparator); }
bool isBlank(char c) { return c == ' ' || c == '\t'; }

char toLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + ('a' - 'A')) : c; }

// The word-at-a-time scan below reads eight bytes as one word, lowest address
// in the lowest byte; on other machines only the byte loop runs.
bool isLittleEndian() {
  const std::uint16_t one = 1;
  unsigned char first = 0;
  std::memcpy(&first, &one, 1);
  return first == 1;
}

constexpr std::uint64_t kEachByte(unsigned char b) { return 0x0101010101010101u * b; }

// The high bit of each byte of word that is a digit or a point. Each byte is
// tested on its own: no carry crosses into the next byte (the low seven bits
// plus at most 0x50 stay below 0x100).
std::uint64_t numberBodyBytes(std::uint64_t word) {
  constexpr std::uint64_t kHigh = kEachByte(0x80);
  constexpr std::uint64_t kLow = kEachByte(0x7F);
  std::uint64_t low = word & kLow;
  std::uint64_t atLeast0 = low + kEachByte(0x80 - '0');
  std::uint64_t above9 = low + kEachByte(0x80 - '9' - 1);
  std::uint64_t digit = atLeast0 & ~above9;
  std::uint64_t pointBits = (word ^ kEachByte('.')) & kLow;
  std::uint64_t point = ~((pointBits + kLow) | pointBits);
  return (digit | point) & ~word & kHigh;
}

// The digits and points that a number takes before its exponent, eight bytes
// at a time while eight are left. The first byte that is neither gives its
// place: its high bit, multiplied by the bytes 7, 6, .. 0, brings its index to
// the top byte.
const char* skipNumberBody(const char* p, const char* end) {
  while (isLittleEndian() && end - p >= 8) {
    std::uint64_t word;
    std::memcpy(&word, p, sizeof word);
    std::uint64_t other = ~numberBodyBytes(word) & kEachByte(0x80);
    if (other != 0) {
      std::uint64_t lowest = other & (~other + 1);
      return p + (((lowest >> 7) * 0x0001020304050607) >> 56);
    }
    p += 8;
  }
  while (p != end && (isDigit(*p) || *p == '.'))
    ++p;
  return p;
}

}  // namespace

// A source is never empty: it refuses to be made without bytes.
Lexer::Lexer(FileSource& source)
    : source_(source), cursor_(source.data()), end_(source.windowEnd()) {}

bool Lexer::next() {
  token_->kind = TokenKind::Whitespace;
  token_->text.clear();
  for (;;) {
    token_->line = line_;
    token_->column = column_;
    if (cursor_ == end_ && !widenWindow())
      return produceEndOfFile();
    char c = *cursor_;
    switch (c) {
      case ' ':
      case '\t':
        if (skipBlankRun())
          return true;
        // Blank space at the end of a line or before a comment is no token,
        // nor, while blanks are passed, a run between two tokens.
        continue;
      case '\r':
        produceLineEnd(cursor_ + 1 != end_ && cursor_[1] == '\n' ? 2 : 1);
        return true;
      case '\n':
        produceLineEnd(1);
        return true;
      case '!':
        skipComment();
        continue;
      case '+':
      case '-':
      case '.':
      case '0': case '1': case '2': case '3': case '4':
      case '5': case '6': case '7': case '8': case '9':
        scanNumber();
        return true;
      case '[':
        scanKeyword();
        return true;
      case '#':
        token_->kind = TokenKind::OptionMarker;
        token_->text.push_back('#');
        if (column_ != 1)
          throw ParserError(Code::OptionMarkerNotAtLineStart, *token_);
        ++cursor_;
        ++column_;
        return true;
      default:
        if (isInvalid(c))
          throwInvalidCharacter(cursor_, line_, column_);
        scanWord();
        return true;
    }
  }
}

bool Lexer::nextNumberAfterBlanks() {
  const char* p = cursor_;
  if (!passBlanks_ || p == end_ || !isBlank(*p))
    return false;
  do
    ++p;
  while (p != end_ && isBlank(*p));
  if (p == end_ || !has(*p, kNumberStart))
    return false;
  // What next() would do: reset the token, pass the blanks, read the number.
  token_->kind = TokenKind::Whitespace;
  token_->text.clear();
  column_ += static_cast<std::uint32_t>(p - cursor_);
  cursor_ = p;
  token_->line = line_;
  token_->column = column_;
  scanNumber();
  return true;
}

// Takes a run of spaces and tabs. True when it is a Whitespace token (another
// token follows on the line and blanks are not being passed over).
bool Lexer::skipBlankRun() {
  const char* start = cursor_;
  const char* p = start + 1;
  while (p != end_ && isBlank(*p))
    ++p;
  cursor_ = p;
  column_ += static_cast<std::uint32_t>(p - start);
  if (p == end_ || *p == '!' || *p == '\r' || *p == '\n' || passBlanks_)
    return false;
  token_->text.assign(start, p);
  return true;
}

void Lexer::produceLineEnd(std::size_t terminatorLength) {
  token_->kind = TokenKind::EndOfLine;
  token_->text.push_back('\n');
  cursor_ += terminatorLength;
  ++line_;
  column_ = 1;
}

// The window ends at a line end or at the end of the file, so only here, at
// a line's start, can the lexer come to its end before the file's.
bool Lexer::widenWindow() {
  const char* end = source_.advance(cursor_);
  if (end == end_)
    return false;
  end_ = end;
  return true;
}

void Lexer::skipComment() {
  const char* start = cursor_;
  const char* p = start + 1;
  while (p != end_ && *p != '\n' && *p != '\r') {
    if (!isCommentByte(*p)) {
      cursor_ = p;
      throwInvalidCharacter(p, line_, column_ + static_cast<std::uint32_t>(p - start));
    }
    ++p;
  }
  cursor_ = p;
  column_ += static_cast<std::uint32_t>(p - start);
}

void Lexer::scanNumber() {
  const char* start = cursor_;
  const char* p = start + 1;
  const char* end = end_;
  token_->kind = TokenKind::Number;
  p = skipNumberBody(p, end);
  const char* exponent = nullptr;
  if (p != end && (*p == 'e' || *p == 'E')) {
    exponent = p++;
    if (p != end && (*p == '+' || *p == '-'))
      ++p;
    if (p == end || !isDigit(*p)) {
      cursor_ = p;
      setNumberText(start, p, exponent);
      throw ParserError(Code::ExpectedNumber, *token_);
    }
    while (p != end && isDigit(*p))
      ++p;
  }
  cursor_ = p;
  setNumberText(start, p, exponent);
  if (p != end && !isSeparator(*p)) {
    // A number-shaped start that runs on into other characters is a word.
    scanWordTail(start);
    return;
  }
  column_ += static_cast<std::uint32_t>(p - start);
  if (p - start == 1 && (*start == '+' || *start == '-' || *start == '.'))
    throw ParserError(Code::ExpectedNumber, *token_);
}

// The exponent letter is always written "e"; nothing else in a number has a case.
// The text is empty here, and appending is the cheaper copy.
void Lexer::setNumberText(const char* start, const char* end, const char* exponent) {
  token_->text.append(start, static_cast<std::size_t>(end - start));
  if (exponent != nullptr)
    token_->text[static_cast<std::size_t>(exponent - start)] = 'e';
}

void Lexer::scanWord() {
  token_->kind = TokenKind::Word;
  scanWordTail(cursor_);
}

// Takes the rest of a word up to a separator; start is where the token began.
void Lexer::scanWordTail(const char* start) {
  token_->kind = TokenKind::Word;
  for (; cursor_ != end_ && !isSeparator(*cursor_); ++cursor_) {
    if (isInvalid(*cursor_))
      throwInvalidCharacter(cursor_, token_->line, token_->column);
    token_->text += toLower(*cursor_);
  }
  column_ += static_cast<std::uint32_t>(cursor_ - start);
}

void Lexer::scanKeyword() {
  const char* start = cursor_;
  token_->kind = TokenKind::Keyword;
  ++cursor_;
  for (;;) {
    if (cursor_ == end_ || *cursor_ == '\r' || *cursor_ == '\n' || *cursor_ == '!')
      throw ParserError(Code::KeywordUnclosed, *token_);
    char c = *cursor_;
    if (c == ']')
      break;
    unsigned char byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte > 0x7E)
      throwInvalidCharacter(cursor_, line_, column_ + static_cast<std::uint32_t>(cursor_ - start));
    token_->text += toLower(c);
    ++cursor_;
  }
  ++cursor_;
  column_ += static_cast<std::uint32_t>(cursor_ - start);
  if (token_->column != 1)
    throw ParserError(Code::KeywordNotAtLineStart, *token_);
}

bool Lexer::produceEndOfFile() {
  token_->kind = TokenKind::EndOfFile;
  char last = end_[-1];
  if (last == '\n' || last == '\r')
    token_->text = "\n";
  else
    token_->text.clear();
  atEnd_ = true;
  return false;
}

void Lexer::throwInvalidCharacter(const char* byte, std::uint32_t line, std::uint32_t column) {
  token_->kind = TokenKind::Word;
  token_->text.assign(1, *byte);
  token_->line = line;
  token_->column = column;
  throw InvalidCharacterError(*token_);
}

}  // namespace touchstone2
