#ifndef TOUCHSTONE2_APP_FILE_CHECK_H
#define TOUCHSTONE2_APP_FILE_CHECK_H

#include <touchstone2/diagnostic.h>
#include <touchstone2/file.h>

#include "app/targets.h"

namespace touchstone2 {

// Parses the target into file (built on the target's path) with handler: a
// file by the library's own reading, standard input read whole first. True
// when the file was read without error. A failure to read standard input is
// reported to the handler as an unreadable file.
bool parseTarget(const Target& target, File& file, MessageHandler& handler);

}  // namespace touchstone2

#endif
