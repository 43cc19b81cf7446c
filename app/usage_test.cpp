#include "app/usage.h"

#include <sstream>
#include <string>

#include <gtest/gtest.h>

namespace touchstone2 {
namespace {

TEST(UsageTest, VersionString) {
  EXPECT_STREQ("2.0.0", kProgramVersion);
}

TEST(UsageTest, ShortUsageText) {
  std::ostringstream out;
  printUsage(out);
  EXPECT_EQ(
      "\n"
      "snpvet, version 2.0.0\n"
      "verification tool for Touchstone v2 files\n"
      "\n"
      "usage: snpvet [-canonical | -describe] FILE\n"
      "\n"
      "See \x60snpvet -help' for details.\n"
      "\n",
      out.str());
}

TEST(UsageTest, VersionText) {
  std::ostringstream out;
  printVersion(out);
  EXPECT_EQ("snpvet, version 2.0.0\n", out.str());
}

TEST(UsageTest, HelpText) {
  std::ostringstream out;
  printHelp(out);
  EXPECT_EQ(
      "\n"
      "snpvet, version 2.0.0\n"
      "verification tool for Touchstone v2 files\n"
      "\n"
      "Usage modes:\n"
      "\n"
      "  snpvet FILE                   Checks the file, sending error and warning\n"
      "                                information to stderr.\n"
      "\n"
      "  snpvet -canonical    FILE     Shortcut for -canonical-v2.\n"
      "\n"
      "  snpvet -canonical-v2 FILE     Checks the file, sending error and warning\n"
      "                                information to stderr, and writes a valid file\n"
      "                                to stdout in Touchstone v2 format.\n"
      "\n"
      "  snpvet -canonical-v1 FILE     Checks the file, sending error and warning\n"
      "                                information to stderr, and writes a valid file\n"
      "                                to stdout in Touchstone v1 format, if possible.\n"
      "\n"
      "  snpvet -describe FILE         Checks the file, sending error and warning\n"
      "                                information to stderr, and writes a valid file\n"
      "                                to stdout in a long-form description.\n"
      "\n"
      "  snpvet -version               Displays the version number.\n"
      "\n"
      "  snpvet -help                  Displays this help message.\n"
      "\n"
      "\n",
      out.str());
}

TEST(UsageTest, HelpExplanationsStartInColumn33) {
  std::ostringstream out;
  printHelp(out);
  std::istringstream lines(out.str());
  std::string line;
  int indented = 0;
  while (std::getline(lines, line)) {
    if (line.compare(0, 2, "  ") != 0)
      continue;
    ++indented;
    ASSERT_GT(line.size(), 32u) << line;
    EXPECT_EQ(' ', line[31]) << line;
    EXPECT_NE(' ', line[32]) << line;
  }
  EXPECT_EQ(14, indented);
}

TEST(UsageTest, HelpDoesNotMentionShortForm) {
  std::ostringstream out;
  printHelp(out);
  EXPECT_EQ(std::string::npos, out.str().find("-h "));
  EXPECT_EQ(std::string::npos, out.str().find("-h\n"));
}

}  // namespace
}  // namespace touchstone2
