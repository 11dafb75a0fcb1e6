#pragma once

#include "Clock.h"
#include "Manager.h"

namespace tw {

/// Starts and stops every manager and runs the fixed-rate game loop; sends the step events.
class GameManager : public Manager {
public:
  static GameManager& getInstance();

  bool isValid(std::string event_type) const override;
  int startUp() override;
  void shutDown() override;
  /// Runs frames until game over is set; returns after the frame that set it.
  void run();

  void setGameOver(bool new_game_over = true) { game_over = new_game_over; }
  bool getGameOver() const { return game_over; }
  int getFrameTime() const { return frame_time; }
  /// Frame time for the loop (normally taken from the configuration by startUp).
  void setFrameTime(int new_frame_time) { frame_time = new_frame_time; }
  int getStepCount() const { return step_count; }

  /// The clock the loop and the path manager read; null puts back the system clock.
  void setClock(Clock* p_new_clock);
  Clock& getClock() { return *p_clock; }

private:
  GameManager();

  bool game_over = false;
  int frame_time = 0;
  int step_count = 0;
  Clock system_clock;
  Clock* p_clock = &system_clock;
};

} // namespace tw
