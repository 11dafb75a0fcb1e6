// The platform's audio on SFML: its audio module over OpenAL Soft.
#include "Audio.h"

#include "Platform.h"
#include "SfmlMusicStream.h"
#include "SfmlSoundVoice.h"

#include <SFML/Audio/InputSoundFile.hpp>
#include <SFML/Audio/SoundBuffer.hpp>
#include <SFML/System/Err.hpp>

#include <sstream>

namespace tw {

namespace {
/// Sends the standard error stream's descriptor to the null device while it lives: the sound
/// server's and the audio library's failures to open a device are written there, many lines
/// of them, and not through anything the engine could redirect otherwise.
class QuietStandardError {
public:
  QuietStandardError() : saved(platform::quietStandardError()) {}
  ~QuietStandardError() { platform::restoreStandardError(saved); }
  QuietStandardError(const QuietStandardError&) = delete;
  QuietStandardError& operator=(const QuietStandardError&) = delete;

private:
  int saved;
};

/// Opens the device the way the first sound or music would, quietly: SFML reports a device it
/// could not open, or a context it could not make, on its error stream.
bool probe() {
  std::ostringstream said;
  std::streambuf* p_before = sf::err().rdbuf(said.rdbuf());
  {
    QuietStandardError quiet;
    sf::SoundBuffer first; // the first audio object opens the device
  }
  sf::err().rdbuf(p_before);
  return said.str().empty();
}
} // namespace

namespace audio {

bool deviceAvailable() {
  static const bool found = probe();
  return found;
}

bool canRead(const std::string& filename) {
  sf::InputSoundFile file;
  return file.openFromFile(filename) && file.getChannelCount() > 0 && file.getSampleRate() > 0;
}

std::unique_ptr<SoundVoice> makeVoice() {
  return std::make_unique<SfmlSoundVoice>();
}

std::unique_ptr<MusicStream> makeStream() {
  return std::make_unique<SfmlMusicStream>();
}

} // namespace audio
} // namespace tw
