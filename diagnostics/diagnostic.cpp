#include "diagnostics/diagnostic.h"

#include <algorithm>
#include <cstring>

#include "diagnostics/codes.h"
#include "input/token.h"

namespace touchstone2 {

Diagnostic::Diagnostic(Code code) : code_(static_cast<std::int32_t>(code)) {}

Diagnostic::Diagnostic(Code code, const Token& token)
    : code_(static_cast<std::int32_t>(code)), line_(token.line), column_(token.column) {
  std::size_t length = std::min(token.text.size(), kTextSize - 1);
  std::memcpy(text_, token.text.data(), length);
  text_[length] = '\0';
}

const char* Diagnostic::message() const {
  return detail_.empty() ? messageText(code_) : detail_.c_str();
}

}  // namespace touchstone2
