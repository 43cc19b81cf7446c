#ifndef TOUCHSTONE2_DIAGNOSTICS_FORMAT_ERRORS_H
#define TOUCHSTONE2_DIAGNOSTICS_FORMAT_ERRORS_H

#include <cstdint>

#include "diagnostics/parser_error.h"
#include "input/token.h"

namespace touchstone2 {

// 2003: a byte that may not stand where it was found.
class InvalidCharacterError : public ParserError {
 public:
  explicit InvalidCharacterError(const Token& token);
  char getCharacter() const { return character_; }

 private:
  char character_;
};

// 2210: a keyword other than [End] after the data.
class KeywordOrderingError : public ParserError {
 public:
  explicit KeywordOrderingError(const Token& token);
};

// 2022: [Reference] lists a different number of impedances than there are ports.
class WrongReferenceImpedanceCountError : public ParserError {
 public:
  WrongReferenceImpedanceCountError(std::uint64_t impedanceCount, std::uint64_t portCount,
                                    const Token& token);
};

}  // namespace touchstone2

#endif
