// The table of codes, the diagnostics and the standard message handler.

#include <touchstone2/codes.h>
#include <touchstone2/diagnostic.h>

#include <algorithm>
#include <cstring>
#include <string>

#include <touchstone2/file.h>

namespace touchstone2 {

const CodeRow kCodes[] = {
#define TOUCHSTONE2_CODE_ROW(name, number, severity, text, explanation) \
  {Code::name, #name, Severity::severity, text, explanation},
    TOUCHSTONE2_DIAGNOSTICS(TOUCHSTONE2_CODE_ROW)
#undef TOUCHSTONE2_CODE_ROW
};
const std::size_t kCodeCount = sizeof kCodes / sizeof kCodes[0];

// Switches rather than a search of the table: the compiler makes them a jump
// table, and a code missing from the table is a plain default.
const char* messageText(std::int32_t code) {
  switch (code) {
#define TOUCHSTONE2_CODE_TEXT(name, number, severity, text, explanation) \
  case number:                                                           \
    return text;
    TOUCHSTONE2_DIAGNOSTICS(TOUCHSTONE2_CODE_TEXT)
#undef TOUCHSTONE2_CODE_TEXT
    default:
      return "unknown Touchstone parser error";
  }
}

const char* explanationText(std::int32_t code) {
  switch (code) {
#define TOUCHSTONE2_CODE_EXPLANATION(name, number, severity, text, explanation) \
  case number:                                                                  \
    return explanation;
    TOUCHSTONE2_DIAGNOSTICS(TOUCHSTONE2_CODE_EXPLANATION)
#undef TOUCHSTONE2_CODE_EXPLANATION
    default:
      return "";
  }
}

bool isWarningCode(std::int32_t code) {
  switch (code) {
#define TOUCHSTONE2_CODE_SEVERITY(name, number, severity, text, explanation) \
  case number:                                                               \
    return Severity::severity == Severity::Warning;
    TOUCHSTONE2_DIAGNOSTICS(TOUCHSTONE2_CODE_SEVERITY)
#undef TOUCHSTONE2_CODE_SEVERITY
    default:
      return false;
  }
}

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

void StandardMessageHandler::error(const File& file, const ParserError& error) {
  writeLine(file, error, " error E");
}

void StandardMessageHandler::warning(const File& file, const ParserWarning& warning) {
  writeLine(file, warning, " warning W");
}

void StandardMessageHandler::writeLine(const File& file, const Diagnostic& diagnostic,
                                       const char* kind) {
  std::string line = file.getFilename();
  line += ':';
  if (diagnostic.getLine() != 0) {
    line += std::to_string(diagnostic.getLine()) + ':';
    if (diagnostic.getColumn() != 0)
      line += std::to_string(diagnostic.getColumn()) + ':';
  }
  line += kind;
  line += std::to_string(diagnostic.getCode());
  line += ": ";
  line += diagnostic.message();
  // One write for the whole line, so that lines of runs sharing a terminal
  // (xargs -P) never interleave; then flush, as each line must be out before
  // the parse goes on.
  line += '\n';
  out_.write(line.data(), static_cast<std::streamsize>(line.size()));
  out_.flush();
}

}  // namespace touchstone2
