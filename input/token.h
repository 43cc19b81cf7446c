#ifndef TOUCHSTONE2_INPUT_TOKEN_H
#define TOUCHSTONE2_INPUT_TOKEN_H

#include <cstdint>
#include <string>

namespace touchstone2 {

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

struct Token {
  TokenKind kind = TokenKind::Whitespace;
  std::uint32_t line = 0;    // from 1
  std::uint32_t column = 0;  // from 1
  std::string text;
};

}  // namespace touchstone2

#endif
