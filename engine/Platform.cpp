#include "Platform.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#include <ctime>
#ifdef __GLIBC__
#include <malloc.h>
#endif
#endif

namespace tw {
namespace platform {

#ifdef _WIN32

int beginTimerResolution() {
  return timeBeginPeriod(1) == TIMERR_NOCANDO ? TIMER_NOCANDO : 0;
}

int endTimerResolution() {
  return timeEndPeriod(1) == TIMERR_NOCANDO ? TIMER_NOCANDO : 0;
}

std::int64_t monotonicMicros() {
  static LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return now.QuadPart / frequency.QuadPart * 1000000 +
         now.QuadPart % frequency.QuadPart * 1000000 / frequency.QuadPart;
}

void sleepMillis(int ms) {
  if (ms > 0) {
    Sleep(static_cast<DWORD>(ms));
  }
}

void waitMicros(int us) {
  HANDLE timer = CreateWaitableTimerW(nullptr, TRUE, nullptr);
  if (!timer) {
    Sleep(1);
    return;
  }
  LARGE_INTEGER due;
  due.QuadPart = -10LL * us; // relative, in units of 100 ns
  SetWaitableTimer(timer, &due, 0, nullptr, nullptr, FALSE);
  WaitForSingleObject(timer, INFINITE);
  CloseHandle(timer);
}

void keepFreedMemory() {}

#else

// Linux timers already have sub-millisecond resolution: nothing to ask for.
int beginTimerResolution() {
  return 0;
}

int endTimerResolution() {
  return 0;
}

std::int64_t monotonicMicros() {
  timespec ts{};
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return static_cast<std::int64_t>(ts.tv_sec) * 1000000 + ts.tv_nsec / 1000;
}

namespace {
void sleepFor(std::int64_t us) {
  timespec request{};
  request.tv_sec = static_cast<time_t>(us / 1000000);
  request.tv_nsec = static_cast<long>(us % 1000000) * 1000;
  timespec remaining{};
  while (nanosleep(&request, &remaining) != 0 && errno == EINTR) {
    request = remaining;
  }
}
} // namespace

void sleepMillis(int ms) {
  if (ms > 0) {
    sleepFor(static_cast<std::int64_t>(ms) * 1000);
  }
}

void waitMicros(int us) {
  if (us > 0) {
    sleepFor(us);
  }
}

void keepFreedMemory() {
#ifdef __GLIBC__
  // Blocks up to this size come from the heap, not from mappings of their own, and freed
  // memory is returned to the system only beyond it.
  constexpr int KEEP_BYTES = 64 * 1024 * 1024;
  mallopt(M_MMAP_THRESHOLD, KEEP_BYTES);
  mallopt(M_TRIM_THRESHOLD, KEEP_BYTES);
#endif
}

#endif

} // namespace platform
} // namespace tw
