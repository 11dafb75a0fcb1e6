#pragma once

#include <string>

enum GameMode {
  MODE_NONE = 0,
  MENU,
  REGULAR,
  ADVANCED,
  TIMED,
};

enum GameStatus {
  START = 0,
  PLAY,
  WIN,
  LOSE,
  TIME,
  EXIT,
  END,
};

enum Side {
  SIDE_TOP = 0,
  SIDE_BOTTOM,
  SIDE_LEFT,
  SIDE_RIGHT,
};

/// The game's state: which screen is up, how the last game ended, and the scores of the run.
class Mode {
public:
  static Mode& getInstance();
  Mode(const Mode&) = delete;
  Mode& operator=(const Mode&) = delete;

  /// Changes screen: clears the old one and builds the one for (new_mode, new_status).
  static void update(int new_mode, int new_status);

  int mode = MODE_NONE;
  int status = START;
  int score = 0;
  int high_score = 0;

private:
  Mode() = default;
};
