#include "Music.h"

#include "Audio.h"
#include "LogManager.h"
#include "SoundDevice.h"

namespace tw {

Music::Music() = default;

// The stream stops, and stops being fed, in its own destructor.
Music::~Music() = default;

int Music::loadMusic(std::string filename) {
  if (!SoundDevice::available()) {
    // Nothing to play on: the file is only read through, so that a bad one still fails.
    if (!audio::canRead(filename)) {
      return -1;
    }
    silent = true;
    return 0;
  }
  if (p_stream) {
    return p_stream->open(filename) ? 0 : -1;
  }
  std::unique_ptr<MusicStream> p_new_stream = audio::makeStream();
  if (!p_new_stream->open(filename)) {
    return -1;
  }
  p_stream = std::move(p_new_stream);
  return 0;
}

void Music::play(bool loop) {
  LogManager::getInstance().writeLog(5, "Music::play(): Playing music.");
  if (p_stream) {
    p_stream->play(loop);
  }
}

void Music::stop() {
  LogManager::getInstance().writeLog(5, "Music::stop(): Stopping music.");
  if (p_stream) {
    p_stream->stop();
  }
}

bool Music::isPlaying() const {
  return p_stream && p_stream->isPlaying();
}

bool Music::isLooping() const {
  return p_stream && p_stream->isLooping();
}

} // namespace tw
