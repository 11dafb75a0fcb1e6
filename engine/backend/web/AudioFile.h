#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tw {

/// The samples of a sound or music file, decoded whole: PCM WAV of 8 or 16 bits, or Ogg
/// Vorbis, with one or two channels.
class AudioFile {
public:
  /// Decodes filename; false when it cannot be read or holds nothing playable (the samples
  /// held before are kept then).
  bool read(const std::string& filename);
  /// Decodes a file's bytes as read; false as read does.
  bool decode(const std::vector<unsigned char>& bytes);

  /// 16-bit samples, the channels of a frame side by side.
  const std::vector<std::int16_t>& getSamples() const { return samples; }
  /// 1 or 2; 0 before a read.
  unsigned getChannelCount() const { return channel_count; }
  /// Frames a second; 0 before a read.
  unsigned getSampleRate() const { return sample_rate; }

private:
  std::vector<std::int16_t> samples;
  unsigned channel_count = 0;
  unsigned sample_rate = 0;
};

} // namespace tw
