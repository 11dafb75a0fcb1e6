#include "Config.h"

#include "LogManager.h"
#include "utility.h"

#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <fstream>

namespace tw {

namespace {

// Window sizes outside these ranges cannot make a window or would divide by zero later.
constexpr int MAX_PIXELS = 16384;
constexpr int MAX_CHARS = 1000;
constexpr float MAX_FONT_SCALE = 100.0f;

// atoi's reading (leading digits with an optional sign, 0 without digits), but saturating
// instead of overflowing on absurdly long numbers.
int toInt(const std::string& text) {
  errno = 0;
  const long value = std::strtol(text.c_str(), nullptr, 10);
  if (value > INT_MAX) {
    return INT_MAX;
  }
  if (value < INT_MIN) {
    return INT_MIN;
  }
  return static_cast<int>(value);
}

void setSize(const std::string& text, const char* key, int limit, int& field) {
  const int value = toInt(text);
  if (value < 1 || value > limit) {
    LogManager::getInstance().writeLog("loadConfig(): Warning! %s %d not in [1,%d], keeping %d.",
                                       key, value, limit, field);
    return;
  }
  field = value;
}

int colorFromName(const std::string& name) {
  static const char* names[] = {"black", "red",     "green", "yellow",
                                "blue",  "magenta", "cyan",  "white"};
  for (int i = 0; i < 8; i++) {
    if (name == names[i]) {
      return i;
    }
  }
  return -1;
}

} // namespace

Config& Config::getInstance() {
  static Config config;
  return config;
}

void Config::reset() {
  window_horizontal_pixels = 1024;
  window_vertical_pixels = 768;
  window_horizontal_chars = 80;
  window_vertical_chars = 24;
  window_style = 5;
  window_background_color = 0;
  frame_time = 33;
  font_scale = 2.0f;
  show_mouse = false;
  headless = false;
  damage_tracking = true;
  random_seed = 0;
  window_title = "Tarnwick";
  font_file = "tw-font.ttf";
  logfile = "tarnwick.log";
  record_file.clear();
  replay_file.clear();
}

std::string readConfig() {
  return readConfig("tw-config.txt");
}

std::string readConfig(const std::string& filename) {
  std::ifstream file(filename, std::ios::binary);
  if (!file.is_open()) {
    LogManager::getInstance().writeLog(
        1, "readConfig(): Cannot open Tarnwick configuration file '%s'.", filename.c_str());
    return "";
  }
  std::string result;
  std::string line;
  while (std::getline(file, line)) {
    if (!line.empty() && line.back() == '\r') {
      line.pop_back();
    }
    if (!line.empty() && line[0] != '#') {
      result += line;
    }
  }
  return result;
}

void loadConfig(std::string text) {
  Config& config = Config::getInstance();
  const LogManager& log = LogManager::getInstance();
  match(std::move(text), "");

  std::string value = match("", "frame_time");
  if (!value.empty()) {
    config.frame_time = toInt(value);
  }
  value = match("", "font_scale");
  if (!value.empty()) {
    const float scale = static_cast<float>(std::atof(value.c_str()));
    if (std::isfinite(scale) && scale > 0.0f && scale <= MAX_FONT_SCALE) {
      config.font_scale = scale;
    } else {
      log.writeLog("loadConfig(): Warning! font_scale '%s' not in (0,%g], keeping %g.",
                   value.c_str(), static_cast<double>(MAX_FONT_SCALE),
                   static_cast<double>(config.font_scale));
    }
  }
  value = match("", "window_horizontal_pixels");
  if (!value.empty()) {
    setSize(value, "window_horizontal_pixels", MAX_PIXELS, config.window_horizontal_pixels);
  }
  value = match("", "window_vertical_pixels");
  if (!value.empty()) {
    setSize(value, "window_vertical_pixels", MAX_PIXELS, config.window_vertical_pixels);
  }
  value = match("", "window_horizontal_chars");
  if (!value.empty()) {
    setSize(value, "window_horizontal_chars", MAX_CHARS, config.window_horizontal_chars);
  }
  value = match("", "window_vertical_chars");
  if (!value.empty()) {
    setSize(value, "window_vertical_chars", MAX_CHARS, config.window_vertical_chars);
  }
  value = match("", "window_background_color");
  if (!value.empty()) {
    const int color = colorFromName(value);
    if (color < 0) {
      log.writeLog("loadConfig(): Unsupported window color '%s'", value.c_str());
    } else {
      config.window_background_color = color;
    }
  }
  value = match("", "window_style");
  if (!value.empty()) {
    if (value == "fullscreen") {
      config.window_style = 8;
    } else if (value == "default") {
      config.window_style = 5;
    } else {
      log.writeLog("loadConfig(): Unsupported window style '%s'", value.c_str());
    }
  }
  value = match("", "window_title");
  if (!value.empty()) {
    config.setWindowTitle(value);
  }
  value = match("", "show_mouse");
  if (!value.empty()) {
    config.show_mouse = value == "true";
  }
  value = match("", "headless");
  if (!value.empty()) {
    config.headless = value == "true";
  }
  value = match("", "damage_tracking");
  if (!value.empty()) {
    config.damage_tracking = value == "true";
  }
  value = match("", "font_file");
  if (!value.empty()) {
    config.setFontFile(value);
  }
  value = match("", "logfile");
  if (!value.empty()) {
    config.setLogFile(value);
  }
  value = match("", "random_seed");
  if (!value.empty()) {
    config.random_seed = toInt(value);
  }
  value = match("", "record_file");
  if (!value.empty()) {
    config.setRecordFile(value);
  }
  value = match("", "replay_file");
  if (!value.empty()) {
    config.setReplayFile(value);
  }
}

void writeToLog() {
  const Config& c = Config::getInstance();
  const LogManager& log = LogManager::getInstance();
  const char* dashes = "-----------------------------------";
  log.writeLog(1, "%s", dashes);
  log.writeLog(1, "Tarnwick configuration:");
  log.writeLog(1, "  Window horizontal pixels: %d", c.window_horizontal_pixels);
  log.writeLog(1, "  Window vertical pixels: %d", c.window_vertical_pixels);
  log.writeLog(1, "  Window horizontal characters: %d", c.window_horizontal_chars);
  log.writeLog(1, "  Window vertical characters: %d", c.window_vertical_chars);
  log.writeLog(1, "  Window background color: %d", c.window_background_color);
  log.writeLog(1, "  Frame time: %d", c.frame_time);
  log.writeLog(1, "  Window style: %s", c.window_style == 5 ? "default" : "fullscreen");
  log.writeLog(1, "  Window title: %s", c.getWindowTitle().c_str());
  log.writeLog(1, "  Show mouse: %s", c.show_mouse ? "true" : "false");
  log.writeLog(1, "  Headless: %s", c.headless ? "true" : "false");
  log.writeLog(1, "  Damage tracking: %s", c.damage_tracking ? "true" : "false");
  log.writeLog(1, "  Font file: %s", c.getFontFile().c_str());
  log.writeLog(1, "  Log file: %s", c.getLogFile().c_str());
  log.writeLog(1, "  Random seed: %d", c.random_seed);
  log.writeLog(1, "%s", dashes);
}

} // namespace tw
