#include "SoundDevice.h"

#include "Audio.h"
#include "LogManager.h"

namespace tw {

bool SoundDevice::available() {
  static bool found = audio::deviceAvailable();
  static bool told = false;
  if (!found && !told) {
    told = true;
    LogManager::getInstance().writeLog(
        "SoundDevice::available(): Warning! No sound device: sounds and music play silently.");
  }
  return found;
}

} // namespace tw
