#include "utility.h"

#include <gtest/gtest.h>

using tw::match;
using tw::toString;

TEST(Utility, ToStringReadsLikeAnOutputStream) {
  const std::string texts[] = {toString(-42),   toString(2.0f),  toString(0.5f), toString(1e6f),
                               toString(-0.5f), toString(0.99f), toString('x'),  toString('\0'),
                               toString(true),  toString(false)};
  EXPECT_EQ(testing::PrintToString(texts),
            R"({ "-42", "2", "0.5", "1e+06", "-0.5", "0.99", "x", "0", "true", "false" })");
}

TEST(Utility, MatchParsesOnceAndLooksUpLater) {
  std::string big;
  for (int i = 0; i < 20000; i++)
    big += "key" + std::to_string(i) + ":" + std::to_string(i) + ",";
  const std::string cases[][3] = {{"a : 1 , b:2", "a", "1"}, // white space is removed everywhere
                                  {"", "b", "2"}, // an empty line searches the last one's items
                                  {"\tk e y\r\n:\vva lue\f", "key", "value"},
                                  {"k,x:1:2,:v,dup:first,dup:second", "k", ""},
                                  {"", "x", "1"},
                                  {"", "v", ""}, // leading colons are skipped: the key is v
                                  {"", "dup", "first"},
                                  {"", "", ""},
                                  {"a:1,:,b:2", "a", "1"}, // a field of colons ends the parse
                                  {"", "b", ""},
                                  {",,a:1,,", "a", "1"},
                                  {"y:6", "a", ""}, // a new line forgets the old items
                                  {std::string(100000, ','), "a", ""},
                                  {std::string(100000, ':'), "a", ""},
                                  {std::string("a:1,b\0:2", 8), "a", "1"},
                                  {big, "key19999", "19999"}};
  for (const auto& [line, token, value] : cases)
    EXPECT_EQ(match(line, token), value) << line.substr(0, 40) << " / " << token;
}
