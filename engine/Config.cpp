#include "Config.h"

#include "Color.h"
#include "LogManager.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstdio>
#include <fstream>
#include <variant>
#include <vector>

namespace tw {

namespace {

// Window sizes outside these ranges cannot make a window or would divide by zero later.
constexpr int MAX_PIXELS = 16384;
constexpr int MAX_CHARS = 1000;
constexpr float MAX_FONT_SCALE = 100.0f;
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
  // Stores the value read into the setting's field, or warns and keeps the field.
  void read(const Config::Setting& s, Config& config, const std::string& value,
            const std::string& raw) {
    std::visit([&](const auto& f) { store(s, f, config.*f.p_member, value, raw); }, s.field);
  }
  // A whole decimal number in [low, high], or a name the setting reads.
  void store(const Config::Setting& s, const Config::Field<int>& f, int& field,
             const std::string& value, const std::string& raw) {
    if (s.p_read) {
      if (const char* fmt = s.p_read(value, field)) {
        warn(fmt, raw);
      }
      return;
    }
    char* p_end = nullptr;
    errno = 0;
    const long read = std::strtol(value.c_str(), &p_end, 10);
    if (*p_end != '\0' || p_end == value.c_str()) {
      warn("loadConfig(): Warning! %s '%s' is not a whole number, keeping %s.", s.key, raw,
           std::to_string(field));
    } else if (errno == ERANGE || read < f.low || read > f.high) {
      warn("loadConfig(): Warning! %s '%s' not in %s.", s.key, raw,
           "[" + std::to_string(f.low) + "," + std::to_string(f.high) + "], keeping " +
               std::to_string(field));
    } else {
      field = static_cast<int>(read);
    }
  }
  // A number in (low, high].
  void store(const Config::Setting& s, const Config::Field<float>& f, float& field,
             const std::string& value, const std::string& raw) {
    char* p_end = nullptr;
    const float read = std::strtof(value.c_str(), &p_end);
    if (*p_end != '\0') {
      warn("loadConfig(): Warning! %s '%s' is not a number, keeping %s.", s.key, raw,
           toText(field));
    } else if (!std::isfinite(read) || read <= f.low || read > f.high) {
      warn("loadConfig(): Warning! %s '%s' not in %s.", s.key, raw,
           "(" + toText(f.low) + "," + toText(f.high) + "], keeping " + toText(field));
    } else {
      field = read;
    }
  }
  void store(const Config::Setting& s, const Config::Field<bool>&, bool& field,
             const std::string& value, const std::string& raw) {
    if (value == "true" || value == "false") {
      field = value == "true";
    } else {
      warn("loadConfig(): Warning! %s '%s' is neither true nor false, keeping %s.", s.key, raw,
           field ? "true" : "false");
    }
  }
  void store(const Config::Setting&, const Config::Field<std::string>&, std::string& field,
             const std::string& value, const std::string&) {
    field = value;
  }
  int warnings = 0;
  const LogManager& log = LogManager::getInstance();
};

const char* readColor(const std::string& text, int& color) {
  Color read = BLACK;
  if (!colorFromText(text, read)) {
    return "loadConfig(): Unsupported window color '%s'";
  }
  color = read;
  return nullptr;
}

const char* readStyle(const std::string& text, int& style) {
  if (text != "fullscreen" && text != "default") {
    return "loadConfig(): Unsupported window style '%s'";
  }
  style = text == "fullscreen" ? 8 : 5;
  return nullptr;
}

const char* showStyle(int style) {
  return style == 5 ? "default" : "fullscreen";
}

std::string valueText(const Config::Setting& s, int value) {
  return s.p_show ? s.p_show(value) : std::to_string(value);
}
std::string valueText(const Config::Setting&, float value) {
  return toText(value);
}
std::string valueText(const Config::Setting&, bool value) {
  return value ? "true" : "false";
}
std::string valueText(const Config::Setting&, const std::string& value) {
  return value;
}

const Config::Setting* settingOf(const std::string& key) {
  for (const Config::Setting& s : Config::settings()) {
    if (key == s.key) {
      return &s;
    }
  }
  return nullptr;
}

} // namespace

Config& Config::getInstance() {
  static Config config;
  return config;
}

const std::vector<Config::Setting>& Config::settings() {
  // The colour and the style are read by name; the style is also shown by name.
  static const std::vector<Setting> table = {
      {"window_horizontal_pixels", "Window horizontal pixels",
       Field<int>{&Config::window_horizontal_pixels, 1024, 1, MAX_PIXELS}},
      {"window_vertical_pixels", "Window vertical pixels",
       Field<int>{&Config::window_vertical_pixels, 768, 1, MAX_PIXELS}},
      {"window_horizontal_chars", "Window horizontal characters",
       Field<int>{&Config::window_horizontal_chars, 80, 1, MAX_CHARS}},
      {"window_vertical_chars", "Window vertical characters",
       Field<int>{&Config::window_vertical_chars, 24, 1, MAX_CHARS}},
      {"window_background_color", "Window background color",
       Field<int>{&Config::window_background_color, 0}, readColor},
      {"frame_time", "Frame time", Field<int>{&Config::frame_time, 33, INT_MIN, INT_MAX}},
      {"font_scale", "Font scale", Field<float>{&Config::font_scale, 2.0f, 0.0f, MAX_FONT_SCALE}},
      {"window_style", "Window style", Field<int>{&Config::window_style, 5}, readStyle, showStyle},
      {"window_title", "Window title", Field<std::string>{&Config::window_title, "Tarnwick"}},
      {"show_mouse", "Show mouse", Field<bool>{&Config::show_mouse, false}},
      {"headless", "Headless", Field<bool>{&Config::headless, false}},
      {"damage_tracking", "Damage tracking", Field<bool>{&Config::damage_tracking, true}},
      {"font_file", "Font file", Field<std::string>{&Config::font_file, "tw-font.ttf"}},
      {"logfile", "Log file", Field<std::string>{&Config::logfile, "tarnwick.log"}},
      {"record_file", "Record file", Field<std::string>{&Config::record_file, ""}},
      {"replay_file", "Replay file", Field<std::string>{&Config::replay_file, ""}},
      {"random_seed", "Random seed", Field<int>{&Config::random_seed, 0, INT_MIN, INT_MAX}},
  };
  return table;
}

Config::Config() {
  reset();
}

void Config::reset() {
  for (const Setting& s : settings()) {
    std::visit([this](const auto& f) { this->*f.p_member = f.initial; }, s.field);
  }
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
    const Config::Setting* p_setting = settingOf(key);
    const bool is_key = p_setting != nullptr;
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
    } else {
      reader.read(*p_setting, config, value, raw);
    }
  }
  reader.finish();
}

void writeToLog() {
  const Config& config = Config::getInstance();
  const LogManager& log = LogManager::getInstance();
  const char* dashes = "-----------------------------------";
  log.writeLog(1, "%s", dashes);
  log.writeLog(1, "Tarnwick configuration:");
  for (const Config::Setting& s : Config::settings()) {
    const std::string value =
        std::visit([&](const auto& f) { return valueText(s, config.*f.p_member); }, s.field);
    log.writeLog(1, "  %s: %s", s.label, value.c_str());
  }
  log.writeLog(1, "%s", dashes);
}

} // namespace tw
