#include "SoundDevice.h"

#include "LogManager.h"

#include <SFML/Audio/SoundBuffer.hpp>
#include <SFML/System/Err.hpp>

#include <cstdio>
#include <fcntl.h>
#include <sstream>
#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace tw {

namespace {
/// Sends the standard error stream's descriptor to the null device while it lives: the sound
/// server's and the audio library's failures to open a device are written there, many lines
/// of them, and not through anything the engine could redirect otherwise.
class QuietStandardError {
public:
  QuietStandardError() {
    std::fflush(stderr);
#ifdef _WIN32
    const int null_fd = _open("NUL", _O_WRONLY);
    saved = _dup(2);
    if (null_fd >= 0 && saved >= 0) {
      _dup2(null_fd, 2);
    }
    if (null_fd >= 0) {
      _close(null_fd);
    }
#else
    const int null_fd = open("/dev/null", O_WRONLY);
    saved = dup(2);
    if (null_fd >= 0 && saved >= 0) {
      dup2(null_fd, 2);
    }
    if (null_fd >= 0) {
      close(null_fd);
    }
#endif
  }
  ~QuietStandardError() {
    std::fflush(stderr);
    if (saved >= 0) {
#ifdef _WIN32
      _dup2(saved, 2);
      _close(saved);
#else
      dup2(saved, 2);
      close(saved);
#endif
    }
  }
  QuietStandardError(const QuietStandardError&) = delete;
  QuietStandardError& operator=(const QuietStandardError&) = delete;

private:
  int saved = -1;
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
