#ifndef TOUCHSTONE2_DIAGNOSTICS_MESSAGE_TEXT_H
#define TOUCHSTONE2_DIAGNOSTICS_MESSAGE_TEXT_H

#include <cstdint>

namespace touchstone2 {

// The short text of a diagnostic code; "unknown Touchstone parser error" for a
// code that is not in the table. Static storage, never fails.
const char* messageText(std::int32_t code);

// Warnings are reported and the parse goes on; every other code ends it.
bool isWarningCode(std::int32_t code);

}  // namespace touchstone2

#endif
