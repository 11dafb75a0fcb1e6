#pragma once

#include <string>

namespace tw {

/// Every engine setting, with its default; filled once from "tw-config.txt" at start-up.
class Config {
public:
  static Config& getInstance();
  Config(const Config&) = delete;
  Config& operator=(const Config&) = delete;

  std::string getWindowTitle() const { return window_title; }
  void setWindowTitle(std::string title) { window_title = std::move(title); }
  std::string getFontFile() const { return font_file; }
  void setFontFile(std::string file) { font_file = std::move(file); }
  std::string getLogFile() const { return logfile; }
  void setLogFile(std::string file) { logfile = std::move(file); }
  /// File the session's input is recorded to; empty: none.
  std::string getRecordFile() const { return record_file; }
  void setRecordFile(std::string file) { record_file = std::move(file); }
  /// Recording the session's input is replayed from; empty: none.
  std::string getReplayFile() const { return replay_file; }
  void setReplayFile(std::string file) { replay_file = std::move(file); }

  /// Puts every setting back to its default (for tests and repeated start-ups).
  void reset();

  int window_horizontal_pixels = 1024;
  int window_vertical_pixels = 768;
  int window_horizontal_chars = 80;
  int window_vertical_chars = 24;
  int window_style = 5;
  int window_background_color = 0;
  int frame_time = 33;
  float font_scale = 2.0f;
  bool show_mouse = false;
  bool headless = false;
  /// Redraw and show only what changed from one frame to the next.
  bool damage_tracking = true;
  int random_seed = 0;

private:
  Config() = default;

  std::string window_title = "Tarnwick";
  std::string font_file = "tw-font.ttf";
  std::string logfile = "tarnwick.log";
  std::string record_file;
  std::string replay_file;
};

/// The setting lines of "tw-config.txt" in the working directory, joined; empty if unreadable.
std::string readConfig();
/// The same for another file name.
std::string readConfig(const std::string& filename);
/// Parses the joined key:value text into the configuration.
void loadConfig(std::string text);
/// Writes every setting to the log at level 1.
void writeToLog();

} // namespace tw
