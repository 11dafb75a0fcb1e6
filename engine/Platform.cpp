#include "Platform.h"

#include <csignal>
#include <cstdio>
#include <fcntl.h>

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <cerrno>
#include <unistd.h>
#include <ctime>
#ifdef __GLIBC__
#include <malloc.h>
#endif
#endif

namespace tw {
namespace platform {

namespace {
const int INTERRUPTS[] = {SIGINT, SIGTERM};
bool caught[2] = {false, false};
} // namespace

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

bool localTime(std::time_t t, std::tm* p_out) {
  return localtime_s(p_out, &t) == 0;
}

// The C runtime's signals: SIGINT from the console's Ctrl-C, SIGTERM from raise. A handler is
// reset to the default before it runs, so a second signal ends the program.
namespace {
void (*previous_handlers[2])(int) = {nullptr, nullptr};
} // namespace

void catchInterrupts(void (*on_signal)(int)) {
  for (int i = 0; i < 2; i++) {
    if (!caught[i]) {
      void (*previous)(int) = std::signal(INTERRUPTS[i], on_signal);
      if (previous == SIG_IGN) {
        std::signal(INTERRUPTS[i], SIG_IGN);
      } else if (previous != SIG_ERR) {
        previous_handlers[i] = previous, caught[i] = true;
      }
    }
  }
}

void releaseInterrupts() {
  for (int i = 0; i < 2; i++) {
    if (caught[i]) {
      std::signal(INTERRUPTS[i], previous_handlers[i]), caught[i] = false;
    }
  }
}

void passOnInterrupt(int signal_number) {
  for (int i = 0; i < 2; i++) {
    if (INTERRUPTS[i] == signal_number) {
      std::signal(signal_number, previous_handlers[i]);
    }
  }
  std::raise(signal_number);
}

void keepFreedMemory() {}

int quietStandardError() {
  std::fflush(stderr);
  const int null_fd = _open("NUL", _O_WRONLY);
  const int saved = _dup(2);
  if (null_fd >= 0 && saved >= 0) {
    _dup2(null_fd, 2);
  }
  if (null_fd >= 0) {
    _close(null_fd);
  }
  return saved;
}

void restoreStandardError(int saved) {
  std::fflush(stderr);
  if (saved >= 0) {
    _dup2(saved, 2);
    _close(saved);
  }
}

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

bool localTime(std::time_t t, std::tm* p_out) {
  return localtime_r(&t, p_out) != nullptr;
}

namespace {
struct sigaction previous_actions[2];
} // namespace

void catchInterrupts(void (*on_signal)(int)) {
  for (int i = 0; i < 2; i++) {
    struct sigaction action {};
    action.sa_handler = on_signal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    if (!caught[i] && sigaction(INTERRUPTS[i], nullptr, &previous_actions[i]) == 0 &&
        previous_actions[i].sa_handler != SIG_IGN) {
      caught[i] = sigaction(INTERRUPTS[i], &action, nullptr) == 0;
    }
  }
}

void releaseInterrupts() {
  for (int i = 0; i < 2; i++) {
    if (caught[i]) {
      sigaction(INTERRUPTS[i], &previous_actions[i], nullptr);
      caught[i] = false;
    }
  }
}

void passOnInterrupt(int signal_number) {
  for (int i = 0; i < 2; i++) {
    if (INTERRUPTS[i] == signal_number) {
      sigaction(signal_number, &previous_actions[i], nullptr);
    }
  }
  std::raise(signal_number);
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

int quietStandardError() {
  std::fflush(stderr);
  const int null_fd = open("/dev/null", O_WRONLY);
  const int saved = dup(2);
  if (null_fd >= 0 && saved >= 0) {
    dup2(null_fd, 2);
  }
  if (null_fd >= 0) {
    close(null_fd);
  }
  return saved;
}

void restoreStandardError(int saved) {
  std::fflush(stderr);
  if (saved >= 0) {
    dup2(saved, 2);
    close(saved);
  }
}

#endif

} // namespace platform
} // namespace tw
