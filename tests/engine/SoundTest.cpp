#include "Music.h"
#include "ResourceManager.h"
#include "Sound.h"
#include "TestSupport.h"

#include <chrono>
#include <filesystem>
#include <thread>

using twtest::countContaining;

namespace {

std::string gameSound(const std::string& name) {
  return twtest::sourceDir() + "/sounds/" + name + ".wav";
}

/// A started resource manager, the log showing playing and look-ups.
class Sounds : public twtest::LoggedTest {
protected:
  void SetUp() override {
    LoggedTest::SetUp(), tw::LogManager::getInstance().setLogLevel(5);
    ASSERT_EQ(rm.startUp(), 0);
  }
  tw::ResourceManager& rm = tw::ResourceManager::getInstance();
};

TEST_F(Sounds, GameSoundsAndMusicLoadPlayLoopAndStop) {
  int failed = 0;
  for (const char* name : {"exit", "explode", "lose", "paddle-bounce", "time", "wall-bounce"}) {
    failed += rm.loadSound(gameSound(name), name);
  }
  for (const char* name : {"menu", "advanced", "timed"}) {
    failed += rm.loadMusic(gameSound(name), name);
  }
  failed += rm.loadSound(gameSound("win"), "win") + rm.loadSound(gameSound("lose"), "win");
  ASSERT_EQ(failed + rm.loadSound(gameSound("exit"), ""), 0);
  EXPECT_EQ(rm.getSoundCount() * 10 + rm.getMusicCount(), 93);
  sf::SoundBuffer win;
  ASSERT_TRUE(win.loadFromFile(gameSound("win")));
  EXPECT_EQ(rm.getSound("win")->getBuffer()->getSampleCount(), win.getSampleCount()); // the first
  EXPECT_EQ(rm.getSound("")->getLabel(), "");
  tw::Sound *p_once = rm.getSound("wall-bounce"), *p_loop = rm.getSound("explode");
  tw::Music* p_music = rm.getMusic("menu");
  EXPECT_EQ(p_once->getBuffer()->getSampleRate(), 22050u);
  p_loop->play(true), p_once->play(), p_music->play();
  EXPECT_TRUE(p_loop->isLooping() && !p_once->isLooping() && p_music->isLooping());
  // The single play ends by itself (within 5 s); the loop and the music go on until stopped.
  for (int i = 0; i < 500 && p_once->isPlaying(); i++) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(150));
  EXPECT_TRUE(!p_once->isPlaying() && p_loop->isPlaying() && p_music->isPlaying());
  p_loop->stop(), p_music->stop();
  EXPECT_FALSE(p_loop->isPlaying() || p_music->isPlaying());
  p_music->play(false);
  EXPECT_FALSE(p_music->isLooping());
  rm.getMusic("timed")->play(), p_loop->play(true);
  rm.shutDown(); // stops everything and keeps the records
  EXPECT_FALSE(p_loop->isPlaying() || p_music->isPlaying() || rm.getMusic("timed")->isPlaying());
  EXPECT_EQ(rm.getSound("explode"), p_loop);
  EXPECT_EQ(rm.loadSound(gameSound("win"), "late") + rm.loadMusic(gameSound("menu"), "late"), -2);
  ASSERT_EQ(rm.startUp(), 0);
  EXPECT_EQ(rm.getSound("explode"), nullptr);
  const std::vector<std::string> lines = logLines();
  EXPECT_EQ(countContaining(lines, "Sound::play(): Playing sound."), 3);
  EXPECT_EQ(countContaining(lines, "Music::play(): Playing music."), 3);
  EXPECT_EQ(countContaining(lines, "Music::stop(): Stopping music."), 1 + 3);
  EXPECT_TRUE(
      twtest::inOrder(lines, {"ResourceManager::loadSound(): Sound 'exit' successfully loaded",
                              "ResourceManager::loadMusic(): Music 'menu' successfully loaded",
                              "ResourceManager::getMusic(): Looking for music 'menu'",
                              "ResourceManager not started!",
                              "ResourceManager::getSound(): Sound 'explode' not found"}));
}

TEST_F(Sounds, MissingAndCorruptFilesAndFullTablesFailTheirLoad) {
  EXPECT_EQ(rm.loadMusic("nowhere.wav", ""), -1); // no label: refused before the file is looked at
  EXPECT_FALSE(twtest::contains(logLines(), "Cannot load music"));
  std::vector<std::string> names = {"nowhere.wav"};
  for (const auto& file : std::filesystem::directory_iterator(
           twtest::sourceDir() + "/tests/data/sounds")) { // bad-*.wav: empty, cut, zero rate...
    names.push_back(file.path().string());
  }
  EXPECT_EQ(names.size(), 9u);
  for (const std::string& name : names) {
    EXPECT_EQ(rm.loadSound(name, "ghost") + rm.loadMusic(name, "ghost"), -2) << name;
    EXPECT_TRUE(twtest::inOrder(
        logLines(), {"ResourceManager::loadSound(): Cannot load sound from file '" + name + "'",
                     "ResourceManager::loadmusic(): Cannot load music from file '" + name + "'"}));
  }
  EXPECT_EQ(rm.getSound("ghost"), nullptr);
  EXPECT_EQ(rm.getMusic("ghost"), nullptr);
  tw::LogManager::getInstance().setLogLevel(0);
  for (int i = 0; i < 128; i++) { // failed loads left their records free
    ASSERT_EQ(rm.loadSound(gameSound("wall-bounce"), "s" + std::to_string(i)) +
                  rm.loadMusic(gameSound("win"), "m" + std::to_string(i)),
              0);
  }
  EXPECT_EQ(rm.loadSound(gameSound("win"), "s128") + rm.loadMusic(gameSound("win"), "m128"), -2);
  rm.getSound("s127")->play();
  EXPECT_EQ(rm.getSound("s128"), nullptr);
  EXPECT_TRUE(twtest::inOrder(
      logLines(), {"ResourceManager::loadMusic(): Must provide label for music",
                   "ResourceManager::getSound(): Sound 'ghost' not found",
                   "ResourceManager::getMusic(): Music 'ghost' not found",
                   "ResourceManager::loadSound(): Unable to add more sounds (max is 128)",
                   "ResourceManager::loadMusic(): Unable to add more musics (max is 128)"}));
}

TEST(SoundsAtExit, UnloadedRecordsAreHarmlessAndExitWhilePlayingIsClean) {
  tw::Sound idle;
  tw::Music quiet;
  idle.play(), quiet.play(), idle.stop(), quiet.stop();
  EXPECT_FALSE(idle.isPlaying() || quiet.isPlaying());
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  auto exit_while_playing = [](bool shut_down_first) {
    twtest::startLog();
    tw::ResourceManager& rm = tw::ResourceManager::getInstance();
    rm.startUp();
    for (const char* name : {"explode", "win", "menu", "timed"}) {
      rm.loadSound(gameSound(name), name), rm.loadMusic(gameSound(name), name);
      rm.getSound(name)->play(true), rm.getMusic(name)->play();
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    if (shut_down_first) {
      rm.shutDown(), tw::LogManager::getInstance().shutDown();
    }
    std::exit(0);
  };
  EXPECT_EXIT(exit_while_playing(false), ::testing::ExitedWithCode(0), "");
  EXPECT_EXIT(exit_while_playing(true), ::testing::ExitedWithCode(0), "");
}

} // namespace
