#ifndef TOUCHSTONE2_DIAGNOSTICS_PARSER_WARNING_H
#define TOUCHSTONE2_DIAGNOSTICS_PARSER_WARNING_H

#include <stdexcept>

#include "diagnostics/diagnostic.h"

namespace touchstone2 {

// A problem that is reported while the parse goes on. Never thrown: built,
// handed to the message handler, destroyed. Not a ParserError, so a handler
// for errors never sees one.
class ParserWarning : public std::runtime_error, public Diagnostic {
 public:
  ParserWarning(Code code, const Token& token);
  const char* what() const noexcept override { return message(); }
};

}  // namespace touchstone2

#endif
