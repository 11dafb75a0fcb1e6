#include "TestSupport.h"
#include "utility.h"

using UtilityTest = twtest::LoggedTest;

/// toString, then each line and token and what match finds, the first cases traced in full.
TEST_F(UtilityTest, ToStringReadsLikeAStreamAndMatchParsesOnceAndLooksUpLater) {
  tw::LogManager& log = tw::LogManager::getInstance();
  log.writeLog("%s %s %s %s %s %s", tw::toString(-42).c_str(), tw::toString(0.99f).c_str(),
               (tw::toString(2.0f) + tw::toString(-0.5f) + tw::toString(1e6f)).c_str(),
               tw::toString('x').c_str(), tw::toString('\0').c_str(),
               (tw::toString(true) + tw::toString(false)).c_str());
  std::string big;
  for (int i = 0; i < 20000; i++)
    big += "key" + std::to_string(i) + ":" + std::to_string(i) + ",";
  const std::string cases[][2] = {{"a : 1 , b:2", "a"},
                                  {"", "b"}, // an empty line: the last
                                  {"k,x:1:2,:v,dup:first,dup:second", "k"},
                                  {"", "x"},
                                  {"", "v"},
                                  {"", "dup"},
                                  {"", ""},
                                  {"a:1,:,b:2", "a"},
                                  {"", "b"},
                                  {",,a:1,,", "a"},
                                  {"y:6", "a"},
                                  {"", "untraced from here"},
                                  {"\tk e y\r\n:\vva lue\f", "key"},
                                  {std::string(100000, ','), "a"},
                                  {std::string(100000, ':'), "a"},
                                  {std::string("a:1,b\0:2", 8), "a"},
                                  {big, "key19999"}};
  log.setLogLevel(17);
  for (const auto& [line, token] : cases) {
    log.setLogLevel(token == "untraced from here" ? 0 : log.getLogLevel());
    log.writeLog("=> '%s'", tw::match(line, token).c_str());
  }
  const std::string text = twtest::withoutTimes(twtest::stopLog());
  EXPECT_TRUE(
      twtest::matchesFile("golden/Utility.ToStringAndMatch.txt", twtest::withoutAddresses(text)));
}
