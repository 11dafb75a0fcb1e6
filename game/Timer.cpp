#include "Timer.h"

#include "Mode.h"

#include "EventKeyboard.h"
#include "EventStep.h"
#include "InputManager.h"

Timer::Timer(tw::Vector position) {
  setType("Timer");
  setValue(120);
  setPosition(position);
  setColor(tw::WHITE);
  setBorder(true);
  registerInterest(tw::KEYBOARD_EVENT);
  registerInterest(tw::STEP_EVENT);
}

int Timer::eventHandler(const tw::Event* p_event) {
  if (tw::ViewObject::eventHandler(p_event) != 0) {
    return 1;
  }
  if (p_event->isType(tw::KEYBOARD_EVENT)) {
    const auto* p_key = static_cast<const tw::EventKeyboard*>(p_event);
    if (p_key->getKeyboardAction() == tw::Keyboard::KEY_DOWN &&
        p_key->getKey() == tw::Keyboard::T) {
      Mode::update(MENU, TIME);
    }
    return 1;
  }
  if (p_event->isType(tw::STEP_EVENT)) {
    if (static_cast<const tw::EventStep*>(p_event)->getStepCount() % 30 == 0) {
      setValue(getValue() - 1);
    }
    if (getValue() == 0) {
      Mode::update(MENU, TIME);
    }
    return 1;
  }
  return 0;
}
