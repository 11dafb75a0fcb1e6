#pragma once

#include "Audio.h"

#include <AL/al.h>

#include <string>

namespace tw {

/// An OpenAL source and the one buffer it plays, made by the first successful load: a sound
/// effect's voice, and a piece of music too. The game's music loops are short and compressed,
/// so a file is decoded whole when loaded; nothing needs feeding while it plays.
class OpenAlSource final : public SoundVoice, public MusicStream {
public:
  OpenAlSource() = default;
  ~OpenAlSource() override;
  OpenAlSource(const OpenAlSource&) = delete;
  OpenAlSource& operator=(const OpenAlSource&) = delete;

  bool load(const std::string& filename) override;
  bool open(const std::string& filename) override { return load(filename); }
  void play(bool loop) override;
  void stop() override;
  bool isPlaying() const override;
  bool isLooping() const override;
  unsigned long sampleCount() const override { return sample_count; }
  unsigned sampleRate() const override { return sample_rate; }

private:
  ALuint source = 0; ///< 0 before the first load
  ALuint buffer = 0;
  unsigned long sample_count = 0;
  unsigned sample_rate = 0;
};

} // namespace tw
