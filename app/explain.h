#ifndef TOUCHSTONE2_APP_EXPLAIN_H
#define TOUCHSTONE2_APP_EXPLAIN_H

#include <ostream>
#include <string>

#include <touchstone2/codes.h>

namespace touchstone2 {

// The table row of a code as a user writes it: E2011, W2005 (either letter
// case) or 2011. Null when there is none, with the reason in problem.
const CodeRow* codeRowNamed(const std::string& argument, std::string& problem);

// What --explain prints: the code, its severity and short text, then the
// explanation wrapped for a terminal.
void printExplanation(const CodeRow& row, std::ostream& out);

}  // namespace touchstone2

#endif
