#include "Music.h"
#include "ResourceManager.h"
#include "Sound.h"
#include "TestSupport.h"

#include <SFML/Audio/SoundBuffer.hpp>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <sstream>
#include <thread>

namespace {

/// A started resource manager, the log showing playing and look-ups, and the game's sounds and
/// the broken ones of tests/data/sounds in the current directory.
class Sounds : public twtest::LoggedTest {
protected:
  void SetUp() override {
    LoggedTest::SetUp(), tw::LogManager::getInstance().setLogLevel(5);
    ASSERT_EQ(rm.startUp(), 0);
    for (const char* from : {"/tests/data/sounds", "/sounds"})
      twtest::copyIn({"."}, twtest::sourceDir() + from);
  }
  /// Whether the sound and the music play, and loop.
  static std::string playing(const tw::Sound* p_s, const tw::Music* p_m) {
    return std::to_string(p_s->isPlaying()) + std::to_string(p_s->isLooping()) +
           std::to_string(p_m->isPlaying()) + std::to_string(p_m->isLooping()) + " ";
  }
  tw::ResourceManager& rm = tw::ResourceManager::getInstance();
  std::ostringstream out;
};

TEST_F(Sounds, GameSoundsAndMusicLoadPlayLoopAndStop) {
  out << rm.loadSound("explode.wav", "explode") << rm.loadSound("wall-bounce.wav", "wall-bounce")
      << rm.loadMusic("menu.wav", "menu") << rm.loadMusic("timed.wav", "timed");
  out << rm.loadSound("win.wav", "win") << rm.loadSound("lose.wav", "win") // the first counts
      << rm.loadSound("exit.wav", "") << " " << rm.getSoundCount() << rm.getMusicCount() << "\n";
  tw::Sound idle, ogg; // records without a file are harmless
  tw::Music quiet;
  idle.play(), quiet.play(), idle.stop(), quiet.stop();
  out << idle.isPlaying() << quiet.isPlaying() << ogg.loadSound("tune.ogg") << " "
      << ogg.getSampleCount() << "\n"; // Vorbis decoded whole
  sf::SoundBuffer win;
  ASSERT_TRUE(win.loadFromFile("win.wav"));
  tw::Sound *p_once = rm.getSound("wall-bounce"), *p_loop = rm.getSound("explode");
  tw::Music* p_music = rm.getMusic("menu");
  out << (rm.getSound("win")->getSampleCount() == win.getSampleCount()) << " '"
      << rm.getSound("")->getLabel() << "' " << p_once->getSampleRate() << "\n";
  p_loop->play(true), p_once->play(), p_music->play();
  out << playing(p_loop, p_music) << playing(p_once, p_music);
  // The single play ends by itself (within 5 s); the loop and the music go on until stopped.
  for (int i = 0; i < 500 && p_once->isPlaying(); i++)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  std::this_thread::sleep_for(std::chrono::milliseconds(150));
  out << playing(p_loop, p_music) << playing(p_once, p_music);
  p_loop->stop(), p_music->stop(), out << playing(p_loop, p_music);
  p_music->play(false), out << playing(p_loop, p_music);
  rm.getMusic("timed")->play(), p_loop->play(true);
  rm.shutDown(); // stops everything and keeps the records
  out << playing(p_loop, p_music) << playing(p_loop, rm.getMusic("timed")) << "\n"
      << (rm.getSound("explode") == p_loop) << rm.loadSound("win.wav", "late")
      << rm.loadMusic("menu.wav", "late") << rm.startUp() << (rm.getSound("explode") == nullptr);
  EXPECT_TRUE(twtest::matchesFile("golden/Sounds.GameSounds.txt", out.str() + "\n" + logged()));
}

TEST_F(Sounds, MissingAndCorruptFilesAndFullTablesFailTheirLoad) {
  out << rm.loadMusic("nowhere.wav", "") << "\n" << logged(); // refused before the file
  std::set<std::string> names = {"nowhere.wav"};              // bad-*.wav: empty, cut, zero rate...
  for (const auto& file : std::filesystem::directory_iterator(".")) {
    if (file.path().filename().string().rfind("bad-", 0) == 0)
      names.insert(file.path().filename().string());
  }
  for (const std::string& name : names)
    out << rm.loadSound(name, "ghost") << rm.loadMusic(name, "ghost") << "\n" << logged();
  out << (rm.getSound("ghost") == nullptr) << (rm.getMusic("ghost") == nullptr) << "\n";
  tw::LogManager::getInstance().setLogLevel(0);
  for (int i = 0; i < 128; i++) { // failed loads left their records free
    out << (rm.loadSound("wall-bounce.wav", "s" + std::to_string(i)) +
                    rm.loadMusic("win.wav", "m" + std::to_string(i))
                ? "-"
                : "");
  }
  out << rm.loadSound("win.wav", "s128") << rm.loadMusic("win.wav", "m128");
  rm.getSound("s127")->play(), out << (rm.getSound("s128") == nullptr) << "\n";
  EXPECT_TRUE(twtest::matchesFile("golden/Sounds.MissingAndCorrupt.txt", out.str() + logged()));
}

// No backend of that name: the audio library finds no device, as on a machine without sound.
TEST_F(Sounds, WithoutADeviceOneLineSaysSoAndTheGameRunsSilent) {
#ifdef _WIN32
  _putenv_s("ALSOFT_DRIVERS", "no-such-driver");
#else
  setenv("ALSOFT_DRIVERS", "no-such-driver", 1);
#endif
  testing::internal::CaptureStderr();
  out << rm.loadSound("explode.wav", "explode") << rm.loadSound("win.wav", "win")
      << rm.loadMusic("menu.wav", "menu") << rm.loadSound("bad-empty.wav", "bad")
      << rm.loadMusic("nowhere.wav", "bad") << "\n";
  rm.getSound("explode")->play(true), rm.getMusic("menu")->play();
  out << rm.getSound("win")->isLoaded() << rm.getSound("explode")->isPlaying()
      << rm.getMusic("menu")->isLoaded() << rm.getMusic("menu")->isPlaying() << "\n";
  rm.shutDown();
  const std::string errors = testing::internal::GetCapturedStderr();
  EXPECT_EQ(errors.find("OpenAL"), std::string::npos) << errors;
  EXPECT_EQ(errors.find("AL lib"), std::string::npos) << errors;
  EXPECT_EQ(errors.find("audio device"), std::string::npos) << errors;
  EXPECT_TRUE(twtest::matchesFile("golden/Sounds.WithoutADevice.txt", out.str() + logged()));
}

} // namespace
