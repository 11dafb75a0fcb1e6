// Recorded sessions replayed headless in process, as fast as the loop goes: every step must
// show the recorded screen, and the log (sounds and music looked up included) must read as
// the one kept with the recording; recorded again as it replays, it must give the same file.
#include "Mode.h"
#include "TestSupport.h"

using namespace twtest;

namespace {

class Replay : public TempDirTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(Replay, ShowsTheRecordedScreenAtEveryStepAndWritesTheRecordedLog) {
  const std::string src = sourceDir(), name = GetParam();
  shell("ln -s " + src + "/sprites " + src + "/sounds " + src + "/tw-font.ttf . && ln -s " + src +
        "/tests/data/replays/" + name + ".rec replay.rec");
  // Recorded again while it replays, the session must come out the same, byte for byte.
  writeFile("tw-config.txt",
            "headless:true,\nframe_time:0,\nreplay_file:replay.rec,\nrecord_file:again.rec\n");
  tw::LogManager::getInstance().setLogLevel(5);
  tw::GameManager& game = tw::GameManager::getInstance();
  ASSERT_EQ(game.startUp(), 0) << readText("tarnwick.log");
  Mode::update(MENU, START), game.run(), game.shutDown();
  EXPECT_TRUE(matchesFile("replays/" + name + ".log", withoutTimes(linesOf("tarnwick.log"))));
  EXPECT_TRUE(readText("again.rec") == readText("replay.rec"));
}

const char* const SESSIONS[] = {"session", "timed", "advanced"};
INSTANTIATE_TEST_SUITE_P(Recorded, Replay, ::testing::ValuesIn(SESSIONS));

} // namespace
