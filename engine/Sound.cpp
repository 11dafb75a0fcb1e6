#include "Sound.h"

#include "Audio.h"
#include "LogManager.h"
#include "SoundDevice.h"

namespace tw {

Sound::Sound() = default;

// The voice stops and lets go of its samples in its own destructor.
Sound::~Sound() = default;

int Sound::loadSound(std::string filename) {
  if (!SoundDevice::available()) {
    // Nothing to play on: the file is only read through, so that a bad one still fails.
    if (!audio::canRead(filename)) {
      return -1;
    }
    silent = true;
    return 0;
  }
  if (p_voice) {
    return p_voice->load(filename) ? 0 : -1;
  }
  std::unique_ptr<SoundVoice> p_new_voice = audio::makeVoice();
  if (!p_new_voice->load(filename)) {
    return -1;
  }
  p_voice = std::move(p_new_voice);
  return 0;
}

void Sound::play(bool loop) {
  LogManager::getInstance().writeLog(5, "Sound::play(): Playing sound.");
  if (p_voice) {
    p_voice->play(loop);
  }
}

void Sound::stop() {
  if (p_voice) {
    p_voice->stop();
  }
}

bool Sound::isPlaying() const {
  return p_voice && p_voice->isPlaying();
}

bool Sound::isLooping() const {
  return p_voice && p_voice->isLooping();
}

unsigned long Sound::getSampleCount() const {
  return p_voice ? p_voice->sampleCount() : 0;
}

unsigned Sound::getSampleRate() const {
  return p_voice ? p_voice->sampleRate() : 0;
}

} // namespace tw
