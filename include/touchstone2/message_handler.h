#ifndef TOUCHSTONE2_MESSAGE_HANDLER_H
#define TOUCHSTONE2_MESSAGE_HANDLER_H

#include <iostream>

#include <touchstone2/diagnostic.h>

namespace touchstone2 {

class File;

// Where diagnostics leave the parser: every warning as it arises, then at most
// one error, the last diagnostic of a parse.
struct MessageHandler {
  virtual ~MessageHandler() = default;
  virtual void error(const File& file, const ParserError& error) = 0;
  virtual void warning(const File& file, const ParserWarning& warning) = 0;
};

// Writes one line per diagnostic: "name:line:col: error E2003: text", without
// the position parts that are 0. Keeps no state between calls.
struct StandardMessageHandler : MessageHandler {
  explicit StandardMessageHandler(std::ostream& out = std::cerr) : out_(out) {}
  void error(const File& file, const ParserError& error) override;
  void warning(const File& file, const ParserWarning& warning) override;

 private:
  void writeLine(const File& file, const Diagnostic& diagnostic, const char* kind);
  std::ostream& out_;
};

}  // namespace touchstone2

#endif
