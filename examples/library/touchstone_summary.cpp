// Reads one Touchstone file through the touchstone2 library and prints a
// summary: version, ports, frequency points and every diagnostic the parser
// reported. Unlike the checker, it keeps the diagnostics in a list instead of
// printing them as they arise, which is what a program embedding the parser
// usually wants.
//
// Usage: touchstone_summary FILE
// Exit status: 0 when the file is valid, 1 when it is not, 2 on bad usage.

#include <cstdint>
#include <iostream>
#include <string>
#include <vector>

#include <touchstone2/touchstone2.h>

namespace {

struct Diagnostic {
  bool warning;
  std::int32_t code;
  std::uint32_t line;    // 0 when the diagnostic concerns the whole file
  std::uint32_t column;  // 0 when there is no column
  std::string message;
};

// The diagnostic objects live only for the call, so the handler copies what
// it needs out of them.
struct CollectingHandler : touchstone2::MessageHandler {
  std::vector<Diagnostic> diagnostics;

  void error(const touchstone2::File&, const touchstone2::ParserError& e) override {
    diagnostics.push_back({false, e.getCode(), e.getLine(), e.getColumn(), e.what()});
  }
  void warning(const touchstone2::File&, const touchstone2::ParserWarning& w) override {
    diagnostics.push_back({true, w.getCode(), w.getLine(), w.getColumn(), w.what()});
  }
};

const char* versionName(std::uint32_t version) {
  if (version == touchstone2::File::kVersion1)
    return "1";
  if (version == touchstone2::File::kVersion1_1)
    return "1.1";
  if (version == touchstone2::File::kVersion2)
    return "2.0";
  if (version == touchstone2::File::kVersion2_1)
    return "2.1";
  return "unknown";
}

void printSummary(const touchstone2::File& file) {
  const touchstone2::NetworkParams* network = file.getNetworkData();
  const touchstone2::NoiseParams* noise = file.getNoiseData();
  std::cout << "version: " << versionName(file.getVersion()) << '\n'
            << "ports: " << file.getNumberOfPorts() << '\n'
            << "frequency points: " << (network ? network->frequencyCount() : 0) << '\n'
            << "noise points: " << (noise ? noise->pointCount() : 0) << '\n';
  if (network && network->frequencyCount() > 0) {
    std::cout << "frequency range: " << network->frequencyInHz(0) << " Hz to "
              << network->frequencyInHz(network->frequencyCount() - 1) << " Hz\n";
  }
}

void printDiagnostics(const std::vector<Diagnostic>& diagnostics) {
  std::cout << "diagnostics: " << diagnostics.size() << '\n';
  for (const Diagnostic& d : diagnostics) {
    std::cout << "  " << (d.warning ? "warning W" : "error E") << d.code << " at line "
              << d.line << ", column " << d.column << ": " << d.message << '\n';
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: touchstone_summary FILE\n";
    return 2;
  }
  touchstone2::File file(argv[1]);
  CollectingHandler handler;
  touchstone2::Parser parser(file, handler);
  const bool ok = parser.parse();

  std::cout << "file: " << file.getFilename() << '\n'
            << "valid: " << (ok ? "yes" : "no") << '\n';
  // A failed parse leaves the record half filled: only the diagnostics count.
  if (ok)
    printSummary(file);
  printDiagnostics(handler.diagnostics);
  return ok ? 0 : 1;
}
