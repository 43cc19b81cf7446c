#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include <touchstone2/reading.h>

namespace touchstone2 {
namespace {

// The path is read, and a failure to open it is a diagnostic like any other.
TEST(Reading, AMissingFileIsADiagnostic) {
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
