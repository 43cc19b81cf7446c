#ifndef TOUCHSTONE2_DIAGNOSTICS_MESSAGE_HANDLER_H
#define TOUCHSTONE2_DIAGNOSTICS_MESSAGE_HANDLER_H

#include "diagnostics/parser_error.h"
#include "diagnostics/parser_warning.h"

namespace touchstone2 {

class File;

// Where diagnostics leave the parser: every warning as it arises, then at most
// one error, the last diagnostic of a parse.
struct MessageHandler {
  virtual ~MessageHandler() = default;
  virtual void error(const File& file, const ParserError& error) = 0;
  virtual void warning(const File& file, const ParserWarning& warning) = 0;
};

}  // namespace touchstone2

#endif
