// The lexer's two shortcuts for data lines, passing blank runs and taking a
// number after blanks without the general dispatch, must produce exactly the
// tokens and errors of the plain lexer step, less the blank runs.

#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "diagnostics/parser_error.h"
#include "input/file_source.h"
#include "model/file.h"

namespace touchstone2 {
namespace {

struct Lexed {
  TokenKind kind;
  std::uint32_t line;
  std::uint32_t column;
  std::string text;
  bool operator==(const Lexed& other) const {
    return kind == other.kind && line == other.line && column == other.column &&
           text == other.text;
  }
};

void PrintTo(const Lexed& token, std::ostream* out) {
  *out << static_cast<int>(token.kind) << "@" << token.line << ":" << token.column << "["
             << token.text << "]";
}

// The tokens up to the end, and the error that stopped the lexer (code 0 if
// none), as text.
struct Lexing {
  std::vector<Lexed> tokens;
  std::string error;
};

class LexerFastPathsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/snpvet-lexer-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir_ = pattern;
  }
  void TearDown() override { std::system(("rm -rf '" + dir_ + "'").c_str()); }

  std::string write(const std::string& bytes) {
    std::string path = dir_ + "/in.s2p";
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }

  static void record(Lexing& run, const Token& token) {
    run.tokens.push_back({token.kind, token.line, token.column, token.text});
  }

  // fast: blanks passed, and the shortcut tried before every step.
  Lexing lex(const std::string& bytes, bool fast) {
    File file(write(bytes));
    FileSource source(file);
    source.passBlanks(fast);
    Lexing run;
    try {
      for (;;) {
        bool more = (fast && source.nextNumberAfterBlanks()) || source.next();
        record(run, source.token());
        if (!more)
          break;
      }
    } catch (const ParserError& error) {
      run.error = std::to_string(error.getCode()) + "@" + std::to_string(error.getLine()) + ":" +
                  std::to_string(error.getColumn()) + "[" + error.getText() + "]";
    }
    return run;
  }

  std::string dir_;
};

TEST_F(LexerFastPathsTest, BlankRunsBetweenTokensAreNotProduced) {
  Lexing run = lex("1 \t2   x\n  3\n", true);
  ASSERT_EQ(run.error, "");
  std::vector<Lexed> expected = {{TokenKind::Number, 1, 1, "1"},
                                 {TokenKind::Number, 1, 4, "2"},
                                 {TokenKind::Word, 1, 8, "x"},
                                 {TokenKind::EndOfLine, 1, 9, "\n"},
                                 {TokenKind::Number, 2, 3, "3"},
                                 {TokenKind::EndOfLine, 2, 4, "\n"},
                                 {TokenKind::EndOfFile, 3, 1, "\n"}};
  EXPECT_EQ(run.tokens, expected);
}

TEST_F(LexerFastPathsTest, TheShortcutTouchesNothingWhenItDoesNotApply) {
  File file(write("1 x\n"));
  FileSource source(file);
  EXPECT_FALSE(source.nextNumberAfterBlanks());  // blanks are not being passed
  source.passBlanks(true);
  EXPECT_FALSE(source.nextNumberAfterBlanks());  // no blank at the start
  ASSERT_TRUE(source.next());
  EXPECT_EQ(source.token().text, "1");
  EXPECT_FALSE(source.nextNumberAfterBlanks());  // a word after the blank
  EXPECT_EQ(source.token().text, "1");
  ASSERT_TRUE(source.next());
  EXPECT_EQ(source.token().kind, TokenKind::Word);
  EXPECT_EQ(source.token().column, 3u);
}

TEST_F(LexerFastPathsTest, TakingTheTokenLeavesItsKindAndPosition) {
  File file(write("\n  -1.5E+03 2"));
  FileSource source(file);
  source.next();
  source.passBlanks(true);
  ASSERT_TRUE(source.next());
  auto slot = std::make_unique<Token>();
  slot->text = "old";
  source.takeToken(slot);
  EXPECT_EQ(slot->kind, TokenKind::Number);
  EXPECT_EQ(slot->text, "-1.5e+03");
  EXPECT_EQ(slot->line, 2u);
  EXPECT_EQ(slot->column, 3u);
  EXPECT_EQ(source.token().kind, TokenKind::Number);
  EXPECT_EQ(source.token().column, 3u);
  EXPECT_EQ(source.token().text, "");
  ASSERT_TRUE(source.nextNumberAfterBlanks());
  EXPECT_EQ(source.token().text, "2");
  EXPECT_EQ(source.token().column, 12u);
}

// Far into a large file the memory behind the lexer has been given back;
// what lies ahead, and the last byte (which decides the end-of-file token's
// text), must read as written.
TEST_F(LexerFastPathsTest, LargeFilesReadTheSameToTheEnd) {
  for (const char* ending : {"\n", ""}) {
    std::string line = "1.5 -2.25e-3 77\n";
    std::string bytes;
    const std::size_t lines = (std::size_t{40} << 20) / line.size();
    bytes.reserve(lines * line.size() + 8);
    for (std::size_t i = 0; i < lines; ++i)
      bytes += line;
    bytes += "9 8";
    bytes += ending;
    File file(write(bytes));
    FileSource source(file);
    std::size_t numbers = 0;
    std::string last;
    while (source.next()) {
      if (source.token().kind == TokenKind::Number) {
        ++numbers;
        last = source.token().text;
      }
    }
    EXPECT_EQ(numbers, lines * 3 + 2);
    EXPECT_EQ(last, "8");
    EXPECT_EQ(source.token().line, lines + 1 + (*ending != '\0' ? 1 : 0));
    EXPECT_EQ(source.token().text, ending);
  }
}

// The plain lexer on random bytes, against the shortcuts: the same tokens
// less the blank runs, and the same error at the same place.
TEST_F(LexerFastPathsTest, AgreeWithThePlainStepOnRandomInput) {
  const std::string alphabet = "0123456789.+-eE \t \t  !#[]\r\n\nxX5 \x01\x7f\xb0";
  std::mt19937 rng(1206);
  for (int i = 0; i < 3000; ++i) {
    std::string bytes;
    std::size_t length = 1 + rng() % 60;
    for (std::size_t j = 0; j < length; ++j)
      bytes += alphabet[rng() % alphabet.size()];
    Lexing plain = lex(bytes, false);
    Lexing fast = lex(bytes, true);
    std::vector<Lexed> expected;
    for (const Lexed& token : plain.tokens) {
      if (token.kind != TokenKind::Whitespace)
        expected.push_back(token);
    }
    EXPECT_EQ(fast.tokens, expected) << "input " << ::testing::PrintToString(bytes);
    EXPECT_EQ(fast.error, plain.error) << "input " << ::testing::PrintToString(bytes);
  }
}

}  // namespace
}  // namespace touchstone2
