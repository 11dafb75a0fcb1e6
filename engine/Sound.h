#pragma once

#include <memory>
#include <string>

namespace tw {

class SoundVoice;

/// A short sound effect, read whole into memory and found by its label. The voice is made by
/// the first successful load, so an unused record opens no audio device.
class Sound {
public:
  Sound();
  ~Sound();
  Sound(const Sound&) = delete;
  Sound& operator=(const Sound&) = delete;

  /// Reads the samples of filename into the voice; 0, or -1 when the file cannot be read (the
  /// record then keeps what it held).
  int loadSound(std::string filename);
  /// Plays the sound from its start, once unless loop is true; nothing before a load.
  void play(bool loop = false);
  /// Stops the sound.
  void stop();
  /// True after a successful loadSound.
  bool isLoaded() const { return p_voice != nullptr || silent; }
  /// True while the sound plays.
  bool isPlaying() const;
  /// True when the sound starts again at its end.
  bool isLooping() const;

  /// The label the sound is found by ("[Undefined]" until set).
  std::string getLabel() const { return label; }
  /// Sets the label the sound is found by.
  void setLabel(std::string new_label) { label = std::move(new_label); }
  /// Samples held, all channels counted; 0 before a successful load and without a sound
  /// device.
  unsigned long getSampleCount() const;
  /// Samples a second of each channel; 0 before a successful load and without a sound device.
  unsigned getSampleRate() const;

private:
  std::unique_ptr<SoundVoice> p_voice;
  std::string label = "[Undefined]";
  bool silent = false; ///< loaded without a sound device: never plays
};

} // namespace tw
