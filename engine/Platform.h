#pragma once

#include <cstdint>
#include <ctime>

namespace tw {

/// Thin wrappers over the operating system's timing, time and memory calls.
namespace platform {

/// Answer of the timer-resolution calls when the system cannot give the resolution asked for.
constexpr int TIMER_NOCANDO = 97;

/// Asks for a 1 ms system timer resolution; 0 on success or TIMER_NOCANDO.
int beginTimerResolution();
/// Releases the resolution asked for by beginTimerResolution; 0 or TIMER_NOCANDO.
int endTimerResolution();
/// Microseconds from a monotonic clock with an arbitrary origin.
std::int64_t monotonicMicros();
/// Sleeps about ms milliseconds; nothing for ms <= 0.
void sleepMillis(int ms);
/// The local calendar time of t into *p_out, thread-safely; false when it cannot be had.
bool localTime(std::time_t t, std::tm* p_out);
/// Has SIGINT and SIGTERM call on_signal, but for one that the program was started to ignore
/// (nohup, or a job in the background); the handlers before are kept for releaseInterrupts.
void catchInterrupts(void (*on_signal)(int signal_number));
/// Puts back the handlers that catchInterrupts replaced.
void releaseInterrupts();
/// From on_signal: hands signal_number to the handler before catchInterrupts and raises it.
void passOnInterrupt(int signal_number);
/// Makes freed memory stay with the process for reuse instead of going back to the system.
/// A software OpenGL renderer allocates and frees megabytes of working memory every frame;
/// handed back each time, its pages fault in again on the next frame.
void keepFreedMemory();
/// Points the standard error descriptor at the null device; returns the descriptor that
/// restoreStandardError needs to put it back, or -1 when it could not be kept.
int quietStandardError();
/// Puts back the standard error that quietStandardError silenced; nothing for -1.
void restoreStandardError(int saved);

} // namespace platform
} // namespace tw
