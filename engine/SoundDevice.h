#pragma once

namespace tw {

/// Whether the platform's audio has a device to play on. The first call looks for it and logs
/// one warning when there is none; sounds and music then load (their files still read) and
/// play silently.
class SoundDevice {
public:
  /// True when sounds and music can be heard; the device is looked for once a process.
  static bool available();
};

} // namespace tw
