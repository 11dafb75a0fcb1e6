#include "Config.h"
#include "GameManager.h"
#include "LogManager.h"
#include "Object.h"
#include "WorldManager.h"

#include "TestSupport.h"

#include <cctype>
#include <cstdio>
#include <sstream>

using namespace twtest;

class LogManagerTest : public TempDirTest {};

namespace {
/// True when line is "hh:mm:ss", a space, the step count as "%4d ", then message.
bool isLogLine(const std::string& line, int step, const std::string& message) {
  if (line.size() < 9) {
    return false;
  }
  for (int i : {0, 1, 3, 4, 6, 7}) {
    if (!std::isdigit(static_cast<unsigned char>(line[i]))) {
      return false;
    }
  }
  char prefix[32];
  std::snprintf(prefix, sizeof(prefix), "%4d ", step);
  return line[2] == ':' && line[5] == ':' && line[8] == ' ' &&
         line.substr(9) == std::string(prefix) + message;
}
} // namespace

TEST_F(LogManagerTest, LineHasTimeStepCountAndMessage) {
  startLog();
  tw::LogManager& log = tw::LogManager::getInstance();
  EXPECT_EQ(log.writeLog("hello %d", 5), 7);
  EXPECT_EQ(log.writeLog(1, "levelled %s", "hidden"), 0);
  log.setLogLevel(1);
  log.writeLog(1, "levelled %s", "shown");
  log.writeLog("ends in newline\n");
  log.writeLog("after");
  const auto lines = stopLog();
  // The opening line is levelled; the log level was 0 then.
  ASSERT_EQ(lines.size(), 6u) << readFile("tarnwick.log");
  EXPECT_TRUE(isLogLine(lines[0], 0, "hello 5")) << lines[0];
  EXPECT_TRUE(isLogLine(lines[1], 0, "levelled shown"));
  EXPECT_TRUE(isLogLine(lines[2], 0, "ends in newline"));
  EXPECT_EQ(lines[3], "");
  EXPECT_TRUE(isLogLine(lines[4], 0, "after"));
  EXPECT_NE(lines[5].find("LogManager::shutDown(): successfully stopped."), std::string::npos);
  EXPECT_FALSE(contains(lines, "hidden"));
}

TEST_F(LogManagerTest, LinesBeforeStartAndAfterShutDownGoToStandardError) {
  testing::internal::CaptureStderr();
  tw::LogManager::getInstance().writeLog("before start");
  startLog();
  tw::LogManager::getInstance().writeLog("in file");
  stopLog();
  tw::LogManager::getInstance().writeLog("after stop");
  const std::string err = testing::internal::GetCapturedStderr();
  std::vector<std::string> err_lines;
  std::stringstream ss(err);
  for (std::string line; std::getline(ss, line);) {
    err_lines.push_back(line);
  }
  ASSERT_EQ(err_lines.size(), 2u) << err;
  EXPECT_TRUE(isLogLine(err_lines[0], 0, "before start")) << err;
  EXPECT_TRUE(isLogLine(err_lines[1], 0, "after stop")) << err;
  EXPECT_EQ(err.find("in file"), std::string::npos);
  EXPECT_NE(readFile("tarnwick.log").find("in file"), std::string::npos);
}

TEST_F(LogManagerTest, SecondStartUpIsRefusedAndKeepsTheFile) {
  startLog();
  EXPECT_EQ(tw::LogManager::getInstance().startUp(), -1);
  tw::LogManager::getInstance().writeLog("still here");
  const auto lines = stopLog();
  EXPECT_TRUE(contains(lines, "LogManager::startup(): Warning! LogManager already started."));
  EXPECT_TRUE(contains(lines, "still here"));
}

TEST_F(LogManagerTest, UnwritableFileFailsStartUp) {
  tw::Config::getInstance().setLogFile(dir + "/no/such/dir/x.log");
  testing::internal::CaptureStderr();
  EXPECT_EQ(tw::LogManager::getInstance().startUp(), -1);
  const std::string err = testing::internal::GetCapturedStderr();
  EXPECT_NE(err.find("LogManager::startup(): Warning! Unable to open file '" + dir +
                     "/no/such/dir/x.log'.\n\n"),
            std::string::npos)
      << err;
  EXPECT_FALSE(tw::LogManager::getInstance().isStarted());
}

namespace {
class StopAt : public tw::Object {
public:
  explicit StopAt(int last) : last_step(last) { registerInterest(tw::STEP_EVENT); }
  int eventHandler(const tw::Event* p_e) override {
    if (p_e->isType(tw::STEP_EVENT) && tw::GameManager::getInstance().getStepCount() == last_step) {
      tw::GameManager::getInstance().setGameOver();
    }
    return 1;
  }
  int last_step;
};
} // namespace

TEST_F(LogManagerTest, FiveDigitStepCountsWidenThePrefix) {
  startLog();
  FakeClock clock;
  tw::GameManager& game = tw::GameManager::getInstance();
  game.setClock(&clock);
  game.setFrameTime(0);
  new StopAt(10000);
  game.run();
  tw::LogManager::getInstance().writeLog("wide");
  game.setClock(nullptr);
  tw::WorldManager::getInstance().shutDown();
  const auto lines = stopLog();
  ASSERT_FALSE(lines.empty());
  EXPECT_TRUE(isLogLine(lines.back(), 10001, "wide")) << lines.back();
}
