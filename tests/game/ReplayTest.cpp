// Recorded sessions replayed headless, as fast as the loop goes: every step must show the
// recorded screen. The game's, in process, must also write the log kept with the recording
// (sounds and music looked up included) and, recorded again as they replay, the same file.
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

/// The example programs, run as their users run them, replay sessions recorded in a window.
class ExampleReplay : public TempDirTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(ExampleReplay, ShowsTheRecordedScreenAtEveryStep) {
  const std::string name = GetParam();
  shell("cp -r " TW_BINARY_DIR "/examples/" + name + "/. . && cp " + sourceDir() +
        "/tests/data/replays/example-" + name + ".rec replay.rec");
  writeFile("tw-config.txt", "headless:true,\nframe_time:0,\nreplay_file:replay.rec\n");
  EXPECT_EQ(std::system(("ALSOFT_DRIVERS=null ./" + name + " > out.txt 2>&1").c_str()), 0);
  EXPECT_TRUE(contains(linesOf("tarnwick.log"), "showed the recorded screen at every step"))
      << readText("out.txt");
}

INSTANTIATE_TEST_SUITE_P(Examples, ExampleReplay, ::testing::Values("hello", "chase"));

} // namespace
