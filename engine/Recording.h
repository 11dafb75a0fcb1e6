#pragma once

#include "Attributes.h"
#include "Vector.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace tw {

/// A play session's outside inputs: the seed, the frame time, the grid, every input event
/// with its step, and a check of the screen after every step where it changed. Written to a
/// text file as the game runs, or read back so that the input manager replays it.
///
/// The file is one line per entry:
///   tarnwick-recording 1
///   seed 1765057215
///   frame_time 33
///   grid 80 24
///   STEP key pressed|released|down KEY      (a key name such as RETURN, or its number)
///   STEP mouse clicked|pressed|moved LEFT|RIGHT|MIDDLE|- X Y      (X, Y in cells)
///   STEP resume CODE                        (the key that ended a pause; -1: a signal)
///   STEP close                              (the window's close request, or a SIGINT or
///                                            SIGTERM that ended the session)
///   STEP screen HASH                        (the screen shown at the end of STEP)
///   end STEP
/// A file cut short, without its end line, ends after the step of its last whole line.
class Recording {
public:
  /// What an entry holds: a key or mouse event, the key press that ended a pause, or the
  /// window's close request.
  enum Kind { KEY, MOUSE, RESUME, CLOSE };
  /// One input of the replayed session.
  struct Entry {
    int step = 0;    ///< the step it was sent at
    Kind kind = KEY; ///< what it is
    int action = 0;  ///< the Keyboard::Action or Mouse::Action
    int code = 0;    ///< the key, the mouse button or the resume key
    Vector position; ///< the mouse position, in cells
  };
  /// Version of the file format, written in its first line.
  static constexpr int VERSION = 1;

  Recording() = default;
  Recording(const Recording&) = delete;
  Recording& operator=(const Recording&) = delete;
  ~Recording();

  /// Starts writing to file; -1 with a log line when it cannot be opened or a recording is
  /// already being written (stop it first).
  int record(const std::string& file, int seed, int frame_time, int columns, int rows);
  /// Reads a whole recording to replay; -1 with a log line when it is missing or damaged. A
  /// recording cut short, without its end line, replays up to its last whole step (with a
  /// warning), and then ends as if the window had been closed.
  int replay(const std::string& file);
  /// Reads recording text; -1 with the first fault and its line number in error. A last line
  /// without its newline is taken for a cut, and dropped, unless it is a whole end line.
  int parse(const std::string& text, std::string& error);

  /// True while the session is written to a file.
  bool isRecording() const { return p_file != nullptr; }
  /// True while a recording read by replay or parse is replayed.
  bool isReplaying() const { return replaying; }
  /// True while recording or replaying.
  bool isActive() const { return isRecording() || isReplaying(); }
  /// Seed of the session's random numbers.
  int getSeed() const { return seed; }
  /// Frame time of the session, in milliseconds.
  int getFrameTime() const { return frame_time; }
  /// Columns of the session's grid of cells.
  int getColumns() const { return columns; }
  /// Rows of the session's grid of cells.
  int getRows() const { return rows; }
  /// Step at which the replayed session ended; -1 when none was read.
  int getEndStep() const { return end_step; }
  /// Last step of a replayed session that was cut short, without its end line; -1 when the
  /// recording is whole.
  int getCutStep() const { return cut_step; }
  /// The input entries read, in order.
  const std::vector<Entry>& getEntries() const { return entries; }

  /// Writes an input event sent at step (when recording).
  void addKeyboard(int step, int action, int key);
  /// Writes a mouse event sent at step, position in cells (when recording).
  void addMouse(int step, int action, int button, Vector position);
  /// Writes the window library's code of the key that ended a pause at step (when recording).
  void addResume(int step, int code);
  /// Writes the window's close request at step, or the SIGINT or SIGTERM that ended the
  /// game there (when recording).
  void addClose(int step);
  /// The next replayed entry of step, or null when step has no more.
  const Entry* next(int step);
  /// The same without taking it.
  const Entry* peek(int step) const;
  /// Writes, or compares with the recording, the screen shown at the end of step.
  void frameShown(int step);
  /// Ends the session at step: writes the end line, or logs how the replay went.
  void stop(int step);
  /// Puts every line written so far into the file (a frame's lines reach it at frameShown).
  void flush();

  /// Hash of the characters and colours of the screen last shown.
  static std::uint32_t screenHash();

private:
  void write(int step, const char* fmt, ...) TW_PRINTF_FORMAT(3, 4);
  /// Forgets the recording being replayed.
  void reset();

  std::FILE* p_file = nullptr;
  bool replaying = false;
  std::string replay_file;
  int seed = 0;
  int frame_time = 0;
  int columns = 0;
  int rows = 0;
  int end_step = -1;
  int cut_step = -1;
  std::vector<Entry> entries;
  std::size_t next_entry = 0;
  std::vector<std::pair<int, std::uint32_t>> screens;
  std::size_t next_screen = 0;
  std::uint32_t last_written_screen = 0;
  bool screen_written = false;
  std::uint32_t expected_screen = 0;
  bool expecting_screen = false;
  int first_difference = -1;
  int differences = 0;
};

} // namespace tw
