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
  if (!GraphicsManager::getInstance().getInput()) {
    log.writeLog("Pause::eventHandler(): GraphicsManager unexpectedly returned null window!  "
                 "Cannot pause.");
    return 0;
  }
  // The paused frame's input so far is on disk while the game waits, for whoever watches it.
  recording.flush();
  key_pressed = false;
  InputManager::getInstance().pause(this);
  return 1;
}

void Pause::keyPressed(int code) {
  GameManager& game = GameManager::getInstance();
  LogManager::getInstance().writeLog(10, "Pause::eventHandler(): Keypress (%d)", code);
  game.getRecording().addResume(game.getStepCount(), code);
  key_pressed = true;
}

bool Pause::pollResume() {
  GameManager& game = GameManager::getInstance();
  bool paused = !key_pressed && GraphicsManager::getInstance().getInput() != nullptr;
  if (paused && game.getInterruptSignal() != 0) {
    // SIGINT or SIGTERM ends the game: the pause ends too, resumed by no key in the recording.
    game.getRecording().addResume(game.getStepCount(), -1);
    paused = false;
  }
  if (!paused) {
    key_pressed = false;
    LogManager::getInstance().writeLog(1, "Pause::eventHandler(): Game resumed.");
  }
  return !paused;
}

} // namespace tw
