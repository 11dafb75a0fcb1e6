#pragma once

#include "Manager.h"

#include <cstdarg>
#include <cstdio>

namespace tw {

/// The current local time of day as "hh:mm:ss" in a static buffer, or "(time error)".
const char* getTimeString();

/// Writes the log: one line per call, prefixed with the time and the frame number. Before
/// start-up and after shut-down, lines go to the standard error stream.
class LogManager : public Manager {
public:
  static LogManager& getInstance();
  ~LogManager() override;

  int startUp() override;
  void shutDown() override;

  /// Always written. Returns -1 on a write error, else the message's length.
  int writeLog(const char* fmt, ...) const __attribute__((format(printf, 2, 3)));
  /// Written only when the log level is at least level.
  int writeLog(int level, const char* fmt, ...) const __attribute__((format(printf, 3, 4)));

  void setFlush(bool new_do_flush) { do_flush = new_do_flush; }
  void setLogLevel(int new_log_level) { log_level = new_log_level; }
  int getLogLevel() const { return log_level; }
  void setLogTimeString(bool on) { log_time_string = on; }
  void setLogStepCount(bool on) { log_step_count = on; }

private:
  LogManager();
  int writeLine(const char* fmt, va_list args) const;

  bool do_flush = false;
  FILE* p_file = nullptr;
  int log_level = 0;
  bool log_time_string = true;
  bool log_step_count = true;
};

} // namespace tw
