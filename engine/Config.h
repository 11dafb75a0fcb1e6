#pragma once

#include <string>

namespace tw {

/// Every engine setting, with its default; filled once from "tw-config.txt" at start-up.
class Config {
public:
  /// The one configuration, made on first use.
  static Config& getInstance();
  Config(const Config&) = delete;
  Config& operator=(const Config&) = delete;

  /// Title of the window ("Tarnwick").
  std::string getWindowTitle() const { return window_title; }
  /// Sets the title of the window.
  void setWindowTitle(std::string title) { window_title = std::move(title); }
  /// TrueType font the cells are drawn with ("tw-font.ttf").
  std::string getFontFile() const { return font_file; }
  /// Sets the font file.
  void setFontFile(std::string file) { font_file = std::move(file); }
  /// Log file, rewritten at every start ("tarnwick.log").
  std::string getLogFile() const { return logfile; }
  /// Sets the log file.
  void setLogFile(std::string file) { logfile = std::move(file); }
  /// File the session's input is recorded to; empty: none.
  std::string getRecordFile() const { return record_file; }
  /// Sets the file to record the session to; empty: none.
  void setRecordFile(std::string file) { record_file = std::move(file); }
  /// Recording the session's input is replayed from; empty: none.
  std::string getReplayFile() const { return replay_file; }
  /// Sets the recording to replay; empty: none.
  void setReplayFile(std::string file) { replay_file = std::move(file); }

  /// Puts every setting back to its default (for tests and repeated start-ups).
  void reset();

  int window_horizontal_pixels = 1024; ///< width of the window in pixels
  int window_vertical_pixels = 768;    ///< height of the window in pixels
  int window_horizontal_chars = 80;    ///< columns of cells
  int window_vertical_chars = 24;      ///< rows of cells
  int window_style = 5;                ///< 5: titled window with a close button; 8: full screen
  int window_background_color = 0;     ///< a Color, BLACK to WHITE
  int frame_time = 33;                 ///< milliseconds a frame; 0 runs unpaced
  float font_scale = 2.0f;             ///< glyph size over the smaller side of a cell
  bool show_mouse = false;             ///< whether the pointer shows over the window
  bool headless = false;               ///< no window and no input
  bool damage_tracking = true;         ///< redraw and show only what changed between frames
  int random_seed = 0;                 ///< seed of tw::randomNumber(); 0 takes the time

private:
  Config() = default;

  std::string window_title = "Tarnwick";
  std::string font_file = "tw-font.ttf";
  std::string logfile = "tarnwick.log";
  std::string record_file;
  std::string replay_file;
};

/// The setting lines of "tw-config.txt" in the working directory, joined; empty, with a log
/// line, if it cannot be opened.
std::string readConfig();
/// The same for another file name.
std::string readConfig(const std::string& filename);
/// Parses the joined key:value text into the configuration. Each unknown key, repeated key,
/// setting without a value or running into the next one (a missing comma), and value that
/// cannot be read or is out of range gets a warning that quotes it, and changes nothing.
void loadConfig(std::string text);
/// Writes every setting to the log at level 1.
void writeToLog();

} // namespace tw
