#include "LogManager.h"

#include "Config.h"
#include "GameManager.h"

#include <ctime>

namespace tw {

const char* getTimeString() {
  static char time_str[sizeof("(time error)")];
  std::time_t now = std::time(nullptr);
  std::tm local{};
  if (now == static_cast<std::time_t>(-1) || !localtime_r(&now, &local)) {
    std::snprintf(time_str, sizeof(time_str), "(time error)");
  } else {
    std::snprintf(time_str, sizeof(time_str), "%02d:%02d:%02d", local.tm_hour % 100,
                  local.tm_min % 100, local.tm_sec % 100);
  }
  return time_str;
}

LogManager::LogManager() {
  setType("LogManager");
}

LogManager::~LogManager() {
  if (p_file) {
    std::fclose(p_file);
    p_file = nullptr;
  }
}

LogManager& LogManager::getInstance() {
  static LogManager log_manager;
  return log_manager;
}

int LogManager::startUp() {
  if (isStarted()) {
    writeLog("LogManager::startup(): Warning! LogManager already started.");
    return -1;
  }
  const std::string name = Config::getInstance().getLogFile();
  p_file = std::fopen(name.c_str(), "w");
  if (!p_file) {
    writeLog("LogManager::startup(): Warning! Unable to open file '%s'.\n", name.c_str());
    return -1;
  }
  Manager::startUp();
  writeLog(1, "LogManager::startUp(): successfully started.");
  return 0;
}

void LogManager::shutDown() {
  Manager::shutDown();
  writeLog(1, "LogManager::shutDown(): successfully stopped.");
  if (p_file) {
    std::fclose(p_file);
    p_file = nullptr;
  }
}

int LogManager::writeLine(const char* fmt, va_list args) const {
  FILE* p_out = p_file ? p_file : stderr;
  bool failed = false;
  if (log_time_string && std::fprintf(p_out, "%s ", getTimeString()) < 0) {
    failed = true;
  }
  if (log_step_count &&
      std::fprintf(p_out, "%4d ", GameManager::getInstance().getStepCount()) < 0) {
    failed = true;
  }
  const int written = std::vfprintf(p_out, fmt, args);
  if (written < 0) {
    failed = true;
  }
  if (std::fputc('\n', p_out) == EOF) {
    failed = true;
  }
  if (do_flush) {
    std::fflush(p_out);
  }
  return failed ? -1 : written;
}

int LogManager::writeLog(const char* fmt, ...) const {
  va_list args;
  va_start(args, fmt);
  const int result = writeLine(fmt, args);
  va_end(args);
  return result;
}

int LogManager::writeLog(int level, const char* fmt, ...) const {
  if (log_level < level) {
    return 0;
  }
  va_list args;
  va_start(args, fmt);
  const int result = writeLine(fmt, args);
  va_end(args);
  return result;
}

} // namespace tw
