#pragma once

#include "Attributes.h"
#include "Manager.h"

#include <cstdarg>
#include <cstdio>
#include <string>
#include <vector>

namespace tw {

/// The current local time of day as "hh:mm:ss" in a static buffer, or "(time error)".
const char* getTimeString();

/// A pointer for the log, written the same on every system: "0x55d0c8a2f2b0", or "(nil)".
class PointerText {
public:
  /// Writes p's text.
  explicit PointerText(const void* p);
  /// The text, valid while this object lives (a temporary lives to the end of the statement).
  const char* c_str() const { return text; }

private:
  char text[24];
};

/// Writes the log: one line per call, prefixed with the time and the frame number, each line
/// put into the file as it is written (unless setFlush(false)). Before start-up and after
/// shut-down, lines go to the standard error stream; those written before the log first opens
/// (the configuration's warnings among them) are also kept and start the file when it opens.
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
  int writeLog(const char* fmt, ...) const TW_PRINTF_FORMAT(2, 3);
  /// Written only when the log level is at least level.
  int writeLog(int level, const char* fmt, ...) const TW_PRINTF_FORMAT(3, 4);

  /// Flushes every line as it is written (true, the default), or leaves it buffered until
  /// flush(), which the game loop calls after every frame.
  void setFlush(bool new_do_flush) { do_flush = new_do_flush; }
  /// Puts the lines written so far into the file.
  void flush() const;
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

  bool do_flush = true;
  FILE* p_file = nullptr;
  bool opened = false;                    ///< true once the file has been opened
  mutable std::vector<std::string> early; ///< lines written before, for the file
  int log_level = 0;
  bool log_time_string = true;
  bool log_step_count = true;
};

} // namespace tw
