#include "diagnostics/parser_error.h"

namespace touchstone2 {

ParserError::ParserError(std::int32_t code)
    : std::runtime_error("Touchstone parser error"), Diagnostic(code) {}

ParserError::ParserError(std::int32_t code, const Token& token)
    : std::runtime_error("Touchstone parser error"), Diagnostic(code, token) {}

}  // namespace touchstone2
