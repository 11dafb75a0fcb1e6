#pragma once

#include <string>
#include <variant>
#include <vector>

namespace tw {

/// Every engine setting, with its default; filled once from "tw-config.txt" at start-up.
class Config {
public:
  /// Where a setting is kept, its default, and for a number the bounds a value read must keep
  /// to: [low, high] for an int, (low, high] for a float.
  template <class T> struct Field {
    T Config::*p_member; ///< the field
    T initial;           ///< its default
    T low{};             ///< lower bound of a number
    T high{};            ///< upper bound of a number
  };
  /// One key of tw-config.txt. The reader, reset(), writeToLog() and the Python module's
  /// config are all made from settings().
  struct Setting {
    const char* key;   ///< as written in the file
    const char* label; ///< its name in the log's list of settings
    /// Where it is kept; its type says how its text is read and shown.
    std::variant<Field<int>, Field<float>, Field<bool>, Field<std::string>> field;
    /// For an int read from names: stores the value of text in field, or leaves field alone and
    /// returns the warning, a format with %s for the text.
    const char* (*p_read)(const std::string& text, int& field) = nullptr;
    /// For an int shown by name: the name of a value.
    const char* (*p_show)(int value) = nullptr;
  };
  /// Every setting, in the order writeToLog() lists them.
  static const std::vector<Setting>& settings();

  /// The one configuration, made on first use.
  static Config& getInstance();
  Config(const Config&) = delete;
  Config& operator=(const Config&) = delete;

  /// Title of the window.
  std::string getWindowTitle() const { return window_title; }
  /// Sets the title of the window.
  void setWindowTitle(std::string title) { window_title = std::move(title); }
  /// TrueType font the cells are drawn with.
  std::string getFontFile() const { return font_file; }
  /// Sets the font file.
  void setFontFile(std::string file) { font_file = std::move(file); }
  /// Log file, rewritten at every start.
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

  // The defaults are in settings().
  int window_horizontal_pixels; ///< width of the window in pixels
  int window_vertical_pixels;   ///< height of the window in pixels
  int window_horizontal_chars;  ///< columns of cells
  int window_vertical_chars;    ///< rows of cells
  int window_style;             ///< 5: titled window with a close button; 8: full screen
  int window_background_color;  ///< a Color: BLACK to WHITE, or made by rgb()
  int frame_time;               ///< milliseconds a frame; 0 runs unpaced
  float font_scale;             ///< glyph size over the smaller side of a cell
  bool show_mouse;              ///< whether the pointer shows over the window
  bool headless;                ///< no window and no input
  bool damage_tracking;         ///< redraw and show only what changed between frames
  int random_seed;              ///< seed of tw::randomNumber(); 0 takes the time

private:
  Config();

  std::string window_title;
  std::string font_file;
  std::string logfile;
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
