// The platform's audio in the browser: emscripten's OpenAL over Web Audio (linked with
// -lopenal). Without Web Audio, as under Node.js, there is no device and sounds play silently.
#include "Audio.h"

#include "AudioFile.h"
#include "OpenAlSource.h"

#include <AL/alc.h>

namespace tw {

namespace {
/// Opens the default device and makes a context on it current; false when there is none.
bool openDevice() {
  ALCdevice* p_device = alcOpenDevice(nullptr);
  if (!p_device) {
    return false;
  }
  ALCcontext* p_context = alcCreateContext(p_device, nullptr);
  if (!p_context || !alcMakeContextCurrent(p_context)) {
    if (p_context) {
      alcDestroyContext(p_context);
    }
    alcCloseDevice(p_device);
    return false;
  }
  return true; // kept for the life of the page
}
} // namespace

namespace audio {

bool deviceAvailable() {
  static const bool found = openDevice();
  return found;
}

bool canRead(const std::string& filename) {
  return AudioFile().read(filename);
}

std::unique_ptr<SoundVoice> makeVoice() {
  return std::make_unique<OpenAlSource>();
}

std::unique_ptr<MusicStream> makeStream() {
  return std::make_unique<OpenAlSource>();
}

} // namespace audio
} // namespace tw
