#include "Config.h"
#include "TestSupport.h"

#include <regex>

using namespace twtest;
using LogManagerTest = TempDirTest;

/// Lines are "hh:mm:ss", a space, the step count as "%4d ", then the message.
static const std::string t = "\\d\\d:\\d\\d:\\d\\d    0 ";

TEST_F(LogManagerTest, LinesCarryTimeAndStepAndGoToStandardErrorWhileClosed) {
  tw::LogManager& log = tw::LogManager::getInstance();
  testing::internal::CaptureStderr();
  log.writeLog("before start"), startLog();
  EXPECT_EQ(log.startUp(), -1);
  EXPECT_EQ(log.writeLog("hello %d", 5) + log.writeLog(1, "levelled %s", "hidden"), 7);
  log.setLogLevel(1), log.writeLog(1, "levelled %s", "shown"), log.writeLog("ends in newline\n");
  stopLog(), log.writeLog("after stop");
  const std::string text = readText("tarnwick.log"), err = testing::internal::GetCapturedStderr();
  EXPECT_TRUE(std::regex_match(
      text, std::regex(t + "LogManager::startup\\(\\): Warning! LogManager already started.\n" + t +
                       "hello 5\n" + t + "levelled shown\n" + t + "ends in newline\n\n" + t +
                       "LogManager::shutDown\\(\\): successfully stopped.\n")))
      << text;
  EXPECT_TRUE(std::regex_match(err, std::regex(t + "before start\n" + t + "after stop\n"))) << err;
  tw::Config::getInstance().setLogFile(dir + "/no/such/dir/x.log");
  testing::internal::CaptureStderr();
  EXPECT_EQ(log.startUp() + 2 * log.isStarted(), -1);
  EXPECT_NE(testing::internal::GetCapturedStderr().find(
                "LogManager::startup(): Warning! Unable to open file '" + dir +
                "/no/such/dir/x.log'.\n\n"),
            std::string::npos);
}

TEST_F(LogManagerTest, FiveDigitStepCountsWidenThePrefix) {
  startLog();
  FakeClock clock;
  tw::GameManager& game = tw::GameManager::getInstance();
  game.setClock(&clock), game.setFrameTime(0);
  auto* p_stop = new WorldProbe;
  p_stop->registerInterest(tw::STEP_EVENT);
  p_stop->on_event = [&](const tw::Event*) { game.setGameOver(game.getStepCount() == 10000); };
  game.run(), tw::LogManager::getInstance().writeLog("wide");
  game.setClock(nullptr), tw::WorldManager::getInstance().shutDown();
  EXPECT_TRUE(std::regex_match(stopLog().back(), std::regex("\\d\\d:\\d\\d:\\d\\d 10001 wide")));
}
