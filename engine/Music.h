#pragma once

#include <memory>
#include <string>

namespace tw {

class MusicStream;

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
  /// Plays the music from its start, looping unless loop is false; nothing before a load.
  void play(bool loop = true);
  /// Stops the music; the next play starts it from its beginning.
  void stop();
  /// True after a successful loadMusic.
  bool isLoaded() const { return p_stream != nullptr || silent; }
  /// True while the music plays.
  bool isPlaying() const;
  /// True when the music starts again at its end.
  bool isLooping() const;

  /// The label the music is found by ("[Undefined]" until set).
  std::string getLabel() const { return label; }
  /// Sets the label the music is found by.
  void setLabel(std::string new_label) { label = std::move(new_label); }

private:
  std::unique_ptr<MusicStream> p_stream;
  bool silent = false; ///< opened without a sound device: never plays
  std::string label = "[Undefined]";
};

} // namespace tw
