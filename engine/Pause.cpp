#include "Pause.h"

#include "EventKeyboard.h"
#include "GameManager.h"
#include "GraphicsManager.h"
#include "InputManager.h"
#include "LogManager.h"

namespace tw {

Pause::Pause(Keyboard::Key key) : pause_key(key) {
  LogManager::getInstance().writeLog("Pause::Pause(): Pause enabled.  Press any other key to "
                                     "resume.");
  setSolidness(SPECTRAL);
  setType("Pause");
  registerInterest(KEYBOARD_EVENT);
}

Pause::~Pause() {
  InputManager& input = InputManager::getInstance();
  if (input.getPause() == this) {
    input.pause(nullptr);
  }
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
  if (!GraphicsManager::getInstance().getEventWindow()) {
    log.writeLog("Pause::eventHandler(): GraphicsManager unexpectedly returned null window!  "
                 "Cannot pause.");
    return 0;
  }
  // The paused frame's input so far is on disk while the game waits, for whoever watches it.
  recording.flush();
  InputManager::getInstance().pause(this);
  return 1;
}

bool Pause::pollResume() {
  const LogManager& log = LogManager::getInstance();
  GameManager& game = GameManager::getInstance();
  Recording& recording = game.getRecording();
  sf::Window* p_window = GraphicsManager::getInstance().getEventWindow();
  bool paused = p_window != nullptr;
  sf::Event event;
  while (p_window && p_window->pollEvent(event)) {
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
  }
  if (!paused) {
    log.writeLog(1, "Pause::eventHandler(): Game resumed.");
  }
  return !paused;
}

} // namespace tw
