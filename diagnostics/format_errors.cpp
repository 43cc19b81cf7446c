#include "diagnostics/format_errors.h"

#include <string>

namespace touchstone2 {

namespace {

// Control bytes are shown as \xHH: written raw they would cut the message
// short (NUL) or reach the user's terminal as control sequences. So are bytes
// above 0x7F: alone (a lead byte of UTF-8, a character of a local code page)
// they would make the line invalid UTF-8, which a terminal or a Python caller
// cannot print. Tabs and printable ASCII are shown as they are.
std::string quotedCharacter(char c) {
  unsigned char byte = static_cast<unsigned char>(c);
  if ((byte < 0x20 && byte != '\t') || byte >= 0x7F) {
    static const char kHex[] = "0123456789abcdef";
    return std::string("\\x") + kHex[byte >> 4] + kHex[byte & 0xF];
  }
  return std::string(1, c);
}

}  // namespace

InvalidCharacterError::InvalidCharacterError(const Token& token)
    : ParserError(2003, token), character_(token.text.empty() ? '\0' : token.text[0]) {
  setDetail("invalid character '" + quotedCharacter(character_) + "'");
}

KeywordOrderingError::KeywordOrderingError(const Token& token) : ParserError(2210, token) {
  setDetail(std::string("keyword [") + getText() + "] is out of order");
}

WrongReferenceImpedanceCountError::WrongReferenceImpedanceCountError(std::uint64_t impedanceCount,
                                                                     std::uint64_t portCount,
                                                                     const Token& token)
    : ParserError(2022, token) {
  setDetail("the number of reference impedances (" + std::to_string(impedanceCount) +
            ") must match the number of ports (" + std::to_string(portCount) + ")");
}

}  // namespace touchstone2
