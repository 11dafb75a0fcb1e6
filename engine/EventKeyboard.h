#pragma once

#include "Event.h"

namespace tw {

/// A key pressed, released or held; key and action use the input manager's numbering.
class EventKeyboard : public Event {
public:
  /// An event of type KEYBOARD_EVENT with key and action undefined (-1).
  EventKeyboard();

  /// Sets the key, a Keyboard::Key.
  void setKey(int new_key) { key = new_key; }
  /// The key, a Keyboard::Key; -1 when undefined.
  int getKey() const { return key; }
  /// Sets what the key did, a Keyboard::Action.
  void setKeyboardAction(int new_action) { keyboard_action = new_action; }
  /// What the key did, a Keyboard::Action; -1 when undefined.
  int getKeyboardAction() const { return keyboard_action; }

private:
  int key = -1;
  int keyboard_action = -1;
};

} // namespace tw
