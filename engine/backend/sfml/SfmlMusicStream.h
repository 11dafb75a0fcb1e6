#pragma once

#include "Audio.h"

#include <SFML/Audio/Music.hpp>

#include <memory>
#include <string>

namespace tw {

/// A piece of music on SFML, streamed from its file by the audio library's own thread.
class SfmlMusicStream : public MusicStream {
public:
  SfmlMusicStream() = default;
  ~SfmlMusicStream() override;
  SfmlMusicStream(const SfmlMusicStream&) = delete;
  SfmlMusicStream& operator=(const SfmlMusicStream&) = delete;

  bool open(const std::string& filename) override;
  void play(bool loop) override;
  void stop() override;
  bool isPlaying() const override;
  bool isLooping() const override;

private:
  std::unique_ptr<sf::Music> p_music;
};

} // namespace tw
