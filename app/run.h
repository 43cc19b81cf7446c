#ifndef TOUCHSTONE2_APP_RUN_H
#define TOUCHSTONE2_APP_RUN_H

#include <ostream>

namespace touchstone2 {

// The whole program: decodes the command line, checks the named file and
// writes the verdict, a canonical file or the description to out; usage,
// diagnostics and failures go to err. Returns the exit status, 0 or 1. Every
// exception ends here as one line on err, never as an abort.
int run(int argc, char** argv, std::ostream& out, std::ostream& err);

}  // namespace touchstone2

#endif
