#include "Clock.h"

#include "Platform.h"

namespace tw {

Clock::~Clock() = default;

std::int64_t Clock::now() {
  return platform::monotonicMicros();
}

void Clock::sleep(int ms) {
  platform::sleepMillis(ms);
}

} // namespace tw
