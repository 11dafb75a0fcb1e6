// A gallery example, built into this test in place of its main, replays its recording in a
// window and must show the recorded screen at every step; its last frame becomes
// gallery/NAME.png in the build tree, the picture the gallery's pages show.
#include "TestWindow.h"

#include "GameManager.h"

#include <filesystem>

int galleryMain();

namespace {

using GalleryShot = twtest::TempDirTest;

TEST_F(GalleryShot, ReplaysInAWindowAndSavesItsLastFrame) {
  twtest::copyIn({"."}, TW_BINARY_DIR "/examples/gallery/" TW_GALLERY_NAME);
  std::filesystem::copy_file(
      twtest::sourceDir() + "/tests/data/replays/gallery-" TW_GALLERY_NAME ".rec", "replay.rec");
  writeFile("tw-config.txt", "frame_time:0,\nreplay_file:replay.rec\n");
  sf::Image last; // the frame shown in the step that ended the game
  tw::GameManager::getInstance().setFrameObserver([&](const tw::GameManager::FrameTimes&) {
    if (tw::GameManager::getInstance().getGameOver())
      last = twtest::WindowTest::grab();
  });
  EXPECT_EQ(galleryMain(), 0);
  EXPECT_TRUE(twtest::contains(twtest::linesOf("tarnwick.log"),
                               "showed the recorded screen at every step"));
  std::filesystem::create_directories(TW_BINARY_DIR "/gallery");
  ASSERT_GT(last.getSize().x, 0u);
  EXPECT_TRUE(last.saveToFile(TW_BINARY_DIR "/gallery/" TW_GALLERY_NAME ".png"));
}

} // namespace
