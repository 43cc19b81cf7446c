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

// Hands each diagnostic to one handler, then to another where one is given:
// the records a report is made of, and the text lines.
class HandlerPair : public MessageHandler {
 public:
  HandlerPair(MessageHandler& first, MessageHandler* second) : first_(first), second_(second) {}
  void error(const File& file, const ParserError& error) override;
  void warning(const File& file, const ParserWarning& warning) override;

 private:
  MessageHandler& first_;
  MessageHandler* second_;
};

}  // namespace touchstone2

#endif
