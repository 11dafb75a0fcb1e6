#include "Music.h"

#include "LogManager.h"
#include "SoundDevice.h"

#include <SFML/Audio/InputSoundFile.hpp>

namespace tw {

Music::Music() = default;

Music::~Music() {
  // Stopping joins the stream's feeding thread before the stream goes.
  if (p_music) {
    p_music->stop();
  }
}

int Music::loadMusic(std::string filename) {
  if (!SoundDevice::available()) {
    // Nothing to play on: the file is only read through, so that a bad one still fails.
    sf::InputSoundFile file;
    if (!file.openFromFile(filename) || file.getChannelCount() == 0 || file.getSampleRate() == 0) {
      return -1;
    }
    silent = true;
    return 0;
  }
  auto p_new_music = std::make_unique<sf::Music>();
  // A stream without channels or without a sample rate cannot be played.
  if (!p_new_music->openFromFile(filename) || p_new_music->getChannelCount() == 0 ||
      p_new_music->getSampleRate() == 0) {
    return -1;
  }
  if (p_music) {
    p_music->stop();
  }
  p_music = std::move(p_new_music);
  return 0;
}

void Music::play(bool loop) {
  LogManager::getInstance().writeLog(5, "Music::play(): Playing music.");
  if (p_music) {
    p_music->play();
    p_music->setLoop(loop);
  }
}

void Music::stop() {
  LogManager::getInstance().writeLog(5, "Music::stop(): Stopping music.");
  if (p_music) {
    p_music->stop();
  }
}

bool Music::isPlaying() const {
  return p_music && p_music->getStatus() == sf::SoundSource::Playing;
}

bool Music::isLooping() const {
  return p_music && p_music->getLoop();
}

} // namespace tw
