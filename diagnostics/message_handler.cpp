#include "diagnostics/message_handler.h"

#include <string>

#include "model/file.h"

namespace touchstone2 {

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
