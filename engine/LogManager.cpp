#include "LogManager.h"

#include "Config.h"
#include "GameManager.h"
#include "Platform.h"

#include <cstdint>
#include <ctime>

namespace tw {

namespace {
// Lines kept for the file before it opens: enough for any start-up, bounded for a program
// that never opens its log.
constexpr std::size_t MAX_EARLY_LINES = 1000;
} // namespace

const char* getTimeString() {
  static char time_str[sizeof("(time error)")];
  std::time_t now = std::time(nullptr);
  std::tm local{};
  if (now == static_cast<std::time_t>(-1) || !platform::localTime(now, &local)) {
    std::snprintf(time_str, sizeof(time_str), "(time error)");
  } else {
    std::snprintf(time_str, sizeof(time_str), "%02d:%02d:%02d", local.tm_hour % 100,
                  local.tm_min % 100, local.tm_sec % 100);
  }
  return time_str;
}

PointerText::PointerText(const void* p) {
  const auto value = static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(p));
  std::snprintf(text, sizeof text, p ? "0x%llx" : "(nil)", value);
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
  p_file = std::fopen(name.c_str(), "wb");
  if (!p_file) {
    writeLog("LogManager::startup(): Warning! Unable to open file '%s'.\n", name.c_str());
    return -1;
  }
  // What was written before the file first opened (the configuration's warnings) starts it.
  for (const std::string& line : early) {
    std::fwrite(line.data(), 1, line.size(), p_file);
  }
  early.clear(), early.shrink_to_fit();
  opened = true;
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

void LogManager::flush() const {
  if (p_file) {
    std::fflush(p_file);
  }
}

int LogManager::writeLine(const char* fmt, va_list args) const {
  // The whole line is made first, then written at once.
  char prefix[64] = "";
  int length = 0;
  if (log_time_string) {
    length = std::snprintf(prefix, sizeof prefix, "%s ", getTimeString());
  }
  if (log_step_count) {
    std::snprintf(prefix + length, sizeof prefix - static_cast<std::size_t>(length), "%4d ",
                  GameManager::getInstance().getStepCount());
  }
  std::string line = prefix;
  const std::size_t start = line.size();
  char text[256];
  va_list again;
  va_copy(again, args);
  const int written = std::vsnprintf(text, sizeof text, fmt, args);
  if (written >= static_cast<int>(sizeof text)) {
    line.resize(start + static_cast<std::size_t>(written) + 1);
    std::vsnprintf(&line[start], static_cast<std::size_t>(written) + 1, fmt, again);
    line.resize(start + static_cast<std::size_t>(written));
  } else if (written >= 0) {
    line.append(text, static_cast<std::size_t>(written));
  }
  va_end(again);
  line += '\n';

  FILE* p_out = p_file ? p_file : stderr;
  const bool failed = written < 0 || std::fwrite(line.data(), 1, line.size(), p_out) != line.size();
  if (!p_file && !opened && early.size() < MAX_EARLY_LINES) {
    early.push_back(line);
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
