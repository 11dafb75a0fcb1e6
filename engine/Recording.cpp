#include "Recording.h"

#include "GraphicsManager.h"
#include "InputManager.h"
#include "LogManager.h"

#include <cerrno>
#include <climits>
#include <cstdarg>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

namespace tw {

namespace {

using Keyboard::KEY_COUNT;
using Keyboard::KEY_NAMES;

const char* const KEY_ACTIONS[] = {"pressed", "released", "down"};
const char* const MOUSE_ACTIONS[] = {"clicked", "pressed", "moved"};
const char* const BUTTONS[] = {"LEFT", "RIGHT", "MIDDLE"};
const char* const HEADER = "tarnwick-recording";

/// Index of word in names, or -1.
template <std::size_t N> int indexOf(const char* const (&names)[N], const std::string& word) {
  for (std::size_t i = 0; i < N; i++) {
    if (word == names[i]) {
      return static_cast<int>(i);
    }
  }
  return -1;
}

/// Reads a whole decimal int from word; false when it is not one or out of range.
bool toInt(const std::string& word, int& value) {
  if (word.empty() || word.size() > 10) {
    return false;
  }
  char* p_end = nullptr;
  errno = 0;
  const long v = std::strtol(word.c_str(), &p_end, 10);
  if (*p_end != '\0' || errno != 0 || v < -2147483647L || v > 2147483647L) {
    return false;
  }
  value = static_cast<int>(v);
  return true;
}

bool toFloat(const std::string& word, float& value) {
  if (word.empty()) {
    return false;
  }
  char* p_end = nullptr;
  errno = 0;
  value = std::strtof(word.c_str(), &p_end);
  return *p_end == '\0' && errno == 0 && value == value && value < 1e9f && value > -1e9f;
}

} // namespace

Recording::~Recording() {
  if (p_file) {
    std::fclose(p_file);
  }
}

void Recording::reset() {
  replaying = false;
  entries.clear();
  screens.clear();
  next_entry = next_screen = 0;
  end_step = cut_step = -1;
  screen_written = expecting_screen = false;
  first_difference = -1;
  differences = 0;
}

int Recording::record(const std::string& file, int new_seed, int new_frame_time, int new_columns,
                      int new_rows) {
  const LogManager& log = LogManager::getInstance();
  // Closing the open file here would leave it without its end line, and so unreadable.
  if (p_file) {
    log.writeLog("Recording::record(): Already recording; '%s' not started", file.c_str());
    return -1;
  }
  p_file = std::fopen(file.c_str(), "wb");
  if (!p_file) {
    log.writeLog("Recording::record(): Cannot write recording file '%s': %s", file.c_str(),
                 std::strerror(errno));
    return -1;
  }
  seed = new_seed;
  frame_time = new_frame_time;
  columns = new_columns;
  rows = new_rows;
  screen_written = false;
  std::fprintf(p_file, "%s %d\nseed %d\nframe_time %d\ngrid %d %d\n", HEADER, VERSION, seed,
               frame_time, columns, rows);
  log.writeLog(1, "Recording::record(): Recording the session to '%s'", file.c_str());
  return 0;
}

int Recording::replay(const std::string& file) {
  const LogManager& log = LogManager::getInstance();
  std::ifstream in(file, std::ios::binary);
  if (!in) {
    log.writeLog("Recording::replay(): Cannot read recording file '%s'", file.c_str());
    return -1;
  }
  std::ostringstream text;
  text << in.rdbuf();
  std::string error;
  if (parse(text.str(), error) != 0) {
    log.writeLog("Recording::replay(): Cannot replay '%s': %s", file.c_str(), error.c_str());
    return -1;
  }
  replay_file = file;
  if (cut_step >= 0) {
    log.writeLog("Recording::replay(): Warning! '%s' has no end line: replaying it up to step "
                 "%d, its last whole step",
                 file.c_str(), cut_step);
  }
  log.writeLog(1, "Recording::replay(): Replaying '%s': %d entries, %d screens, %d steps",
               file.c_str(), static_cast<int>(entries.size()), static_cast<int>(screens.size()),
               end_step + 1);
  return 0;
}

int Recording::parse(const std::string& text, std::string& error) {
  reset();
  std::istringstream in(text);
  std::string line;
  int number = 0;
  auto fail = [&](const std::string& what) {
    error = "line " + std::to_string(number) + ": " + what;
    entries.clear();
    screens.clear();
    end_step = -1;
    return -1;
  };
  // The header and the three settings come first, in this order.
  const char* const settings[] = {HEADER, "seed", "frame_time", "grid"};
  int last_step = 0;
  int settings_read = 0;
  while (std::getline(in, line)) {
    number++;
    // A last line without its newline may have been cut in the middle of its writing.
    const bool unfinished = in.eof();
    if (!line.empty() && line.back() == '\r') {
      line.pop_back();
    }
    std::istringstream words(line);
    std::vector<std::string> w;
    for (std::string word; words >> word;) {
      w.push_back(word);
    }
    if (w.empty()) {
      continue; // blank lines are allowed anywhere, for files written by hand
    }
    if (end_step >= 0) {
      return fail("text after the end line");
    }
    int end = 0;
    if (unfinished && !(settings_read >= 4 && w.size() == 2 && w[0] == "end" && toInt(w[1], end) &&
                        end >= last_step)) {
      break; // a whole end line is kept; any other is taken for the cut
    }
    if (++settings_read <= 4) {
      const int setting = settings_read;
      const std::size_t count = setting == 4 ? 3 : 2;
      int a = 0;
      int b = 0;
      if (w.size() != count || w[0] != settings[setting - 1] || !toInt(w[1], a) ||
          (count == 3 && !toInt(w[2], b))) {
        return fail(setting == 1 ? "not a recording"
                                 : std::string("expected ") + settings[setting - 1]);
      }
      if (setting == 1 && a != VERSION) {
        return fail("version " + w[1] + ", but this program reads version " +
                    std::to_string(VERSION));
      }
      if (setting == 2) {
        seed = a;
      } else if (setting == 3) {
        frame_time = a;
        if (a < 0) {
          return fail("frame time below 0");
        }
      } else if (setting == 4) {
        columns = a;
        rows = b;
        if (a <= 0 || b <= 0 || a > 1000 || b > 1000) {
          return fail("grid out of range");
        }
      }
      continue;
    }
    int step = 0;
    if (w.size() == 2 && w[0] == "end") {
      if (!toInt(w[1], step) || step < last_step) {
        return fail("bad end step");
      }
      end_step = step;
      continue;
    }
    if (w.size() < 2 || !toInt(w[0], step) || step < last_step) {
      return fail("expected a step number no lower than the one before");
    }
    last_step = step;
    Entry entry;
    entry.step = step;
    if (w[1] == "screen" && w.size() == 3 && w[2].size() == 8 &&
        w[2].find_first_not_of("0123456789abcdef") == std::string::npos) {
      screens.emplace_back(step,
                           static_cast<std::uint32_t>(std::strtoul(w[2].c_str(), nullptr, 16)));
      continue;
    }
    if (w[1] == "key" && w.size() == 4) {
      entry.kind = KEY;
      entry.action = indexOf(KEY_ACTIONS, w[2]);
      entry.code = indexOf(KEY_NAMES, w[3]);
      if (entry.code < 0 && (!toInt(w[3], entry.code) || entry.code < KEY_COUNT)) {
        entry.code = -1;
      }
      if (entry.action < 0 || entry.code < 0) {
        return fail("bad key entry");
      }
    } else if (w[1] == "mouse" && w.size() == 6) {
      entry.kind = MOUSE;
      entry.action = indexOf(MOUSE_ACTIONS, w[2]);
      entry.code = w[3] == "-" ? Mouse::UNDEFINED_MOUSE_BUTTON : indexOf(BUTTONS, w[3]);
      float x = 0;
      float y = 0;
      if (entry.action < 0 || (entry.code < 0 && w[3] != "-") || !toFloat(w[4], x) ||
          !toFloat(w[5], y)) {
        return fail("bad mouse entry");
      }
      entry.position = Vector(x, y);
    } else if (w[1] == "resume" && w.size() == 3 && toInt(w[2], entry.code)) {
      entry.kind = RESUME;
    } else if (w[1] == "close" && w.size() == 2) {
      entry.kind = CLOSE;
    } else {
      return fail("unknown entry");
    }
    entries.push_back(entry);
  }
  if (settings_read < 4) {
    return fail("truncated: the header is incomplete");
  }
  if (end_step < 0) {
    // The session was cut short (killed, or the machine stopped): its lines are written a
    // step at a time, so the step of the last whole line is taken as the last one, and the
    // replay ends after it as if the window had been closed there.
    cut_step = last_step;
    Entry close;
    close.step = last_step;
    close.kind = CLOSE;
    entries.push_back(close);
    end_step = last_step < INT_MAX ? last_step + 1 : last_step;
  }
  replaying = true;
  return 0;
}

void Recording::write(int step, const char* fmt, ...) {
  if (!p_file) {
    return;
  }
  std::fprintf(p_file, "%d ", step);
  va_list args;
  va_start(args, fmt);
  std::vfprintf(p_file, fmt, args);
  va_end(args);
  std::fputc('\n', p_file);
}

void Recording::addKeyboard(int step, int action, int key) {
  if (action < 0 || action > 2) {
    return;
  }
  if (key >= 0 && key < KEY_COUNT) {
    write(step, "key %s %s", KEY_ACTIONS[action], KEY_NAMES[key]);
  } else {
    write(step, "key %s %d", KEY_ACTIONS[action], key);
  }
}

void Recording::addMouse(int step, int action, int button, Vector position) {
  if (action < 0 || action > 2) {
    return;
  }
  // Nine significant digits give back the same float when read.
  write(step, "mouse %s %s %.9g %.9g", MOUSE_ACTIONS[action],
        button >= 0 && button < 3 ? BUTTONS[button] : "-", static_cast<double>(position.getX()),
        static_cast<double>(position.getY()));
}

void Recording::addResume(int step, int code) {
  write(step, "resume %d", code);
}

void Recording::addClose(int step) {
  write(step, "close");
}

const Recording::Entry* Recording::peek(int step) const {
  if (!replaying || next_entry >= entries.size() || entries[next_entry].step != step) {
    return nullptr;
  }
  return &entries[next_entry];
}

const Recording::Entry* Recording::next(int step) {
  const Entry* p_entry = peek(step);
  next_entry += p_entry != nullptr;
  return p_entry;
}

std::uint32_t Recording::screenHash() {
  const GraphicsManager& graphics = GraphicsManager::getInstance();
  std::uint32_t hash = 2166136261u; // FNV-1a
  const int width = graphics.getHorizontalChars();
  const int height = graphics.getVerticalChars();
  for (int y = 0; y < height; y++) {
    for (int x = 0; x < width; x++) {
      const Cell cell = graphics.shownCellAt(x, y);
      hash = (hash ^ static_cast<unsigned char>(cell.ch)) * 16777619u;
      hash = (hash ^ (static_cast<std::uint32_t>(cell.color) + 1u)) * 16777619u;
      // Only a coloured background counts, so screens drawn without one hash as they did.
      if (cell.background != graphics.getBackground()) {
        hash = (hash ^ (static_cast<std::uint32_t>(cell.background) | 0x80000000u)) * 16777619u;
      }
    }
  }
  return hash;
}

void Recording::flush() {
  if (p_file) {
    std::fflush(p_file);
  }
}

void Recording::frameShown(int step) {
  if (!p_file && !replaying) {
    return;
  }
  const std::uint32_t hash = screenHash();
  if (p_file) {
    if (!screen_written || hash != last_written_screen) {
      write(step, "screen %08x", static_cast<unsigned>(hash));
      last_written_screen = hash;
      screen_written = true;
    }
    std::fflush(p_file);
  }
  if (!replaying) {
    return;
  }
  while (next_screen < screens.size() && screens[next_screen].first <= step) {
    expected_screen = screens[next_screen++].second;
    expecting_screen = true;
  }
  if (expecting_screen && hash != expected_screen) {
    if (differences++ == 0) {
      first_difference = step;
      LogManager::getInstance().writeLog(
          "Recording::frameShown(): The screen differs from the recording at step %d", step);
    }
  }
}

void Recording::stop(int step) {
  const LogManager& log = LogManager::getInstance();
  if (p_file) {
    std::fprintf(p_file, "end %d\n", step);
    std::fclose(p_file);
    p_file = nullptr;
    log.writeLog(1, "Recording::stop(): Recording ended at step %d", step);
  }
  if (!replaying) {
    return;
  }
  replaying = false;
  if (step != end_step || next_entry < entries.size()) {
    log.writeLog("Recording::stop(): Replay of '%s' ended at step %d with %d entries left; the "
                 "recording ended at step %d",
                 replay_file.c_str(), step, static_cast<int>(entries.size() - next_entry),
                 end_step);
  }
  if (screens.empty()) {
    log.writeLog("Recording::stop(): Replay of '%s' had no screens to compare",
                 replay_file.c_str());
  } else if (differences == 0) {
    log.writeLog("Recording::stop(): Replay of '%s' showed the recorded screen at every step",
                 replay_file.c_str());
  } else {
    log.writeLog("Recording::stop(): Replay of '%s' differed from the recording at %d steps, "
                 "first at step %d",
                 replay_file.c_str(), differences, first_difference);
  }
}

} // namespace tw
