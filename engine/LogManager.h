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
  /// The one log manager, made on first use.
  static LogManager& getInstance();
  ~LogManager() override;

  /// Opens the configured log file afresh; -1 (logged) when it cannot or is already started.
  int startUp() override;
  /// Closes the log file; later lines go to the standard error stream.
  void shutDown() override;

  /// Always written. Returns -1 on a write error, else the message's length.
  int writeLog(const char* fmt, ...) const __attribute__((format(printf, 2, 3)));
  /// Written only when the log level is at least level.
  int writeLog(int level, const char* fmt, ...) const __attribute__((format(printf, 3, 4)));

  /// Flushes every line as it is written (true), or leaves it buffered.
  void setFlush(bool new_do_flush) { do_flush = new_do_flush; }
  /// Lines with a level above this are not written; 0 writes only unlevelled lines.
  void setLogLevel(int new_log_level) { log_level = new_log_level; }
  /// Highest level of the lines written.
  int getLogLevel() const { return log_level; }
  /// Starts every line with the time of day, or not.
  void setLogTimeString(bool on) { log_time_string = on; }
  /// Starts every line with the frame number, or not.
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
