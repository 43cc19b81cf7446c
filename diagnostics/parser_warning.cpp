#include "diagnostics/parser_warning.h"

namespace touchstone2 {

ParserWarning::ParserWarning(Code code, const Token& token)
    : std::runtime_error("Touchstone parser warning"), Diagnostic(code, token) {}

}  // namespace touchstone2
