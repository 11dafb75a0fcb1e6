#include "Text.h"

#include "Mode.h"

#include "EventKeyboard.h"
#include "InputManager.h"
#include "LogManager.h"

Text::Text(tw::Color color, bool border, const std::string& text, tw::Vector position) {
  setType("Text");
  setViewString(text);
  setPosition(position);
  setColor(color);
  setBorder(border);
  registerInterest(tw::KEYBOARD_EVENT);
  registerInterest(tw::MOUSE_EVENT);
  registerInterest(tw::STEP_EVENT);
}

int Text::eventHandler(const tw::Event* p_event) {
  if (p_event->isType(tw::KEYBOARD_EVENT)) {
    const auto* p_key = static_cast<const tw::EventKeyboard*>(p_event);
    if (p_key->getKeyboardAction() == tw::Keyboard::KEY_DOWN &&
        p_key->getKey() == tw::Keyboard::Q) {
      Mode::update(MODE_NONE, END);
    }
    return 1;
  }
  if (p_event->isType(tw::MOUSE_EVENT)) {
    mouse(static_cast<const tw::EventMouse*>(p_event));
    return 1;
  }
  if (p_event->isType(tw::STEP_EVENT)) {
    return 1;
  }
  return 0;
}

void Text::onClick() {
  tw::LogManager::getInstance().writeLog("Is callback working?");
}

void Text::mouse(const tw::EventMouse* p_mouse_event) {
  setColor(isMouseOver(p_mouse_event) && getBorder() ? tw::RED : tw::WHITE);
  if (p_mouse_event->getMouseAction() != tw::Mouse::PRESSED || getColor() != tw::RED) {
    return;
  }
  const std::string entry = getViewString();
  if (entry == "Normal Mode") {
    Mode::update(REGULAR, PLAY);
  } else if (entry == "Advanced Mode") {
    Mode::update(ADVANCED, PLAY);
  } else if (entry == "Timed Mode") {
    Mode::update(TIMED, PLAY);
  }
}
