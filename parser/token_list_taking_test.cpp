// Tokens taken over from the file source and moved between lists change
// hands whole; the lists must still read like lists of copies.

#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "input/file_source.h"
#include "model/file.h"
#include "parser/token_list.h"

namespace touchstone2 {
namespace {

class TokenListTakingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/snpvet-tokens-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir_ = pattern;
  }
  void TearDown() override { std::system(("rm -rf '" + dir_ + "'").c_str()); }

  std::string write(const std::string& bytes) {
    std::string path = dir_ + "/in.s2p";
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }

  std::string dir_;
};

TEST_F(TokenListTakingTest, TakenTokensKeepTheirTextWhileTheSourceMovesOn) {
  File file(write("1.5 22 333 4444 55555 666666 7777777 88888888 999999999 1e-300"));
  FileSource source(file);
  source.passBlanks(true);
  TokenList list;
  while (source.next() && source.token().kind == TokenKind::Number)
    list.appendTaken(source);
  ASSERT_EQ(list.size(), 10u);
  EXPECT_EQ(list[0].text, "1.5");
  EXPECT_EQ(list[8].text, "999999999");
  EXPECT_EQ(list[8].column, 47u);
  EXPECT_EQ(list[9].text, "1e-300");
  EXPECT_EQ(source.token().kind, TokenKind::EndOfFile);
}

TEST_F(TokenListTakingTest, SlotsGoRoundBetweenListsAndTheSource) {
  File file(write(std::string(2000, '7') + "\n1 2 3 4 5 6 7 8 9 10 11 12\n"));
  FileSource source(file);
  source.passBlanks(true);
  TokenList point;
  TokenList pending;
  for (int round = 0; round < 2; ++round) {
    point.clear();
    while (source.next() && source.token().kind == TokenKind::Number)
      point.appendTaken(source);
  }
  ASSERT_EQ(point.size(), 12u);
  point.moveTailTo(9, pending);
  ASSERT_EQ(pending.size(), 3u);
  EXPECT_EQ(pending[0].text, "10");
  EXPECT_EQ(pending[2].text, "12");
  EXPECT_EQ(point[8].text, "9");
  // Reusing the slots gives every token its own text, the long one included.
  point.swap(pending);
  point.append(pending[0]);
  EXPECT_EQ(point.size(), 4u);
  EXPECT_EQ(point[3].text, "1");
}

TEST_F(TokenListTakingTest, PastTheStoreLimitTokensAreOnlyCounted) {
  File file(write("1 2 3 4 5"));
  FileSource source(file);
  source.passBlanks(true);
  TokenList list;
  list.setStoreLimit(2);
  for (int i = 0; i < 3; ++i) {
    ASSERT_TRUE(source.next());
    list.appendTaken(source);
  }
  // A token that was only counted is still the source's.
  EXPECT_EQ(source.token().text, "3");
  while (source.next())
    list.appendTaken(source);
  EXPECT_EQ(list.size(), 5u);
  EXPECT_EQ(list.storedCount(), 2u);
  EXPECT_EQ(list[1].text, "2");
}

}  // namespace
}  // namespace touchstone2
