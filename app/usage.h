#ifndef TOUCHSTONE2_APP_USAGE_H
#define TOUCHSTONE2_APP_USAGE_H

#include <ostream>

namespace touchstone2 {

// The program's version, as shown by -version, -help and the usage text.
extern const char* const kProgramVersion;

// The short usage text, shown before a command-line error.
void printUsage(std::ostream& out);

// The full help text of -help and -h.
void printHelp(std::ostream& out);

// The one-line answer to -version.
void printVersion(std::ostream& out);

}  // namespace touchstone2

#endif
