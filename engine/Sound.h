#pragma once

#include <SFML/Audio/Sound.hpp>
#include <SFML/Audio/SoundBuffer.hpp>

#include <memory>
#include <string>

namespace tw {

/// A short sound effect, read whole into memory and found by its label. The audio objects are
/// made by the first successful load, so an unused record opens no audio device.
class Sound {
public:
  Sound();
  ~Sound();
  Sound(const Sound&) = delete;
  Sound& operator=(const Sound&) = delete;

  /// Reads the samples of filename and attaches them to the voice; 0, or -1 when the file
  /// cannot be read (the record then keeps what it held).
  int loadSound(std::string filename);
  void play(bool loop = false);
  void stop();
  bool isLoaded() const { return p_buffer != nullptr; }
  bool isPlaying() const;
  bool isLooping() const;

  std::string getLabel() const { return label; }
  void setLabel(std::string new_label) { label = std::move(new_label); }
  /// The samples, or null before a successful load.
  const sf::SoundBuffer* getBuffer() const { return p_buffer.get(); }

private:
  std::unique_ptr<sf::Sound> p_sound;
  std::unique_ptr<sf::SoundBuffer> p_buffer;
  std::string label = "[Undefined]";
};

} // namespace tw
