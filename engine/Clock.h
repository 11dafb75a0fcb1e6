#pragma once

#include <cstdint>

namespace tw {

/// The game loop's source of time: a monotonic clock and a millisecond sleep. Tests put in
/// a clock of their own to drive the loop's timing.
class Clock {
public:
  virtual ~Clock();
  /// Microseconds since an arbitrary origin; never goes backwards.
  virtual std::int64_t now();
  /// Sleeps for ms milliseconds.
  virtual void sleep(int ms);
};

} // namespace tw
