#include <touchstone2/reading.h>

namespace touchstone2 {

void CollectingHandler::error(const File&, const ParserError& error) {
  add(error, Severity::Error);
}

void CollectingHandler::warning(const File&, const ParserWarning& warning) {
  add(warning, Severity::Warning);
}

void CollectingHandler::add(const Diagnostic& diagnostic, Severity severity) {
  records_.push_back({static_cast<Code>(diagnostic.getCode()), severity, diagnostic.getLine(),
                      diagnostic.getColumn(), diagnostic.message()});
}

}  // namespace touchstone2
