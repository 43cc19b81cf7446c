#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include <touchstone2/diagnostic.h>
#include <touchstone2/parser.h>
#include <touchstone2/reading.h>

namespace touchstone2 {
namespace {

// What the printing handler writes for the same input, line by line.
std::vector<std::string> printed(const std::string& contents, const std::string& name) {
  File file(name);
  std::ostringstream out;
  StandardMessageHandler handler(out);
  Parser(file, handler).parse(contents);
  std::vector<std::string> lines;
  std::istringstream in(out.str());
  for (std::string line; std::getline(in, line);)
    lines.push_back(line);
  return lines;
}

// The values of every diagnostic make the very line snpvet prints: code,
// severity, line, column (0 for none) and text.
TEST(Reading, DiagnosticsAsValuesAreThePrintedOnes) {
  const std::string contents = "# GHz S MA R 50\n1 0.5 0\n# MHz S RI\n2 0.5 x\n";
  ReadResult result = readBytes(contents, "flawed.s1p");
  EXPECT_FALSE(result.valid());
  ASSERT_EQ(result.diagnostics.size(), 2u);
  EXPECT_EQ(result.diagnostics[0].code, Code::SecondOptionLineIgnored);
  EXPECT_EQ(result.diagnostics[0].severity, Severity::Warning);
  EXPECT_EQ(result.diagnostics[1].code, Code::ExpectedNumber);
  EXPECT_EQ(result.diagnostics[1].severity, Severity::Error);
  std::vector<std::string> lines;
  for (const DiagnosticRecord& d : result.diagnostics) {
    bool error = d.severity == Severity::Error;
    lines.push_back(result.file.getFilename() + ":" + std::to_string(d.line) + ":" +
                    std::to_string(d.column) + ": " + (error ? "error E" : "warning W") +
                    std::to_string(static_cast<int>(d.code)) + ": " + d.text);
  }
  EXPECT_EQ(lines, printed(contents, "flawed.s1p"));

  ReadResult missing = readFile("no/such/file.s2p");
  EXPECT_FALSE(missing.valid());
  ASSERT_EQ(missing.diagnostics.size(), 1u);
  EXPECT_EQ(missing.diagnostics[0].code, Code::FileNotFound);
  EXPECT_EQ(missing.diagnostics[0].line, 0u);
  EXPECT_EQ(missing.diagnostics[0].text, "file not found");
}

ReadResult twoPoints() { return readBytes("# MHz S RI\n1 0.5 0\n2 0.25 0\n", "moved.s1p"); }

// A record comes back from a function and moves into a container with its
// data; a v1 file without data is valid and has no data to reach for.
TEST(Reading, RecordsMoveWithTheirData) {
  std::vector<File> files;
  files.push_back(std::move(twoPoints().file));
  File moved = std::move(files.back());
  ASSERT_TRUE(moved.isValid());
  ASSERT_NE(moved.getNetworkData(), nullptr);
  EXPECT_EQ(moved.getNetworkData()->frequencyInHz(1), 2e6);
  EXPECT_EQ(moved.getFilename(), "moved.s1p");
  EXPECT_EQ(files.back().getNetworkData(), nullptr);  // moved from

  ReadResult empty = readBytes("# GHz S MA R 50\n", "empty.s1p");
  EXPECT_TRUE(empty.valid());
  EXPECT_TRUE(empty.diagnostics.empty());
  EXPECT_EQ(empty.file.getNetworkData(), nullptr);
  EXPECT_EQ(empty.file.getNumberOfFrequencies(), 0u);
}

}  // namespace
}  // namespace touchstone2
