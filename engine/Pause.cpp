#include "Pause.h"

#include "EventKeyboard.h"
#include "GameManager.h"
#include "GraphicsManager.h"
#include "InputManager.h"
#include "LogManager.h"

namespace tw {

namespace {
// Time between two looks at the window while paused: short enough that a key press resumes
// at once, long enough that the paused program uses next to no processor time.
constexpr int PAUSE_POLL_MS = 10;
} // namespace

Pause::Pause(Keyboard::Key key) : pause_key(key) {
  LogManager::getInstance().writeLog("Pause::Pause(): Pause enabled.  Press any other key to "
                                     "resume.");
  setSolidness(SPECTRAL);
  setType("Pause");
  registerInterest(KEYBOARD_EVENT);
}

int Pause::eventHandler(const Event* p_event) {
  const LogManager& log = LogManager::getInstance();
  log.writeLog(10, "Pause::eventHandler(): Got event");
  if (!p_event->isType(KEYBOARD_EVENT)) {
    return 0;
  }
  if (static_cast<const EventKeyboard*>(p_event)->getKey() != pause_key) {
    return 1;
  }
  log.writeLog(1, "Pause::eventHandler(): Game paused.");
  GameManager& game = GameManager::getInstance();
  Recording& recording = game.getRecording();
  if (recording.isReplaying()) {
    // The key that resumed the recorded game follows the one that paused it.
    const Recording::Entry* p_entry = recording.peek(game.getStepCount());
    if (p_entry && p_entry->kind == Recording::RESUME) {
      recording.next(game.getStepCount());
      log.writeLog(10, "Pause::eventHandler(): Keypress (%d)", p_entry->code);
      recording.addResume(game.getStepCount(), p_entry->code);
    } else {
      log.writeLog("Pause::eventHandler(): The recording does not resume here.");
    }
    log.writeLog(1, "Pause::eventHandler(): Game resumed.");
    return 1;
  }
  sf::Window* p_window = GraphicsManager::getInstance().getEventWindow();
  if (!p_window) {
    log.writeLog("Pause::eventHandler(): GraphicsManager unexpectedly returned null window!  "
                 "Cannot pause.");
    return 0;
  }
  // The paused frame's input so far is on disk while the game waits, for whoever watches it.
  recording.flush();
  bool paused = true;
  while (paused) {
    sf::Event event;
    while (p_window->pollEvent(event)) {
      // Everything but a key press is thrown away, a close request included.
      if (event.type == sf::Event::KeyPressed) {
        log.writeLog(10, "Pause::eventHandler(): Keypress (%d)", static_cast<int>(event.key.code));
        recording.addResume(game.getStepCount(), static_cast<int>(event.key.code));
        paused = false;
      }
    }
    if (paused && game.getInterruptSignal() != 0) {
      // SIGINT or SIGTERM ends the game: the pause ends too, resumed by no key in the recording.
      recording.addResume(game.getStepCount(), -1);
      paused = false;
    } else if (paused) {
      // On the loop's clock, so that whoever set it sees the wait (a script lets its other
      // threads run).
      game.getClock().sleep(PAUSE_POLL_MS);
    }
  }
  // The keys that went down or up while paused were never seen by the input manager.
  InputManager::getInstance().rescan();
  log.writeLog(1, "Pause::eventHandler(): Game resumed.");
  return 1;
}

} // namespace tw
