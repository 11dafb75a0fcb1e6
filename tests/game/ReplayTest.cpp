// Recorded sessions replayed headless in process, as fast as the loop goes: every step must
// show the recorded screen, and the log (sounds and music looked up included) must read as
// the one kept with the recording.
#include "Mode.h"
#include "TestSupport.h"

#include "Config.h"

#include <fstream>

using namespace twtest;

namespace {

class Replay : public TempDirTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(Replay, ShowsTheRecordedScreenAtEveryStepAndWritesTheRecordedLog) {
  const std::string src = sourceDir(), name = GetParam();
  shell("ln -s " + src + "/sprites " + src + "/sounds " + src + "/tw-font.ttf . && ln -s " + src +
        "/tests/data/replays/" + name + ".rec replay.rec");
  writeFile("tw-config.txt", "headless:true,\nframe_time:0,\nreplay_file:replay.rec\n");
  tw::LogManager::getInstance().setLogLevel(5);
  tw::GameManager& game = tw::GameManager::getInstance();
  ASSERT_EQ(game.startUp(), 0) << readFile("tarnwick.log");
  Mode::update(MENU, START);
  game.run();
  game.shutDown();
  // After the time column, line by line with the log kept with the recording; TW_UPDATE_DATA=1
  // writes this log there instead, to be checked by eye and committed.
  const std::vector<std::string> lines = logLines();
  const std::string kept = src + "/tests/data/replays/" + name + ".log";
  if (std::getenv("TW_UPDATE_DATA")) {
    std::ofstream out(kept);
    for (const std::string& line : lines) {
      out << line.substr(9) << "\n";
    }
  }
  const std::vector<std::string> expected = linesOf(kept);
  for (std::size_t i = 0; i < std::max(lines.size(), expected.size()); i++) {
    const std::string line = i < lines.size() ? lines[i].substr(9) : "(none)";
    ASSERT_EQ(line, i < expected.size() ? expected[i] : "(none)") << "line " << i + 1;
  }
}

const char* const SESSIONS[] = {"session", "timed", "advanced"};
INSTANTIATE_TEST_SUITE_P(Recorded, Replay, ::testing::ValuesIn(SESSIONS));

} // namespace
