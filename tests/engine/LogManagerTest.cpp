#include "Config.h"
#include "TestSupport.h"

using namespace twtest;
using LogManagerTest = TempDirTest;

/// The log file, then what went to standard error, without the time of day (checked on its
/// own) and without the loop's lines for each frame.
TEST_F(LogManagerTest, LinesCarryTimeAndStepAndGoToStandardErrorWhileClosed) {
  tw::LogManager& log = tw::LogManager::getInstance();
  tw::GameManager& game = tw::GameManager::getInstance();
  testing::internal::CaptureStderr();
  tw::Config::getInstance().setLogFile("no/such/dir/x.log");
  log.writeLog("before start"), log.writeLog("open fails: %d", log.startUp());
  log.writeLog("started: %d", log.isStarted());
  tw::Config::getInstance().setLogFile("tarnwick.log"), startLog();
  const int again = log.startUp(), unlevelled = log.writeLog("hello %d", 5);
  log.writeLog("results %d %d %d", again, unlevelled, log.writeLog(1, "levelled %s", "hidden"));
  log.setLogLevel(1), log.writeLog(1, "levelled %s", "shown"), log.writeLog("ends in newline\n");
  FakeClock clock; // five-digit step counts widen the prefix
  game.setClock(&clock), game.setFrameTime(0);
  auto* p_stop = new WorldProbe;
  p_stop->registerInterest(tw::STEP_EVENT);
  p_stop->on_event = [&](const tw::Event*) { game.setGameOver(game.getStepCount() == 10000); };
  game.run(), log.writeLog("wide"), stopLog(), log.writeLog("after stop");
  delete p_stop;
  std::vector<std::string> lines = linesOf("tarnwick.log"), all;
  lines.push_back("         stderr:");
  std::istringstream err(testing::internal::GetCapturedStderr());
  for (std::string line; std::getline(err, line);)
    lines.push_back(line);
  for (const std::string& line : lines) {
    // Each line starts with the time ("12:34:56 ") or, written by the test, a space.
    const std::string time = line.substr(0, 9);
    EXPECT_TRUE(line.empty() || line[0] == ' ' ||
                (time.size() == 9 && time[2] == ':' && time[5] == ':' && time[8] == ' ' &&
                 time.find_first_not_of("0123456789: ") == std::string::npos))
        << line;
    if (line.find("Manager::getInput") == line.npos && line.find("not started!") == line.npos)
      all.push_back(line);
  }
  EXPECT_TRUE(matchesFile("golden/LogManager.LinesCarryTimeAndStep.txt", withoutTimes(all)));
}

/// Lines reach the file as they are written, without setFlush; with flushing off, at the end
/// of the frame that wrote them.
TEST_F(LogManagerTest, LinesReachTheFileAsWrittenOrByTheEndOfTheFrame) {
  tw::LogManager& log = tw::LogManager::getInstance();
  tw::GameManager& game = tw::GameManager::getInstance();
  ASSERT_EQ(log.startUp(), 0);
  log.writeLog("at once");
  EXPECT_TRUE(contains(linesOf("tarnwick.log"), "at once"));
  FakeClock clock;
  game.setClock(&clock), log.setFlush(false), log.writeLog("in the frame");
  auto* p_stop = new WorldProbe; // ends the loop after its first frame
  p_stop->registerInterest(tw::STEP_EVENT);
  p_stop->on_event = [&](const tw::Event*) { game.setGameOver(); };
  game.run();
  EXPECT_TRUE(contains(linesOf("tarnwick.log"), "in the frame"));
  delete p_stop, log.shutDown(), game.setClock(nullptr);
}
