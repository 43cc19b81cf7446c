#include "diagnostics/standard_message_handler.h"

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
  out_ << line << std::endl;
}

}  // namespace touchstone2
