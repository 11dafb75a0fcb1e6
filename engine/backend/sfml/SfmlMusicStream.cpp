#include "SfmlMusicStream.h"

namespace tw {

SfmlMusicStream::~SfmlMusicStream() {
  // Stopping joins the stream's feeding thread before the stream goes.
  if (p_music) {
    p_music->stop();
  }
}

bool SfmlMusicStream::open(const std::string& filename) {
  // Opened on a music of its own: sf::Music drops what it held before it knows the file is good.
  auto p_new_music = std::make_unique<sf::Music>();
  // A stream without channels or without a sample rate cannot be played.
  if (!p_new_music->openFromFile(filename) || p_new_music->getChannelCount() == 0 ||
      p_new_music->getSampleRate() == 0) {
    return false;
  }
  if (p_music) {
    p_music->stop();
  }
  p_music = std::move(p_new_music);
  return true;
}

void SfmlMusicStream::play(bool loop) {
  if (p_music) {
    p_music->play();
    p_music->setLoop(loop);
  }
}

void SfmlMusicStream::stop() {
  if (p_music) {
    p_music->stop();
  }
}

bool SfmlMusicStream::isPlaying() const {
  return p_music && p_music->getStatus() == sf::SoundSource::Playing;
}

bool SfmlMusicStream::isLooping() const {
  return p_music && p_music->getLoop();
}

} // namespace tw
