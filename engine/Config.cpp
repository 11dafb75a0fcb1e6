#include "Config.h"

#include "LogManager.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstdio>
#include <fstream>
#include <vector>

namespace tw {

namespace {

// Window sizes outside these ranges cannot make a window or would divide by zero later.
constexpr int MAX_PIXELS = 16384;
constexpr int MAX_CHARS = 1000;
constexpr float MAX_FONT_SCALE = 100.0f;
// The keys of the settings.
const char* const KEYS[] = {"frame_time",
                            "font_scale",
                            "window_horizontal_pixels",
                            "window_vertical_pixels",
                            "window_horizontal_chars",
                            "window_vertical_chars",
                            "window_background_color",
                            "window_style",
                            "window_title",
                            "show_mouse",
                            "headless",
                            "damage_tracking",
                            "font_file",
                            "logfile",
                            "random_seed",
                            "record_file",
                            "replay_file"};
// Faults listed by one loadConfig; a file of garbage says how many more there are.
constexpr int MAX_WARNINGS = 10;

bool isSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// The pieces of text between separators, each without the white space around it; a piece
// that is only white space is none (so a value reads as match reads it).
std::vector<std::string> pieces(const std::string& text, char sep) {
  std::vector<std::string> out;
  for (std::size_t pos = 0; pos <= text.size();) {
    std::size_t end = text.find(sep, pos);
    end = end == std::string::npos ? text.size() : end;
    std::size_t first = pos;
    std::size_t last = end;
    while (first < last && isSpace(text[first])) {
      first++;
    }
    while (last > first && isSpace(text[last - 1])) {
      last--;
    }
    if (last > first) {
      out.push_back(text.substr(first, last - first));
    }
    pos = end + 1;
  }
  return out;
}

std::string toText(float f) {
  char text[32];
  std::snprintf(text, sizeof text, "%g", static_cast<double>(f));
  return text;
}

std::string withoutSpaces(std::string text) {
  text.erase(std::remove_if(text.begin(), text.end(), isSpace), text.end());
  return text;
}

// Text as written, for a log line: bytes that are not printable as \xNN, and cut short.
std::string shown(const std::string& text) {
  std::string out;
  for (unsigned char c : text.substr(0, 60)) {
    char hex[8];
    std::snprintf(hex, sizeof hex, "\\x%02x", c);
    out += c >= 0x20 && c < 0x7f ? std::string(1, static_cast<char>(c)) : hex;
  }
  return text.size() > 60 ? out + "..." : out;
}

// Reads one configuration: each fault gets one line, the first MAX_WARNINGS of them.
class Reader {
public:
  void finish() const {
    if (warnings > MAX_WARNINGS) {
      log.writeLog("loadConfig(): Warning! %d more faults in the configuration not listed.",
                   warnings - MAX_WARNINGS);
    }
  }
  void warn(const char* fmt, const std::string& a, const std::string& b = "",
            const std::string& c = "") {
    if (++warnings <= MAX_WARNINGS) {
      log.writeLog(fmt, shown(a).c_str(), shown(b).c_str(), shown(c).c_str());
    }
  }
  // A whole decimal number in [low, high], else a warning and field kept.
  void number(const std::string& key, const std::string& value, const std::string& raw, int low,
              int high, int& field) {
    char* p_end = nullptr;
    errno = 0;
    const long read = std::strtol(value.c_str(), &p_end, 10);
    if (*p_end != '\0' || p_end == value.c_str()) {
      warn("loadConfig(): Warning! %s '%s' is not a whole number, keeping %s.", key, raw,
           std::to_string(field));
    } else if (errno == ERANGE || read < low || read > high) {
      warn("loadConfig(): Warning! %s '%s' not in %s.", key, raw,
           "[" + std::to_string(low) + "," + std::to_string(high) + "], keeping " +
               std::to_string(field));
    } else {
      field = static_cast<int>(read);
    }
  }
  void flag(const std::string& key, const std::string& value, const std::string& raw, bool& field) {
    if (value == "true" || value == "false") {
      field = value == "true";
    } else {
      warn("loadConfig(): Warning! %s '%s' is neither true nor false, keeping %s.", key, raw,
           field ? "true" : "false");
    }
  }
  int warnings = 0;
  const LogManager& log = LogManager::getInstance();
};

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
        "readConfig(): Cannot open Tarnwick configuration file '%s'.", filename.c_str());
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
  if (file.bad()) { // a folder of that name, for one
    LogManager::getInstance().writeLog(
        "readConfig(): Cannot read Tarnwick configuration file '%s'.", filename.c_str());
    return "";
  }
  return result;
}

void loadConfig(std::string text) {
  Config& config = Config::getInstance();
  Reader reader;
  std::vector<std::string> seen;
  for (const std::string& item : pieces(text, ',')) {
    const std::vector<std::string> parts = pieces(item, ':');
    if (parts.empty()) {
      reader.warn("loadConfig(): Warning! '%s' is not a setting, ignored.", item);
      continue;
    }
    const std::string key = withoutSpaces(parts[0]);
    const std::string value = parts.size() > 1 ? withoutSpaces(parts[1]) : "";
    const std::string raw = parts.size() > 1 ? parts[1] : "";
    const bool is_key = std::find(std::begin(KEYS), std::end(KEYS), key) != std::end(KEYS);
    const bool again = std::find(seen.begin(), seen.end(), key) != seen.end();
    if (is_key && !again) {
      seen.push_back(key);
    }
    if (!is_key && key[0] == '#') {
      reader.warn("loadConfig(): Warning! '%s' is not a comment (its # does not start the line), "
                  "ignored.",
                  item);
    } else if (!is_key && parts.size() == 1) {
      reader.warn("loadConfig(): Warning! Unknown key '%s', ignored.", item);
    } else if (!is_key) {
      reader.warn("loadConfig(): Warning! Unknown key '%s' in '%s', ignored.", parts[0], item);
    } else if (parts.size() > 2) {
      reader.warn("loadConfig(): Warning! %s in '%s' runs into another setting (is a comma "
                  "missing?), ignored.",
                  key, item);
    } else if (again) {
      reader.warn("loadConfig(): Warning! %s given again in '%s', ignored: the first counts.", key,
                  item);
    } else if (value.empty()) {
      reader.warn("loadConfig(): Warning! %s has no value in '%s', ignored.", key, item);
    } else if (key == "frame_time") {
      reader.number(key, value, raw, INT_MIN, INT_MAX, config.frame_time);
    } else if (key == "random_seed") {
      reader.number(key, value, raw, INT_MIN, INT_MAX, config.random_seed);
    } else if (key == "window_horizontal_pixels") {
      reader.number(key, value, raw, 1, MAX_PIXELS, config.window_horizontal_pixels);
    } else if (key == "window_vertical_pixels") {
      reader.number(key, value, raw, 1, MAX_PIXELS, config.window_vertical_pixels);
    } else if (key == "window_horizontal_chars") {
      reader.number(key, value, raw, 1, MAX_CHARS, config.window_horizontal_chars);
    } else if (key == "window_vertical_chars") {
      reader.number(key, value, raw, 1, MAX_CHARS, config.window_vertical_chars);
    } else if (key == "font_scale") {
      char* p_end = nullptr;
      const float scale = std::strtof(value.c_str(), &p_end);
      if (*p_end != '\0') {
        reader.warn("loadConfig(): Warning! font_scale '%s' is not a number, keeping %s.", raw,
                    toText(config.font_scale));
      } else if (!std::isfinite(scale) || scale <= 0.0f || scale > MAX_FONT_SCALE) {
        reader.warn("loadConfig(): Warning! font_scale '%s' not in (0,%s], keeping %s.", raw,
                    toText(MAX_FONT_SCALE), toText(config.font_scale));
      } else {
        config.font_scale = scale;
      }
    } else if (key == "window_background_color") {
      const int color = colorFromName(value);
      if (color < 0) {
        reader.warn("loadConfig(): Unsupported window color '%s'", raw);
      } else {
        config.window_background_color = color;
      }
    } else if (key == "window_style") {
      if (value == "fullscreen" || value == "default") {
        config.window_style = value == "fullscreen" ? 8 : 5;
      } else {
        reader.warn("loadConfig(): Unsupported window style '%s'", raw);
      }
    } else if (key == "show_mouse") {
      reader.flag(key, value, raw, config.show_mouse);
    } else if (key == "headless") {
      reader.flag(key, value, raw, config.headless);
    } else if (key == "damage_tracking") {
      reader.flag(key, value, raw, config.damage_tracking);
    } else if (key == "window_title") {
      config.setWindowTitle(value);
    } else if (key == "font_file") {
      config.setFontFile(value);
    } else if (key == "logfile") {
      config.setLogFile(value);
    } else if (key == "record_file") {
      config.setRecordFile(value);
    } else {
      config.setReplayFile(value);
    }
  }
  reader.finish();
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
