#include "OpenAlSource.h"

#include "AudioFile.h"

namespace tw {

OpenAlSource::~OpenAlSource() {
  // The source stops and lets go of its buffer before either is deleted.
  if (source != 0) {
    alSourceStop(source);
    alSourcei(source, AL_BUFFER, 0);
    alDeleteSources(1, &source);
    alDeleteBuffers(1, &buffer);
  }
}

bool OpenAlSource::load(const std::string& filename) {
  AudioFile file;
  if (!file.read(filename)) {
    return false;
  }
  const std::vector<std::int16_t>& samples = file.getSamples();
  alGetError(); // clears an earlier error
  ALuint new_buffer = 0;
  alGenBuffers(1, &new_buffer);
  if (alGetError() != AL_NO_ERROR) {
    return false;
  }
  alBufferData(new_buffer, file.getChannelCount() == 2 ? AL_FORMAT_STEREO16 : AL_FORMAT_MONO16,
               samples.data(), ALsizei(samples.size() * sizeof(std::int16_t)),
               ALsizei(file.getSampleRate()));
  bool good = alGetError() == AL_NO_ERROR;
  if (good && source == 0) {
    alGenSources(1, &source);
    good = alGetError() == AL_NO_ERROR;
    if (!good) {
      source = 0;
    }
  }
  if (!good) {
    alDeleteBuffers(1, &new_buffer);
    return false;
  }
  alSourceStop(source);
  alSourcei(source, AL_BUFFER, ALint(new_buffer));
  if (buffer != 0) {
    alDeleteBuffers(1, &buffer);
  }
  buffer = new_buffer;
  sample_count = static_cast<unsigned long>(samples.size());
  sample_rate = file.getSampleRate();
  return true;
}

void OpenAlSource::play(bool loop) {
  if (source != 0) {
    alSourcei(source, AL_LOOPING, loop ? AL_TRUE : AL_FALSE);
    alSourcePlay(source); // from the start, also when it plays already
  }
}

void OpenAlSource::stop() {
  if (source != 0) {
    alSourceStop(source);
  }
}

bool OpenAlSource::isPlaying() const {
  ALint state = AL_STOPPED;
  if (source != 0) {
    alGetSourcei(source, AL_SOURCE_STATE, &state);
  }
  return state == AL_PLAYING;
}

bool OpenAlSource::isLooping() const {
  ALint looping = AL_FALSE;
  if (source != 0) {
    alGetSourcei(source, AL_LOOPING, &looping);
  }
  return looping == AL_TRUE;
}

} // namespace tw
