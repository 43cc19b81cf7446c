#include "diagnostics/codes.h"

namespace touchstone2 {

const CodeRow kCodes[] = {
#define TOUCHSTONE2_CODE_ROW(name, number, severity, text) \
  {Code::name, #name, Severity::severity, text},
    TOUCHSTONE2_DIAGNOSTICS(TOUCHSTONE2_CODE_ROW)
#undef TOUCHSTONE2_CODE_ROW
};
const std::size_t kCodeCount = sizeof kCodes / sizeof kCodes[0];

// Switches rather than a search of the table: the compiler makes them a jump
// table, and a code missing from the table is a plain default.
const char* messageText(std::int32_t code) {
  switch (code) {
#define TOUCHSTONE2_CODE_TEXT(name, number, severity, text) \
  case number:                                              \
    return text;
    TOUCHSTONE2_DIAGNOSTICS(TOUCHSTONE2_CODE_TEXT)
#undef TOUCHSTONE2_CODE_TEXT
    default:
      return "unknown Touchstone parser error";
  }
}

bool isWarningCode(std::int32_t code) {
  switch (code) {
#define TOUCHSTONE2_CODE_SEVERITY(name, number, severity, text) \
  case number:                                                  \
    return Severity::severity == Severity::Warning;
    TOUCHSTONE2_DIAGNOSTICS(TOUCHSTONE2_CODE_SEVERITY)
#undef TOUCHSTONE2_CODE_SEVERITY
    default:
      return false;
  }
}

}  // namespace touchstone2
