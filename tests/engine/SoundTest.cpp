#include "LogManager.h"
#include "Music.h"
#include "ResourceManager.h"
#include "Sound.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <string>
#include <thread>

using tw::Music;
using tw::ResourceManager;
using tw::Sound;

namespace {

std::string gameSound(const std::string& name) {
  return twtest::sourceDir() + "/sounds/" + name + ".wav";
}

std::string badSound(const std::string& name) {
  return twtest::sourceDir() + "/tests/data/sounds/" + name;
}

/// Waits up to 5 s for done() to hold.
bool waitFor(const std::function<bool()>& done) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (std::chrono::steady_clock::now() < end) {
    if (done()) {
      return true;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return done();
}

class Sounds : public twtest::TempDirTest {
protected:
  void SetUp() override {
    TempDirTest::SetUp();
    twtest::startLog();
    tw::LogManager::getInstance().setLogLevel(5);
    ASSERT_EQ(ResourceManager::getInstance().startUp(), 0);
  }
  void TearDown() override {
    ResourceManager::getInstance().shutDown();
    tw::LogManager::getInstance().setLogLevel(0);
    twtest::stopLog();
    TempDirTest::TearDown();
  }
};

TEST_F(Sounds, GameSoundsLoadAndPlayOnceOrInALoop) {
  ResourceManager& rm = ResourceManager::getInstance();
  ASSERT_EQ(rm.loadSound(gameSound("wall-bounce"), "once"), 0);
  ASSERT_EQ(rm.loadSound(gameSound("wall-bounce"), "loop"), 0);
  Sound* p_once = rm.getSound("once");
  Sound* p_loop = rm.getSound("loop");
  ASSERT_NE(p_once, nullptr);
  ASSERT_NE(p_loop, nullptr);
  EXPECT_NE(p_once, p_loop);
  EXPECT_EQ(p_once->getLabel(), "once");
  ASSERT_NE(p_once->getBuffer(), nullptr);
  EXPECT_EQ(p_once->getBuffer()->getSampleRate(), 22050u);
  EXPECT_GT(p_once->getBuffer()->getSampleCount(), 1000u);

  p_loop->play(true);
  p_once->play();
  EXPECT_TRUE(p_loop->isLooping());
  EXPECT_FALSE(p_once->isLooping());
  // The single play ends by itself; the loop goes on past it until stopped.
  ASSERT_TRUE(waitFor([&] { return !p_once->isPlaying(); }));
  std::this_thread::sleep_for(std::chrono::milliseconds(150));
  EXPECT_TRUE(p_loop->isPlaying());
  p_loop->stop();
  EXPECT_FALSE(p_loop->isPlaying());
  EXPECT_EQ(twtest::countContaining(logLines(), "Sound::play(): Playing sound."), 2);
  EXPECT_TRUE(twtest::contains(logLines(),
                               "ResourceManager::loadSound(): Sound 'once' successfully loaded"));
}

TEST_F(Sounds, EveryGameSoundAndMusicLoads) {
  ResourceManager& rm = ResourceManager::getInstance();
  for (const char* name :
       {"exit", "explode", "lose", "paddle-bounce", "time", "wall-bounce", "win"}) {
    EXPECT_EQ(rm.loadSound(gameSound(name), name), 0) << name;
  }
  for (const char* name : {"menu", "advanced", "timed"}) {
    EXPECT_EQ(rm.loadMusic(gameSound(name), name), 0) << name;
  }
  EXPECT_EQ(rm.getSoundCount(), 7);
  EXPECT_EQ(rm.getMusicCount(), 3);
}

TEST_F(Sounds, MissingAndCorruptFilesFailTheirLoad) {
  ResourceManager& rm = ResourceManager::getInstance();
  EXPECT_EQ(rm.loadSound("nowhere.wav", "ghost"), -1);
  EXPECT_EQ(rm.getSound("ghost"), nullptr);
  const std::vector<std::string> lines = logLines();
  EXPECT_TRUE(twtest::contains(
      lines, "ResourceManager::loadSound(): Cannot load sound from file 'nowhere.wav'"));
  EXPECT_TRUE(twtest::contains(lines, "ResourceManager::getSound(): Sound 'ghost' not found"));

  for (const char* name :
       {"bad-empty.wav", "bad-text.wav", "bad-truncated-header.wav", "bad-zero-channels.wav",
        "bad-zero-rate.wav", "bad-bits.wav", "bad-not-wave.wav", "bad-compressed.wav"}) {
    SCOPED_TRACE(name);
    EXPECT_EQ(rm.loadSound(badSound(name), name), -1);
    EXPECT_TRUE(
        twtest::contains(logLines(), "ResourceManager::loadSound(): Cannot load sound from file '" +
                                         badSound(name) + "'"));
    EXPECT_EQ(rm.loadMusic(badSound(name), name), -1);
    EXPECT_TRUE(
        twtest::contains(logLines(), "ResourceManager::loadmusic(): Cannot load music from file '" +
                                         badSound(name) + "'"));
  }
  EXPECT_EQ(rm.getSoundCount(), 0);
  EXPECT_EQ(rm.getMusicCount(), 0);
  EXPECT_EQ(rm.getMusic("bad-text.wav"), nullptr);
  EXPECT_TRUE(
      twtest::contains(logLines(), "ResourceManager::getMusic(): Music 'bad-text.wav' not found"));
  // A failed load leaves its record free for the next one.
  ASSERT_EQ(rm.loadSound(gameSound("win"), "win"), 0);
  EXPECT_EQ(rm.getSoundCount(), 1);
}

TEST_F(Sounds, LabelsFindTheFirstLoadedAndMusicNeedsOne) {
  ResourceManager& rm = ResourceManager::getInstance();
  ASSERT_EQ(rm.loadSound(gameSound("win"), "twice"), 0);
  ASSERT_EQ(rm.loadSound(gameSound("lose"), "twice"), 0);
  const std::size_t win_samples = rm.getSound("twice")->getBuffer()->getSampleCount();
  sf::SoundBuffer win;
  sf::SoundBuffer lose;
  ASSERT_TRUE(win.loadFromFile(gameSound("win")));
  ASSERT_TRUE(lose.loadFromFile(gameSound("lose")));
  ASSERT_NE(win.getSampleCount(), lose.getSampleCount());
  EXPECT_EQ(win_samples, win.getSampleCount());

  EXPECT_EQ(rm.loadSound(gameSound("exit"), ""), 0);
  EXPECT_NE(rm.getSound(""), nullptr);

  // No label: refused before the file is looked at, so a missing file gives no file message.
  EXPECT_EQ(rm.loadMusic("nowhere.wav", ""), -1);
  const std::vector<std::string> lines = logLines();
  EXPECT_TRUE(
      twtest::contains(lines, "ResourceManager::loadMusic(): Must provide label for music"));
  EXPECT_FALSE(twtest::contains(lines, "Cannot load music"));
  EXPECT_EQ(rm.getMusicCount(), 0);
}

TEST_F(Sounds, MusicLoopsUntilStopped) {
  ResourceManager& rm = ResourceManager::getInstance();
  ASSERT_EQ(rm.loadMusic(gameSound("menu"), "menu"), 0);
  Music* p_music = rm.getMusic("menu");
  ASSERT_NE(p_music, nullptr);
  EXPECT_EQ(p_music->getLabel(), "menu");
  p_music->play();
  EXPECT_TRUE(p_music->isLooping());
  ASSERT_TRUE(waitFor([&] { return p_music->isPlaying(); }));
  p_music->stop();
  EXPECT_FALSE(p_music->isPlaying());
  p_music->play(false);
  EXPECT_FALSE(p_music->isLooping());
  const std::vector<std::string> lines = logLines();
  EXPECT_EQ(twtest::countContaining(lines, "Music::play(): Playing music."), 2);
  EXPECT_EQ(twtest::countContaining(lines, "Music::stop(): Stopping music."), 1);
  EXPECT_TRUE(twtest::contains(lines, "ResourceManager::getMusic(): Looking for music 'menu'"));
}

TEST_F(Sounds, ShutDownStopsEverythingAndKeepsTheRecords) {
  ResourceManager& rm = ResourceManager::getInstance();
  ASSERT_EQ(rm.loadSound(gameSound("explode"), "explode"), 0);
  ASSERT_EQ(rm.loadMusic(gameSound("timed"), "timed"), 0);
  ASSERT_EQ(rm.loadMusic(gameSound("menu"), "menu"), 0);
  Sound* p_sound = rm.getSound("explode");
  Music* p_timed = rm.getMusic("timed");
  p_sound->play(true);
  p_timed->play();
  rm.getMusic("menu")->play();
  rm.shutDown();
  EXPECT_FALSE(p_sound->isPlaying());
  EXPECT_FALSE(p_timed->isPlaying());
  EXPECT_FALSE(rm.getMusic("menu")->isPlaying());
  EXPECT_EQ(twtest::countContaining(logLines(), "Music::stop(): Stopping music."), 2);
  // Still found after shut-down; a new start-up starts the tables again.
  EXPECT_EQ(rm.getSound("explode"), p_sound);
  EXPECT_EQ(rm.loadSound(gameSound("win"), "win"), -1);
  ASSERT_EQ(rm.startUp(), 0);
  EXPECT_EQ(rm.getSoundCount(), 0);
  EXPECT_EQ(rm.getSound("explode"), nullptr);
}

TEST_F(Sounds, TablesHold128SoundsAnd128Musics) {
  ResourceManager& rm = ResourceManager::getInstance();
  tw::LogManager::getInstance().setLogLevel(0);
  for (int i = 0; i < 128; i++) {
    ASSERT_EQ(rm.loadSound(gameSound("wall-bounce"), "s" + std::to_string(i)), 0);
  }
  EXPECT_EQ(rm.loadSound(gameSound("wall-bounce"), "s128"), -1);
  EXPECT_TRUE(twtest::contains(
      logLines(), "ResourceManager::loadSound(): Unable to add more sounds (max is 128)"));
  rm.getSound("s127")->play();
  EXPECT_EQ(rm.getSound("s128"), nullptr);
}

TEST_F(Sounds, MusicTableHolds128) {
  ResourceManager& rm = ResourceManager::getInstance();
  tw::LogManager::getInstance().setLogLevel(0);
  for (int i = 0; i < 128; i++) {
    ASSERT_EQ(rm.loadMusic(gameSound("win"), "m" + std::to_string(i)), 0);
  }
  EXPECT_EQ(rm.loadMusic(gameSound("win"), "m128"), -1);
  EXPECT_TRUE(twtest::contains(
      logLines(), "ResourceManager::loadMusic(): Unable to add more musics (max is 128)"));
}

TEST(SoundsStopped, LoadingBeforeStartUpFails) {
  ResourceManager& rm = ResourceManager::getInstance();
  EXPECT_EQ(rm.loadSound(gameSound("win"), "win"), -1);
  EXPECT_EQ(rm.loadMusic(gameSound("menu"), "menu"), -1);
  EXPECT_EQ(rm.getSound("win"), nullptr);
  // An unloaded record plays nothing and does no harm.
  Sound idle;
  idle.play();
  idle.stop();
  EXPECT_FALSE(idle.isPlaying());
  Music quiet;
  quiet.play();
  quiet.stop();
  EXPECT_FALSE(quiet.isPlaying());
}

/// Loads sounds and music, starts them playing and ends the process without shutting down.
void exitWhilePlaying(bool shut_down_first) {
  twtest::startLog();
  ResourceManager& rm = ResourceManager::getInstance();
  rm.startUp();
  rm.loadSound(gameSound("explode"), "explode");
  rm.loadSound(gameSound("win"), "win");
  rm.loadMusic(gameSound("menu"), "menu");
  rm.loadMusic(gameSound("timed"), "timed");
  rm.getSound("explode")->play(true);
  rm.getSound("win")->play();
  rm.getMusic("menu")->play();
  rm.getMusic("timed")->play();
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  if (shut_down_first) {
    rm.shutDown();
    tw::LogManager::getInstance().shutDown();
  }
  std::exit(0);
}

class SoundsAtExit : public twtest::TempDirTest {};

TEST_F(SoundsAtExit, ExitWithMusicPlayingIsClean) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(exitWhilePlaying(false), ::testing::ExitedWithCode(0), "");
  EXPECT_EXIT(exitWhilePlaying(true), ::testing::ExitedWithCode(0), "");
}

} // namespace
