#pragma once

#include <memory>
#include <string>

namespace tw {

/// A voice that plays one sound effect held in memory. A backend (SFML natively, OpenAL in a
/// browser) implements it.
class SoundVoice {
public:
  virtual ~SoundVoice() = default;
  /// Reads filename's samples whole; false when it cannot (the voice keeps what it held).
  virtual bool load(const std::string& filename) = 0;
  virtual void play(bool loop) = 0;
  virtual void stop() = 0;
  virtual bool isPlaying() const = 0;
  virtual bool isLooping() const = 0;
  /// Samples loaded (all channels), and their rate; 0 before a load.
  virtual unsigned long sampleCount() const = 0;
  virtual unsigned sampleRate() const = 0;
};

/// A piece of music streamed from its file while it plays.
class MusicStream {
public:
  virtual ~MusicStream() = default;
  /// Opens filename for streaming; false when it cannot (the stream keeps what it held).
  virtual bool open(const std::string& filename) = 0;
  virtual void play(bool loop) = 0;
  /// Stops; the next play starts from the beginning.
  virtual void stop() = 0;
  virtual bool isPlaying() const = 0;
  virtual bool isLooping() const = 0;
};

/// The platform's audio: voices, streams, and whether there is a device to play on.
namespace audio {
/// Whether sounds can be heard; the device is looked for on the first call.
bool deviceAvailable();
/// Whether filename is an audio file the platform can read (read through, not kept).
bool canRead(const std::string& filename);
std::unique_ptr<SoundVoice> makeVoice();
std::unique_ptr<MusicStream> makeStream();
} // namespace audio

} // namespace tw
