#pragma once

#include "Event.h"

namespace tw {

/// A key pressed, released or held; key and action use the input manager's numbering.
class EventKeyboard : public Event {
public:
  EventKeyboard();

  void setKey(int new_key) { key = new_key; }
  int getKey() const { return key; }
  void setKeyboardAction(int new_action) { keyboard_action = new_action; }
  int getKeyboardAction() const { return keyboard_action; }

private:
  int key = -1;
  int keyboard_action = -1;
};

} // namespace tw
