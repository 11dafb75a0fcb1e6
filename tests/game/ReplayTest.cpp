// Recorded sessions replayed headless, as fast as the loop goes: every step must show the
// recorded screen. The game's, in process, must also write the log kept with the recording
// (sounds and music looked up included) and, recorded again as they replay, the same file.
#include "Mode.h"
#include "TestWindow.h"

#include <filesystem>
#include <string>
#include <vector>

using namespace twtest;

namespace {

class Replay : public TempDirTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(Replay, ShowsTheRecordedScreenAtEveryStepAndWritesTheRecordedLog) {
  const std::string name = GetParam();
  copyIn({"sprites", "sounds", "tw-font.ttf"});
  std::filesystem::copy_file(sourceDir() + "/tests/data/replays/" + name + ".rec", "replay.rec");
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

const char* const SESSIONS[] = {"session", "timed", "advanced", "windows-session"};
INSTANTIATE_TEST_SUITE_P(Recorded, Replay, ::testing::ValuesIn(SESSIONS));

// In a window (the menu, each mode, a pause, a lost game whose every object explodes), each
// frame drawn in part must hold the pixels of the same frame drawn whole; drawn on directly
// between frames, the window is whole again in the next.
using ReplayInWindow = Replay;
TEST_P(ReplayInWindow, DrawsOnlyWhatChangedAndShowsWhatAWholeRedrawShows) {
  if (WINDOWS)
    GTEST_SKIP() << "Windows' OpenGL cannot show part of a window: every frame is drawn whole";
  copyIn({"sprites", "sounds", "tw-font.ttf"});
  std::filesystem::copy_file(sourceDir() + "/tests/data/replays/" + GetParam() + ".rec",
                             "replay.rec");
  writeFile("tw-config.txt", "frame_time:0,\nreplay_file:replay.rec\n");
  tw::GameManager& game = tw::GameManager::getInstance();
  tw::GraphicsManager& g = tw::GraphicsManager::getInstance();
  ASSERT_TRUE(game.startUp() == 0 && g.isShowingInPart()) << readText("tarnwick.log");
  std::vector<int> differing; // frames shown in part that a whole redraw would show otherwise
  int frames = 0;
  game.setFrameObserver([&](const tw::GameManager::FrameTimes&) {
    if (++frames % 2 == 0 && g.isShowingInPart()) { // what it holds, and a whole redraw
      const sf::Image part = twtest::WindowTest::grab();
      if (g.refresh(), twtest::countDifferentPixels(part, twtest::WindowTest::grab(), 0) != 0)
        differing.push_back(frames);
    }
    if (frames % 10 == 4)
      tw::sfml::getWindow()->draw(sf::CircleShape(300)); // shows in the next frame only
    g.setDamageTracking(frames % 50 < 40);               // now and then every frame drawn whole
  });
  Mode::update(MENU, START), game.run(), game.shutDown();
  EXPECT_EQ(frames, 331);
  EXPECT_EQ(differing, std::vector<int>());
}

INSTANTIATE_TEST_SUITE_P(Recorded, ReplayInWindow, ::testing::Values("session"));

/// The example programs, run as their users run them, replay sessions recorded in a window.
class ExampleReplay : public TempDirTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(ExampleReplay, ShowsTheRecordedScreenAtEveryStep) {
  const std::string name = GetParam();
  copyIn({"."}, TW_BINARY_DIR "/examples/" + name);
  std::filesystem::copy_file(sourceDir() + "/tests/data/replays/example-" + name + ".rec",
                             "replay.rec");
  writeFile("tw-config.txt", "headless:true,\nframe_time:0,\nreplay_file:replay.rec\n");
  EXPECT_EQ(runProgram(program(name, "."), {}, "out.txt"), 0);
  const std::vector<std::string> log = linesOf("tarnwick.log");
  EXPECT_TRUE(contains(log, "showed the recorded screen at every step")) << readText("out.txt");
  EXPECT_FALSE(contains(log, "entries left")); // it ended where the recording does
}

INSTANTIATE_TEST_SUITE_P(Examples, ExampleReplay, ::testing::Values("hello", "star", "chase", "hunt"));

} // namespace
