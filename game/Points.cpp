#include "Points.h"

#include "Mode.h"

Points::Points(int value, bool border, tw::Vector position) {
  setType("Points");
  setValue(value);
  setPosition(position);
  setColor(tw::WHITE);
  setBorder(border);
  registerInterest(tw::STEP_EVENT);
}

int Points::eventHandler(const tw::Event* p_event) {
  if (tw::ViewObject::eventHandler(p_event) != 0) {
    return 1;
  }
  if (p_event->isType(tw::STEP_EVENT)) {
    Mode& state = Mode::getInstance();
    state.score = getValue();
    if (state.high_score < getValue()) {
      state.high_score = getValue();
    }
    return 1;
  }
  return 0;
}
