#pragma once

#include "Clock.h"
#include "Manager.h"
#include "Recording.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>

/// The Tarnwick engine: managers, the world's objects, their events and resources.
namespace tw {

/// Starts and stops every manager and runs the fixed-rate game loop; sends the step events.
class GameManager : public Manager {
public:
  /// How one frame of the loop went, in microseconds of the loop's clock.
  struct FrameTimes {
    int step = 0;                 ///< the frame's step count
    std::int64_t start = 0;       ///< the clock when the frame began
    std::int64_t input = 0;       ///< reading input and sending its events
    std::int64_t path = 0;        ///< the path searches
    std::int64_t update = 0;      ///< the world's update: moves, collisions, deletions
    std::int64_t draw = 0;        ///< drawing the world
    std::int64_t step_events = 0; ///< sending the step events
    std::int64_t display = 0;     ///< showing the frame
    std::int64_t work = 0;        ///< the whole frame but its sleep
    std::int64_t sleep = 0;       ///< from before to after the sleep; 0 when there was none
  };
  /// Called at the end of every frame, before game over is looked at, so it may set it.
  using FrameObserver = std::function<void(const FrameTimes&)>;

  /// The one game manager, made on first use.
  static GameManager& getInstance();

  /// Only STEP_EVENT.
  bool isValid(std::string event_type) const override;
  /// Reads "tw-config.txt", then starts the log, graphics, input, resource, world and path
  /// managers (headless: no window, no input); -1 when one fails. From here to shutDown, a
  /// SIGINT or SIGTERM ends the game loop after its frame (a second one acts as without the
  /// engine), unless the program was started with the signal ignored.
  int startUp() override;
  /// Stops the world (deleting every object), resource, input, graphics and log managers,
  /// and puts back the SIGINT and SIGTERM handlers found by startUp.
  void shutDown() override;
  /// Runs frames until game over is set; returns after the frame that set it.
  void run();
  /// Does one frame of the game loop (begun by the first call when none is running): input,
  /// paths, the world's update and draw, step events, display. Paced, it then sleeps the rest
  /// of the frame time less the last frame's oversleep and logs a frame that overran it, as
  /// run() does; unpaced, its caller calls it once a frame time. While a pause holds the game,
  /// a call only looks for the key that ends it (paced, then sleeps a little), and the frame
  /// goes on in the call that finds it. False after the frame in which game over was set: the
  /// loop has ended.
  bool runFrame(bool paced = false);

  /// Ends the game loop after the current frame (true), or lets it go on (false).
  void setGameOver(bool new_game_over = true) { game_over = new_game_over; }
  /// True when the loop ends after the current frame.
  bool getGameOver() const { return game_over; }
  /// The SIGINT or SIGTERM received since startUp, which ends the game; 0 when none.
  int getInterruptSignal() const;
  /// Target duration of a frame in milliseconds; 0 runs the loop unpaced.
  int getFrameTime() const { return frame_time; }
  /// Frame time for the loop (normally taken from the configuration by startUp).
  void setFrameTime(int new_frame_time) { frame_time = new_frame_time; }
  /// Number of the current frame, counted from 0 when run started.
  int getStepCount() const { return step_count; }

  /// The clock the loop and the path manager read; null puts back the system clock.
  void setClock(Clock* p_new_clock);
  /// The clock the loop and the path manager read.
  Clock& getClock() { return *p_clock; }
  /// Times the parts of every frame and reports them; an empty observer stops the timing.
  void setFrameObserver(FrameObserver observer) { frame_observer = std::move(observer); }
  /// The session being recorded or replayed, as the configuration asks.
  Recording& getRecording() { return recording; }

private:
  GameManager();
  /// Starts the step count and the pacing anew for a game loop.
  void beginLoop();
  /// Sleeps the rest of the frame that took elapsed microseconds; the time slept.
  std::int64_t pace(std::int64_t elapsed);

  // Set by other threads too (a script's, while the loop sleeps).
  std::atomic<bool> game_over{false};
  int frame_time = 0;
  int step_count = 0;
  Clock system_clock;
  Clock* p_clock = &system_clock;
  FrameObserver frame_observer;
  Recording recording;
  bool loop_running = false;
  /// The frame in progress (a pause may hold it over several calls of runFrame).
  std::int64_t frame_start = 0;
  FrameTimes frame_times;
  /// What the last sleep overslept, taken off the next one.
  std::int64_t adjust_time = 0;

  /// Frame work of the frames since the overlay was last written, in microseconds.
  void updateOverlay(std::int64_t now, std::int64_t work);
  std::array<std::int64_t, 256> overlay_work{};
  int overlay_frames = 0;
  std::int64_t overlay_since = 0;
};

} // namespace tw
