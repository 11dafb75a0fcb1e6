#include "utility.h"

#include <gtest/gtest.h>

using tw::match;
using tw::toString;

TEST(ToString, ReadsLikeAnOutputStream) {
  EXPECT_EQ(toString(-42), "-42");
  EXPECT_EQ(toString(2.0f), "2");
  EXPECT_EQ(toString(0.5f), "0.5");
  EXPECT_EQ(toString(1000000.0f), "1e+06");
  EXPECT_EQ(toString(-0.5f), "-0.5");
  EXPECT_EQ(toString(0.99f), "0.99");
  EXPECT_EQ(toString('x'), "x");
  EXPECT_EQ(toString('\0'), "0");
  EXPECT_EQ(toString(true), "true");
  EXPECT_EQ(toString(false), "false");
}

TEST(Match, WhiteSpaceIsRemovedEverywhere) {
  EXPECT_EQ(match("a : 1 , b:2", "a"), "1");
  EXPECT_EQ(match("", "b"), "2");
  EXPECT_EQ(match("\tk e y\r\n:\vva lue\f", "key"), "value");
}

TEST(Match, FieldShapes) {
  match("k,x:1:2,:v,dup:first,dup:second", "");
  EXPECT_EQ(match("", "k"), "");
  EXPECT_EQ(match("", "x"), "1");
  EXPECT_EQ(match("", "v"), ""); // leading colons are skipped: the key is v
  EXPECT_EQ(match("", "dup"), "first");
  EXPECT_EQ(match("", ""), ""); // keys are never empty
}

TEST(Match, AFieldOfColonsEndsTheParse) {
  match("a:1,:,b:2", "");
  EXPECT_EQ(match("", "a"), "1");
  EXPECT_EQ(match("", "b"), "");
  match(",,a:1,,", "");
  EXPECT_EQ(match("", "a"), "1");
}

TEST(Match, ItemsAreRememberedUntilTheNextLine) {
  EXPECT_EQ(match("x:5", "y"), "");
  EXPECT_EQ(match("", "x"), "5");
  match("y:6", "");
  EXPECT_EQ(match("", "x"), "");
  EXPECT_EQ(match("", "y"), "6");
}

TEST(Match, HostileLinesAreSafe) {
  EXPECT_EQ(match(std::string(100000, ','), "a"), "");
  EXPECT_EQ(match(std::string(100000, ':'), "a"), "");
  std::string nul("a:1,b");
  nul += '\0';
  nul += ":2";
  EXPECT_EQ(match(nul, "a"), "1");
  std::string big;
  for (int i = 0; i < 20000; i++) {
    big += "key" + std::to_string(i) + ":" + std::to_string(i) + ",";
  }
  EXPECT_EQ(match(big, "key19999"), "19999");
}
