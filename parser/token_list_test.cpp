#include "parser/token_list.h"

#include <gtest/gtest.h>

#include <string>

namespace touchstone2 {
namespace {

Token number(const std::string& text, std::uint32_t column = 1) {
  Token token;
  token.kind = TokenKind::Number;
  token.line = 1;
  token.column = column;
  token.text = text;
  return token;
}

TEST(TokenList, KeepsCopiesInOrder) {
  TokenList list;
  Token token = number("1.5", 3);
  list.append(token);
  token.text = "changed";
  list.append(number("2"));
  ASSERT_EQ(list.size(), 2u);
  EXPECT_EQ(list[0].text, "1.5");
  EXPECT_EQ(list[0].column, 3u);
  EXPECT_EQ(list[1].text, "2");
}

TEST(TokenList, ReusedSlotsTakeTheNewToken) {
  TokenList list;
  list.append(number("123456789012345678901234567890"));
  list.clear();
  EXPECT_TRUE(list.empty());
  Token word = number("x", 9);
  word.kind = TokenKind::Word;
  list.append(word);
  EXPECT_EQ(list[0].text, "x");
  EXPECT_EQ(list[0].kind, TokenKind::Word);
  EXPECT_EQ(list[0].column, 9u);
}

TEST(TokenList, CountsPastTheStoreLimit) {
  TokenList list;
  list.setStoreLimit(3);
  for (int i = 0; i < 10; ++i)
    list.append(number(std::to_string(i)));
  EXPECT_EQ(list.size(), 10u);
  EXPECT_EQ(list.storedCount(), 3u);
  EXPECT_EQ(list[2].text, "2");
}

TEST(TokenList, MovesItsTailAway) {
  TokenList point;
  TokenList pending;
  pending.append(number("stale"));
  for (int i = 0; i < 12; ++i)
    point.append(number(std::to_string(i)));
  point.moveTailTo(9, pending);
  EXPECT_EQ(point.size(), 9u);
  ASSERT_EQ(pending.size(), 3u);
  EXPECT_EQ(pending[0].text, "9");
  EXPECT_EQ(pending[2].text, "11");
}

TEST(TokenList, MovedTailKeepsItsUnstoredCount) {
  TokenList point;
  TokenList pending;
  point.append(number("0"));
  point.setStoreLimit(4);
  for (int i = 1; i < 20; ++i)
    point.append(number(std::to_string(i)));
  point.moveTailTo(1, pending);
  EXPECT_EQ(point.size(), 1u);
  EXPECT_EQ(pending.size(), 19u);
  EXPECT_EQ(pending.storedCount(), 3u);
  EXPECT_EQ(pending[0].text, "1");
}

TEST(TokenList, SwapExchangesContents) {
  TokenList a;
  TokenList b;
  a.append(number("1"));
  b.append(number("2"));
  b.append(number("3"));
  a.swap(b);
  EXPECT_EQ(a.size(), 2u);
  EXPECT_EQ(b.size(), 1u);
  EXPECT_EQ(b[0].text, "1");
}

}  // namespace
}  // namespace touchstone2
