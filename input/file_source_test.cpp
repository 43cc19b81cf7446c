#include "input/file_source.h"

#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "diagnostics/format_errors.h"
#include "diagnostics/parser_error.h"
#include "model/file.h"

namespace touchstone2 {
namespace {

// A scratch directory of its own for each test, removed afterwards.
class FileSourceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/snpvet-source-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir_ = pattern;
  }
  void TearDown() override { std::system(("rm -rf '" + dir_ + "'").c_str()); }

  std::string write(const std::string& name, const std::string& bytes) {
    std::string path = dir_ + "/" + name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }

  // The code of the error the source's constructor throws, 0 when it opens.
  static int openCode(const std::string& path) {
    File file(path);
    try {
      FileSource source(file);
    } catch (const ParserError& error) {
      EXPECT_EQ(error.getLine(), 0u);
      return error.getCode();
    }
    return 0;
  }

  struct Lexed {
    TokenKind kind;
    std::uint32_t line;
    std::uint32_t column;
    std::string text;
  };

  std::vector<Lexed> lex(const std::string& bytes) {
    File file(write("in.s2p", bytes));
    FileSource source(file);
    std::vector<Lexed> tokens;
    while (source.next())
      tokens.push_back({source.token().kind, source.token().line, source.token().column,
                        source.token().text});
    tokens.push_back({source.token().kind, source.token().line, source.token().column,
                      source.token().text});
    return tokens;
  }

  std::string dir_;
};

TEST_F(FileSourceTest, RefusesWhatCannotBeRead) {
  EXPECT_EQ(openCode(""), 1001);
  EXPECT_EQ(openCode(dir_ + "/missing.s2p"), 1001);
  EXPECT_EQ(openCode(write("empty.s2p", "")), 1003);
  EXPECT_EQ(openCode(dir_), 1002);
  std::string fifo = dir_ + "/fifo.s2p";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_EQ(openCode(fifo), 1002);  // and does not wait for a writer
  EXPECT_EQ(openCode(write("lf.s2p", "\n")), 0);
}

TEST_F(FileSourceTest, RefusesFilesOf4GiBOrMore) {
  std::string path = dir_ + "/huge.s2p";
  {
    std::ofstream(path) << "# GHz";
  }
  // Sparse: the size is there without the disk space.
  if (truncate(path.c_str(), 4294967296LL) != 0)
    GTEST_SKIP() << "cannot make a sparse file here";
  EXPECT_EQ(openCode(path), 1002);
}

TEST_F(FileSourceTest, CutsBytesIntoTokens) {
  std::vector<Lexed> tokens = lex("\t1.0 2E+05  ! c\n[Number of Ports] 2\r\n#\rab!x");
  std::vector<Lexed> expected = {
      {TokenKind::Whitespace, 1, 1, "\t"},       {TokenKind::Number, 1, 2, "1.0"},
      {TokenKind::Whitespace, 1, 5, " "},        {TokenKind::Number, 1, 6, "2e+05"},
      {TokenKind::EndOfLine, 1, 16, "\n"},       {TokenKind::Keyword, 2, 1, "number of ports"},
      {TokenKind::Whitespace, 2, 18, " "},       {TokenKind::Number, 2, 19, "2"},
      {TokenKind::EndOfLine, 2, 20, "\n"},       {TokenKind::OptionMarker, 3, 1, "#"},
      {TokenKind::EndOfLine, 3, 2, "\n"},        {TokenKind::Word, 4, 1, "ab"},
      {TokenKind::EndOfFile, 4, 5, ""},
  };
  ASSERT_EQ(tokens.size(), expected.size());
  for (std::size_t i = 0; i < tokens.size(); ++i) {
    EXPECT_EQ(tokens[i].kind, expected[i].kind) << i;
    EXPECT_EQ(tokens[i].line, expected[i].line) << i;
    EXPECT_EQ(tokens[i].column, expected[i].column) << i;
    EXPECT_EQ(tokens[i].text, expected[i].text) << i;
  }
}

TEST_F(FileSourceTest, NumberShapedWordsAndKeywordBlanks) {
  std::vector<Lexed> tokens = lex("50OHM 1-2 12_21 -.5\n[ Version ]\n");
  EXPECT_EQ(tokens[0].kind, TokenKind::Word);
  EXPECT_EQ(tokens[0].text, "50ohm");
  EXPECT_EQ(tokens[2].kind, TokenKind::Word);
  EXPECT_EQ(tokens[2].text, "1-2");
  EXPECT_EQ(tokens[4].kind, TokenKind::Word);
  EXPECT_EQ(tokens[6].kind, TokenKind::Number);
  EXPECT_EQ(tokens[6].text, "-.5");
  EXPECT_EQ(tokens[8].text, " version ");
  EXPECT_EQ(tokens.back().text, "\n");  // the file ends with a line end
}

TEST_F(FileSourceTest, EndOfFileRepeats) {
  File file(write("in.s2p", "1"));
  FileSource source(file);
  EXPECT_TRUE(source.next());
  EXPECT_FALSE(source.next());
  EXPECT_FALSE(source.next());
  EXPECT_EQ(source.token().kind, TokenKind::EndOfFile);
  EXPECT_TRUE(source.atEnd());
}

TEST_F(FileSourceTest, InvalidBytesAreReportedWhereTheRulesSay) {
  auto failure = [&](const std::string& bytes) {
    File file(write("bad.s2p", bytes));
    FileSource source(file);
    try {
      while (source.next()) {
      }
    } catch (const ParserError& error) {
      return std::to_string(error.getCode()) + "@" + std::to_string(error.getLine()) + ":" +
             std::to_string(error.getColumn());
    }
    return std::string("none");
  };
  EXPECT_EQ(failure("! deg \xb0\n"), "2003@1:7");     // a comment: the byte's own column
  EXPECT_EQ(failure("  ab\xb0\n"), "2003@1:3");       // a word: the word's start
  EXPECT_EQ(failure("[Ver\tsion]\n"), "2003@1:5");    // brackets: the byte's own column
  EXPECT_EQ(failure("1e \n"), "2007@1:1");
  EXPECT_EQ(failure("+\n"), "2007@1:1");
  EXPECT_EQ(failure(" [Version]\n"), "2009@1:2");
  EXPECT_EQ(failure("1 #\n"), "2010@1:3");
  EXPECT_EQ(failure("[Version\n"), "2012@1:1");
  EXPECT_EQ(failure("a\n\rb\x01"), "2003@3:1");       // LF then CR are two line ends
}

}  // namespace
}  // namespace touchstone2
