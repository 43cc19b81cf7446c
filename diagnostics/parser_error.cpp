#include "diagnostics/parser_error.h"

namespace touchstone2 {

ParserError::ParserError(Code code)
    : std::runtime_error("Touchstone parser error"), Diagnostic(code) {}

ParserError::ParserError(Code code, const Token& token)
    : std::runtime_error("Touchstone parser error"), Diagnostic(code, token) {}

}  // namespace touchstone2
