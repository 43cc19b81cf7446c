#include "diagnostics/diagnostic.h"

#include <algorithm>
#include <cstring>

namespace touchstone2 {

Diagnostic::Diagnostic(Code code) : code_(static_cast<std::int32_t>(code)) {}

Diagnostic::Diagnostic(Code code, const Position& where)
    : code_(static_cast<std::int32_t>(code)), line_(where.line), column_(where.column) {
  std::size_t length = std::min(where.text.size(), kTextSize - 1);
  std::memcpy(text_, where.text.data(), length);
  text_[length] = '\0';
}

const char* Diagnostic::message() const {
  return detail_.empty() ? messageText(code_) : detail_.c_str();
}

ParserError::ParserError(Code code)
    : std::runtime_error("Touchstone parser error"), Diagnostic(code) {}

ParserError::ParserError(Code code, const Position& where)
    : std::runtime_error("Touchstone parser error"), Diagnostic(code, where) {}

ParserWarning::ParserWarning(Code code, const Position& where)
    : std::runtime_error("Touchstone parser warning"), Diagnostic(code, where) {}

}  // namespace touchstone2
