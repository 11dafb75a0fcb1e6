#pragma once

#include "Event.h"
#include "Vector.h"

namespace tw {

/// A mouse move, click or held button; the position is in cells.
class EventMouse : public Event {
public:
  /// An event of type MOUSE_EVENT with action and button undefined (-1), at (0, 0).
  EventMouse();

  /// Sets what the mouse did, a Mouse::Action.
  void setMouseAction(int new_action) { mouse_action = new_action; }
  /// What the mouse did, a Mouse::Action; -1 when undefined.
  int getMouseAction() const { return mouse_action; }
  /// Sets the button, a Mouse::Button.
  void setMouseButton(int new_button) { mouse_button = new_button; }
  /// The button, a Mouse::Button; -1 when undefined (as for a move).
  int getMouseButton() const { return mouse_button; }
  /// Sets the pointer's position, in cells of the window.
  void setMousePosition(Vector new_xy) { mouse_xy = new_xy; }
  /// The pointer's position, in cells of the window.
  Vector getMousePosition() const { return mouse_xy; }

private:
  int mouse_action = -1;
  int mouse_button = -1;
  Vector mouse_xy;
};

} // namespace tw
