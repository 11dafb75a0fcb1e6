#include "SoundDevice.h"

#include "LogManager.h"
#include "Platform.h"

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

bool SoundDevice::available() {
  static bool found = probe();
  static bool told = false;
  if (!found && !told) {
    told = true;
    LogManager::getInstance().writeLog(
        "SoundDevice::available(): Warning! No sound device: sounds and music play silently.");
  }
  return found;
}

} // namespace tw
