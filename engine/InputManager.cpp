#include "InputManager.h"

#include "GraphicsManager.h"
#include "LogManager.h"

namespace tw {

InputManager::InputManager() { setType("InputManager"); }

InputManager& InputManager::getInstance() {
  static InputManager input_manager;
  return input_manager;
}

bool InputManager::isValid(std::string event_type) const {
  return event_type == KEYBOARD_EVENT || event_type == MOUSE_EVENT;
}

int InputManager::startUp() {
  if (!GraphicsManager::getInstance().isStarted()) {
    LogManager::getInstance().writeLog("InputManager::startUp(): Error starting InputManager. "
                                       "GraphicsManager must be started first.");
    return -1;
  }
  Manager::startUp();
  return 0;
}

void InputManager::shutDown() { Manager::shutDown(); }

void InputManager::getInput() {
  if (!GraphicsManager::getInstance().getWindow()) {
    LogManager::getInstance().writeLog(
        "InputManager::getInput(): GraphicsManager unexpectedly returned null window!");
  }
}

} // namespace tw
