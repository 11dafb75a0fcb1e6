#include "Sound.h"

#include "LogManager.h"
#include "SoundDevice.h"

#include <SFML/Audio/InputSoundFile.hpp>

namespace tw {

Sound::Sound() = default;

Sound::~Sound() {
  // The voice lets go of its samples and stops before either is destroyed.
  if (p_sound) {
    p_sound->stop();
    p_sound->resetBuffer();
  }
  p_sound.reset();
  p_buffer.reset();
}

int Sound::loadSound(std::string filename) {
  if (!SoundDevice::available()) {
    // Nothing to play on: the file is only read through, so that a bad one still fails.
    sf::InputSoundFile file;
    if (!file.openFromFile(filename)) {
      return -1;
    }
    silent = true;
    return 0;
  }
  auto p_new_buffer = std::make_unique<sf::SoundBuffer>();
  if (!p_new_buffer->loadFromFile(filename)) {
    return -1;
  }
  if (!p_sound) {
    p_sound = std::make_unique<sf::Sound>();
  }
  p_sound->stop();
  p_sound->setBuffer(*p_new_buffer);
  p_buffer = std::move(p_new_buffer);
  return 0;
}

void Sound::play(bool loop) {
  LogManager::getInstance().writeLog(5, "Sound::play(): Playing sound.");
  if (p_sound) {
    p_sound->play();
    p_sound->setLoop(loop);
  }
}

void Sound::stop() {
  if (p_sound) {
    p_sound->stop();
  }
}

bool Sound::isPlaying() const {
  return p_sound && p_sound->getStatus() == sf::SoundSource::Playing;
}

bool Sound::isLooping() const {
  return p_sound && p_sound->getLoop();
}

} // namespace tw
