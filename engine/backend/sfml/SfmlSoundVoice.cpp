#include "SfmlSoundVoice.h"

namespace tw {

SfmlSoundVoice::~SfmlSoundVoice() {
  // The sound stops and lets go of its samples before either is destroyed.
  if (p_sound) {
    p_sound->stop();
    p_sound->resetBuffer();
  }
  p_sound.reset();
  p_buffer.reset();
}

bool SfmlSoundVoice::load(const std::string& filename) {
  auto p_new_buffer = std::make_unique<sf::SoundBuffer>();
  if (!p_new_buffer->loadFromFile(filename)) {
    return false;
  }
  if (!p_sound) {
    p_sound = std::make_unique<sf::Sound>();
  }
  p_sound->stop();
  p_sound->setBuffer(*p_new_buffer);
  p_buffer = std::move(p_new_buffer);
  return true;
}

void SfmlSoundVoice::play(bool loop) {
  if (p_sound) {
    p_sound->play();
    p_sound->setLoop(loop);
  }
}

void SfmlSoundVoice::stop() {
  if (p_sound) {
    p_sound->stop();
  }
}

bool SfmlSoundVoice::isPlaying() const {
  return p_sound && p_sound->getStatus() == sf::SoundSource::Playing;
}

bool SfmlSoundVoice::isLooping() const {
  return p_sound && p_sound->getLoop();
}

unsigned long SfmlSoundVoice::sampleCount() const {
  return p_buffer ? static_cast<unsigned long>(p_buffer->getSampleCount()) : 0;
}

unsigned SfmlSoundVoice::sampleRate() const {
  return p_buffer ? p_buffer->getSampleRate() : 0;
}

} // namespace tw
