#pragma once

#include "Audio.h"

#include <SFML/Audio/Sound.hpp>
#include <SFML/Audio/SoundBuffer.hpp>

#include <memory>
#include <string>

namespace tw {

/// A sound effect's voice on SFML: a sound and the buffer it plays, both made by the first
/// successful load.
class SfmlSoundVoice : public SoundVoice {
public:
  SfmlSoundVoice() = default;
  ~SfmlSoundVoice() override;
  SfmlSoundVoice(const SfmlSoundVoice&) = delete;
  SfmlSoundVoice& operator=(const SfmlSoundVoice&) = delete;

  bool load(const std::string& filename) override;
  void play(bool loop) override;
  void stop() override;
  bool isPlaying() const override;
  bool isLooping() const override;
  unsigned long sampleCount() const override;
  unsigned sampleRate() const override;

private:
  std::unique_ptr<sf::Sound> p_sound;
  std::unique_ptr<sf::SoundBuffer> p_buffer;
};

} // namespace tw
