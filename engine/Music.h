#pragma once

#include <SFML/Audio/Music.hpp>

#include <memory>
#include <string>

namespace tw {

/// A piece of music streamed from its file while it plays, found by its label. The stream is
/// made by the first successful load, so an unused record opens no audio device.
class Music {
public:
  Music();
  ~Music();
  Music(const Music&) = delete;
  Music& operator=(const Music&) = delete;

  /// Opens a stream on filename; 0, or -1 when it cannot be read (the record then keeps what
  /// it held).
  int loadMusic(std::string filename);
  void play(bool loop = true);
  void stop();
  bool isLoaded() const { return p_music != nullptr; }
  bool isPlaying() const;
  bool isLooping() const;

  std::string getLabel() const { return label; }
  void setLabel(std::string new_label) { label = std::move(new_label); }

private:
  std::unique_ptr<sf::Music> p_music;
  std::string label = "[Undefined]";
};

} // namespace tw
