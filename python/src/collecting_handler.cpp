#include "python/src/collecting_handler.h"

namespace touchstone2::python {

void CollectingHandler::error(const File&, const ParserError& error) {
  add(error, true);
}

void CollectingHandler::warning(const File&, const ParserWarning& warning) {
  add(warning, false);
}

void CollectingHandler::add(const Diagnostic& diagnostic, bool error) {
  records_.push_back({diagnostic.getCode(), error, diagnostic.getLine(), diagnostic.getColumn(),
                      diagnostic.message()});
}

}  // namespace touchstone2::python
