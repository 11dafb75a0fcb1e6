#include "GameManager.h"

#include "Config.h"
#include "EventStep.h"
#include "GraphicsManager.h"
#include "InputManager.h"
#include "LogManager.h"
#include "MainLoop.h"
#include "PathManager.h"
#include "Platform.h"
#include "ResourceManager.h"
#include "WorldManager.h"
#include "utility.h"

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace tw {

namespace {

// SIGINT and SIGTERM end the game at the end of the frame instead of the process at once, so
// that the log and the recording are ended as at any other end of the game.
volatile std::sig_atomic_t interrupt_signal = 0;

void onSignal(int signal_number) {
  // A second one goes where it would have without the engine: mostly, it ends the process.
  if (interrupt_signal != 0) {
    platform::passOnInterrupt(signal_number);
    return;
  }
  interrupt_signal = signal_number;
}

void catchSignals() {
  interrupt_signal = 0;
  platform::catchInterrupts(onSignal);
}

void releaseSignals() {
  platform::releaseInterrupts();
}

// Time between two looks at the window while a pause holds a paced loop: short enough that a
// key press resumes at once, long enough that the paused program uses next to no processor
// time.
constexpr int PAUSE_POLL_MS = 10;

} // namespace

GameManager::GameManager() {
  setType("GameManager");
}

GameManager& GameManager::getInstance() {
  static GameManager game_manager;
  return game_manager;
}

bool GameManager::isValid(std::string event_type) const {
  return event_type == STEP_EVENT;
}

void GameManager::setClock(Clock* p_new_clock) {
  p_clock = p_new_clock ? p_new_clock : &system_clock;
}

int GameManager::getInterruptSignal() const {
  return interrupt_signal;
}

int GameManager::startUp() {
  catchSignals();
  loadConfig(readConfig());
  Config& config = Config::getInstance();

  LogManager& log = LogManager::getInstance();
  if (log.startUp() != 0) {
    log.writeLog("Error starting LogManager!");
    return -1;
  }
  log.writeLog("****************************************************");
  log.writeLog("** Tarnwick version %.1f **", TW_VERSION_NUMBER);
  log.writeLog(1, "Log Manager started.");
  writeToLog();

  const bool replaying = !config.getReplayFile().empty();
  if (replaying) {
    if (recording.replay(config.getReplayFile()) != 0) {
      log.writeLog("Error reading the recording to replay!");
      return -1;
    }
    // A session replays on the grid and with the seed it was recorded with; at its frame
    // time too, unless the configuration asks for no pacing at all.
    config.window_horizontal_chars = recording.getColumns();
    config.window_vertical_chars = recording.getRows();
  }
  frame_time = replaying && config.frame_time != 0 ? recording.getFrameTime() : config.frame_time;
  log.writeLog(5, "GameManager::startUp(): frame time is %d", frame_time);

  GraphicsManager& graphics = GraphicsManager::getInstance();
  if (config.headless) {
    log.writeLog(1, "Headless mode enabled:");
    log.writeLog(1, "--> Not starting GraphicsManager or InputManager.");
    // The screen's cells are kept without a window: a replay checks them, and a game that
    // draws draws into them rather than into a graphics manager that is not there.
    if (graphics.startUpWithoutWindow() != 0) {
      log.writeLog("Error starting graphics manager!");
      return -1;
    }
  } else {
    if (graphics.startUp() != 0) {
      log.writeLog("Error starting graphics manager!");
      return -1;
    }
    log.writeLog(1, "Graphics manager started.");
    if (InputManager::getInstance().startUp() != 0) {
      log.writeLog("Error starting input manager!");
      return -1;
    }
    log.writeLog(1, "Input manager started");
  }

  if (ResourceManager::getInstance().startUp() != 0) {
    log.writeLog("Error starting resource manager!");
    return -1;
  }
  log.writeLog(1, "Resource manager started.");

  WorldManager& world = WorldManager::getInstance();
  if (world.startUp() != 0) {
    log.writeLog("Error starting world manager!");
    return -1;
  }
  log.writeLog(1, "World manager started.");

  if (PathManager::getInstance().startUp() != 0) {
    log.writeLog("Error starting path manager!");
    return -1;
  }
  log.writeLog(1, "Path manager started.");

  const Box screen(Vector(0, 0), static_cast<float>(graphics.getHorizontalChars()),
                   static_cast<float>(graphics.getVerticalChars()));
  world.setBoundary(screen);
  world.setView(screen);
  world.setViewSlack(Vector(1.0f / 3.0f, 1.0f / 3.0f));

  int seed = replaying ? recording.getSeed() : config.random_seed;
  if (seed == 0 && !replaying) {
    seed = static_cast<int>(std::time(nullptr));
  }
  log.writeLog(10, "GameManager()::startUp(): seed is %d", seed);
  seedRandom(static_cast<std::uint32_t>(seed));
  if (!config.getRecordFile().empty() &&
      recording.record(config.getRecordFile(), seed,
                       replaying ? recording.getFrameTime() : frame_time,
                       graphics.getHorizontalChars(), graphics.getVerticalChars()) != 0) {
    log.writeLog("Error starting the recording!");
    return -1;
  }

  if (platform::beginTimerResolution() == platform::TIMER_NOCANDO) {
    log.writeLog(1, "GameManager()::startUp(): Warning!  timeBeginPeriod() cannot accept 1 msec.");
  }

  game_over = false;
  loop_running = false;
  Manager::startUp();
  log.writeLog(5, "GameManager::startUp(): successfully started.");
  return 0;
}

void GameManager::shutDown() {
  LogManager& log = LogManager::getInstance();
  game_over = true;
  recording.stop(step_count);
  if (platform::endTimerResolution() == platform::TIMER_NOCANDO) {
    log.writeLog(1, "GameManager()::shutDown(): Warning!  timeEndPeriod() cannot accept 1 msec.");
  }
  WorldManager::getInstance().shutDown();
  log.writeLog(1, "World Manager stopped");
  // Started with the others, so stopped with them: a later startUp can start it again.
  PathManager::getInstance().shutDown();
  log.writeLog(1, "Path Manager stopped");
  ResourceManager::getInstance().shutDown();
  log.writeLog(1, "Resource Manager stopped");
  InputManager::getInstance().shutDown();
  log.writeLog(1, "Input Manager stopped");
  GraphicsManager::getInstance().shutDown();
  log.writeLog(1, "Graphics Manager stopped");
  log.writeLog("** Game stopped **");
  log.writeLog("****************************************************");
  log.shutDown();
  Manager::shutDown();
  releaseSignals();
}

void GameManager::beginLoop() {
  // Times come from a monotonic clock in microseconds, so nothing wraps at the turn of an
  // hour and a change of the wall clock does not disturb the pacing.
  adjust_time = 0;
  LogManager::getInstance().writeLog(1, "GameManager::run(): starting game loop");
  game_over = false;
  step_count = 0;
  loop_running = true;
}

void GameManager::run() {
  beginLoop();
  runMainLoop(
      [](void* p_game, bool paced) { return static_cast<GameManager*>(p_game)->runFrame(paced); },
      this, frame_time);
}

bool GameManager::runFrame(bool paced) {
  WorldManager& world = WorldManager::getInstance();
  GraphicsManager& graphics = GraphicsManager::getInstance();
  InputManager& input = InputManager::getInstance();
  const LogManager& log = LogManager::getInstance();
  if (!loop_running) {
    beginLoop();
  }

  FrameTimes& times = frame_times;
  // A frame held by a pause goes on from its input: the time paused is the frame's work.
  if (!input.isPaused()) {
    frame_start = p_clock->now();
  }
  // The parts are timed only for an observer: otherwise the loop reads the clock as ever.
  const bool timing = static_cast<bool>(frame_observer);
  std::int64_t mark = frame_start;
  auto lap = [&](std::int64_t& part) {
    if (timing) {
      const std::int64_t now = p_clock->now();
      part = now - mark;
      mark = now;
    }
  };
  input.getInput();
  if (input.isPaused()) {
    if (paced) {
      // On the loop's clock, so that whoever set it sees the wait (a script lets its other
      // threads run).
      p_clock->sleep(PAUSE_POLL_MS);
    }
    return true;
  }
  lap(times.input);
  PathManager::getInstance().cycle();
  lap(times.path);
  world.update();
  lap(times.update);
  world.draw();
  lap(times.draw);
  const EventStep step(step_count);
  onEvent(&step);
  lap(times.step_events);
  graphics.displayFrame();
  recording.frameShown(step_count);
  log.flush(); // whatever the flush setting, a frame's lines are in the file at its end
  lap(times.display);
  const std::int64_t elapsed = p_clock->now() - frame_start;
  if (graphics.isOverlayShown()) {
    updateOverlay(frame_start + elapsed, elapsed);
  } else {
    overlay_frames = 0;
    overlay_since = 0;
  }

  const std::int64_t slept = paced ? pace(elapsed) : 0;
  if (timing) {
    times.step = step_count;
    times.start = frame_start;
    times.work = elapsed;
    times.sleep = slept;
    frame_observer(times);
  }
  if (interrupt_signal != 0 && !game_over) {
    // Recorded as a close request, so that a replay ends after the same step.
    log.writeLog("GameManager::run(): %s received: ending the game.",
                 interrupt_signal == SIGINT ? "SIGINT" : "SIGTERM");
    recording.addClose(step_count);
    game_over = true;
  }
  step_count++;
  if (game_over) {
    log.writeLog(1, "GameManager::run(): end of game loop");
    loop_running = false;
    return false;
  }
  return true;
}

std::int64_t GameManager::pace(std::int64_t elapsed) {
  const std::int64_t sleep_time =
      static_cast<std::int64_t>(frame_time) * 1000 - elapsed - adjust_time;
  if (sleep_time <= 0) {
    if (adjust_time == 0 && frame_time >= 1) {
      LogManager::getInstance().writeLog(
          "GameManager::run(): Can't keep up! frame_time %d ms, split %d ms", frame_time,
          static_cast<int>(elapsed / 1000));
    }
    adjust_time = 0;
    return 0;
  }
  const std::int64_t before_sleep = p_clock->now();
  p_clock->sleep(static_cast<int>(sleep_time / 1000));
  const std::int64_t slept = p_clock->now() - before_sleep;
  adjust_time = slept - sleep_time;
  if (adjust_time < 0) {
    adjust_time = 0;
  }
  return slept;
}

void GameManager::updateOverlay(std::int64_t now, std::int64_t work) {
  if (overlay_frames == 0 && overlay_since == 0) {
    overlay_since = now;
  }
  // Past the array's size (an unpaced loop), frames are counted but their work is not kept.
  if (overlay_frames < static_cast<int>(overlay_work.size())) {
    overlay_work[static_cast<std::size_t>(overlay_frames)] = work;
  }
  overlay_frames++;
  const std::int64_t span = now - overlay_since;
  if (span < 1000000) {
    return;
  }
  const int samples = std::min(overlay_frames, static_cast<int>(overlay_work.size()));
  const auto middle = overlay_work.begin() + samples / 2;
  std::nth_element(overlay_work.begin(), middle, overlay_work.begin() + samples);
  char text[64];
  std::snprintf(text, sizeof text, "%.0f fps %.2f ms %d obj",
                static_cast<double>(overlay_frames) * 1e6 / static_cast<double>(span),
                static_cast<double>(*middle) / 1000.0,
                WorldManager::getInstance().getAllObjects(true).getCount());
  GraphicsManager::getInstance().setOverlayText(text);
  overlay_frames = 0;
  overlay_since = now;
}

} // namespace tw
