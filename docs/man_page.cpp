// Writes the manual page: the configured page with the diagnostics table
// (code, severity, short text, explanation) put in at the marker line, from
// the library's own table, so that the page cannot drift from the program.
//
// Usage: man_page CONFIGURED_PAGE OUTPUT

#include <cstdint>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include <touchstone2/codes.h>

namespace {

const char kMarker[] = ".\\\" The diagnostics table is put here when the page is built.";

// Text as roff shows it literally: a backslash is \e, a hyphen \- (a minus
// sign, which copies and searches as the ASCII one), a quote \(aq (not a
// typographic one), and no line starts with a control character.
std::string roff(const std::string& text) {
  std::string out = "\\&";
  for (char c : text) {
    if (c == '\\')
      out += "\\e";
    else if (c == '-')
      out += "\\-";
    else if (c == '\'')
      out += "\\(aq";
    else
      out += c;
  }
  return out;
}

void writeTable(std::ostream& out) {
  for (std::size_t i = 0; i < touchstone2::kCodeCount; ++i) {
    const touchstone2::CodeRow& row = touchstone2::kCodes[i];
    bool warning = row.severity == touchstone2::Severity::Warning;
    out << ".TP\n.B " << (warning ? 'W' : 'E') << static_cast<std::int32_t>(row.code) << " ("
        << (warning ? "warning" : "error") << ")\n"
        << roff(row.text) << "\n.IP\n"
        << roff(row.explanation) << '\n';
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: man_page CONFIGURED_PAGE OUTPUT\n";
    return 1;
  }
  std::ifstream in(argv[1]);
  std::ostringstream page;
  bool marked = false;
  for (std::string line; std::getline(in, line);) {
    if (line == kMarker) {
      writeTable(page);
      marked = true;
    } else {
      page << line << '\n';
    }
  }
  if (!in.eof() || !marked) {
    std::cerr << "man_page: " << argv[1] << (marked ? ": cannot be read\n" : ": no marker line\n");
    return 1;
  }
  std::ofstream out(argv[2], std::ios::binary);
  out << page.str();
  out.close();
  if (!out) {
    std::cerr << "man_page: " << argv[2] << ": cannot be written\n";
    return 1;
  }
  return 0;
}
