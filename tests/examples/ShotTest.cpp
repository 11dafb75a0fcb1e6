// A gallery example or a tutorial part, built into this test in place of its main, replays its
// recording in a window and must show the recorded screen at every step; its last frame becomes
// KIND/NAME.png in the build tree, the picture its pages show.
#include "TestWindow.h"

#include "GameManager.h"

#include <filesystem>
#include <string>
#include <vector>

int exampleMain();

namespace {

using Shot = twtest::TempDirTest;

TEST_F(Shot, ReplaysInAWindowAndSavesItsLastFrame) {
  // What its build folder gets, from the sources: not what earlier runs left there.
  twtest::copyIn({"tw-font.ttf"});
  // The data shared by the programs of its kind, and its own.
  for (const char* data : {"/data", "/" TW_SHOT_NAME "/data"}) {
    const std::string folder = twtest::sourceDir() + "/examples/" TW_SHOT_KIND + data;
    if (std::filesystem::is_directory(folder))
      twtest::copyIn({"."}, folder);
  }
  std::filesystem::copy_file(twtest::sourceDir() + "/tests/data/replays/" TW_SHOT_KIND
                                                   "-" TW_SHOT_NAME ".rec",
                             "replay.rec");
  writeFile("tw-config.txt", "frame_time:0,\nreplay_file:replay.rec\n");
  sf::Image last; // the frame shown in the step that ended the game
  tw::GameManager::getInstance().setFrameObserver([&](const tw::GameManager::FrameTimes&) {
    if (tw::GameManager::getInstance().getGameOver())
      last = twtest::WindowTest::grab();
  });
  EXPECT_EQ(exampleMain(), 0);
  const std::vector<std::string> log = twtest::linesOf("tarnwick.log");
  EXPECT_TRUE(twtest::contains(log, "showed the recorded screen at every step"));
  EXPECT_FALSE(twtest::contains(log, "entries left")); // it ended where the recording does
  std::filesystem::create_directories(TW_BINARY_DIR "/" TW_SHOT_KIND);
  ASSERT_GT(last.getSize().x, 0u);
  EXPECT_TRUE(last.saveToFile(TW_BINARY_DIR "/" TW_SHOT_KIND "/" TW_SHOT_NAME ".png"));
}

} // namespace
