#ifndef TOUCHSTONE2_DIAGNOSTICS_PARSER_ERROR_H
#define TOUCHSTONE2_DIAGNOSTICS_PARSER_ERROR_H

#include <stdexcept>

#include "diagnostics/diagnostic.h"

namespace touchstone2 {

// The error that ends a parse. Thrown where the problem is found, caught once
// by the parser and handed to the message handler.
class ParserError : public std::runtime_error, public Diagnostic {
 public:
  explicit ParserError(Code code);
  ParserError(Code code, const Token& token);
  const char* what() const noexcept override { return message(); }
};

}  // namespace touchstone2

#endif
