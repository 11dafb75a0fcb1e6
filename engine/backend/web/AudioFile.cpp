#include "AudioFile.h"

#include "StbVorbis.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>

namespace tw {

namespace {

/// Highest sample rate taken; a header asking for more is damaged.
constexpr std::uint32_t MAX_SAMPLE_RATE = 384000;

std::uint32_t little16(const unsigned char* p_at) {
  return std::uint32_t(p_at[0]) | std::uint32_t(p_at[1]) << 8;
}

std::uint32_t little32(const unsigned char* p_at) {
  return little16(p_at) | little16(p_at + 2) << 16;
}

/// A 16-bit two's complement sample.
std::int16_t signed16(const unsigned char* p_at) {
  const std::int32_t value = std::int32_t(little16(p_at));
  return std::int16_t(value >= 0x8000 ? value - 0x10000 : value);
}

bool startsWith(const std::vector<unsigned char>& bytes, std::size_t at, const char* p_tag) {
  const std::size_t length = std::strlen(p_tag);
  return bytes.size() >= at + length && std::memcmp(bytes.data() + at, p_tag, length) == 0;
}

/// RIFF WAVE with PCM samples. Every chunk must lie within the file; chunks other than the
/// format and the data are skipped.
bool decodeWav(const std::vector<unsigned char>& bytes, std::vector<std::int16_t>& out,
               unsigned& channels, unsigned& rate) {
  if (!startsWith(bytes, 0, "RIFF") || !startsWith(bytes, 8, "WAVE")) {
    return false;
  }
  unsigned bits = 0;
  channels = 0;
  std::size_t at = 12;
  while (bytes.size() - at >= 8) {
    const unsigned char* p_chunk = bytes.data() + at;
    const std::size_t size = little32(p_chunk + 4);
    const std::size_t body = at + 8;
    if (size > bytes.size() - body) {
      return false; // cut short
    }
    const unsigned char* p_body = bytes.data() + body;
    if (std::memcmp(p_chunk, "fmt ", 4) == 0) {
      if (size < 16) {
        return false;
      }
      std::uint32_t format = little16(p_body);
      if (format == 0xFFFE && size >= 26) { // extensible: the sub-format says
        format = little16(p_body + 24);
      }
      channels = little16(p_body + 2);
      const std::uint32_t frames_per_second = little32(p_body + 4);
      bits = little16(p_body + 14);
      if (format != 1 || channels < 1 || channels > 2 || (bits != 8 && bits != 16) ||
          frames_per_second == 0 || frames_per_second > MAX_SAMPLE_RATE) {
        return false;
      }
      rate = frames_per_second;
    } else if (std::memcmp(p_chunk, "data", 4) == 0) {
      if (channels == 0) {
        return false; // samples before their format
      }
      const std::size_t frame_bytes = channels * bits / 8;
      const std::size_t count = size / frame_bytes * channels; // a last partial frame goes
      out.resize(count);
      for (std::size_t i = 0; i < count; i++) {
        out[i] = bits == 8 ? std::int16_t((int(p_body[i]) - 128) * 256) : signed16(p_body + 2 * i);
      }
      return count > 0;
    }
    at = body + size + (size & 1); // chunks are padded to an even length
    if (at > bytes.size()) {
      return false;
    }
  }
  return false; // no data chunk
}

/// The CRC of Ogg pages: polynomial 0x04C11DB7, most significant bit first, from 0.
std::uint32_t oggCrc(const unsigned char* p_at, std::size_t length) {
  static const auto table = [] {
    std::array<std::uint32_t, 256> entries{};
    for (std::uint32_t i = 0; i < 256; i++) {
      std::uint32_t r = i << 24;
      for (int bit = 0; bit < 8; bit++) {
        r = r & 0x80000000u ? (r << 1) ^ 0x04C11DB7u : r << 1;
      }
      entries[i] = r;
    }
    return entries;
  }();
  std::uint32_t crc = 0;
  for (std::size_t i = 0; i < length; i++) {
    crc = (crc << 8) ^ table[(crc >> 24) ^ p_at[i]];
  }
  return crc;
}

/// The length of an Ogg stream's whole pages, a last page cut short left out; 0 when a page is
/// damaged. stb_vorbis trusts the headers it reads, so a damaged page never reaches it.
std::size_t wholePages(const std::vector<unsigned char>& bytes) {
  constexpr std::size_t HEADER = 27, CRC_AT = 22;
  std::size_t at = 0;
  while (bytes.size() - at >= HEADER) {
    if (!startsWith(bytes, at, "OggS") || bytes[at + 4] != 0) {
      return 0;
    }
    const std::size_t segments = bytes[at + 26];
    if (bytes.size() - at < HEADER + segments) {
      break;
    }
    std::size_t length = HEADER + segments;
    for (std::size_t i = 0; i < segments; i++) {
      length += bytes[at + HEADER + i];
    }
    if (bytes.size() - at < length) {
      break;
    }
    std::vector<unsigned char> page(bytes.begin() + long(at), bytes.begin() + long(at + length));
    std::fill(page.begin() + CRC_AT, page.begin() + CRC_AT + 4, 0);
    if (oggCrc(page.data(), page.size()) != little32(bytes.data() + at + CRC_AT)) {
      return 0;
    }
    at += length;
  }
  return at;
}

bool decodeVorbis(const std::vector<unsigned char>& bytes, std::vector<std::int16_t>& out,
                  unsigned& channels, unsigned& rate) {
  const std::size_t length = wholePages(bytes);
  if (length == 0 || length > std::size_t(INT32_MAX)) {
    return false;
  }
  int channel_count = 0, frames_per_second = 0;
  short* p_decoded = nullptr;
  const int frames = stb_vorbis_decode_memory(bytes.data(), int(length), &channel_count,
                                              &frames_per_second, &p_decoded);
  const bool good = frames > 0 && p_decoded && (channel_count == 1 || channel_count == 2) &&
                    frames_per_second > 0 && unsigned(frames_per_second) <= MAX_SAMPLE_RATE;
  if (good) {
    out.assign(p_decoded, p_decoded + std::size_t(frames) * std::size_t(channel_count));
    channels = unsigned(channel_count);
    rate = unsigned(frames_per_second);
  }
  std::free(p_decoded);
  return good;
}

} // namespace

bool AudioFile::read(const std::string& filename) {
  std::ifstream in(filename, std::ios::binary);
  if (!in) {
    return false;
  }
  const std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)),
                                         std::istreambuf_iterator<char>());
  return !in.bad() && decode(bytes);
}

bool AudioFile::decode(const std::vector<unsigned char>& bytes) {
  std::vector<std::int16_t> new_samples;
  unsigned channels = 0, rate = 0;
  const bool good = startsWith(bytes, 0, "OggS") ? decodeVorbis(bytes, new_samples, channels, rate)
                                                 : decodeWav(bytes, new_samples, channels, rate);
  if (!good) {
    return false;
  }
  samples = std::move(new_samples);
  channel_count = channels;
  sample_rate = rate;
  return true;
}

} // namespace tw
