#pragma once

#include "Event.h"
#include "Vector.h"

namespace tw {

/// A mouse move, click or held button; the position is in cells.
class EventMouse : public Event {
public:
  EventMouse();

  void setMouseAction(int new_action) { mouse_action = new_action; }
  int getMouseAction() const { return mouse_action; }
  void setMouseButton(int new_button) { mouse_button = new_button; }
  int getMouseButton() const { return mouse_button; }
  void setMousePosition(Vector new_xy) { mouse_xy = new_xy; }
  Vector getMousePosition() const { return mouse_xy; }

private:
  int mouse_action = -1;
  int mouse_button = -1;
  Vector mouse_xy;
};

} // namespace tw
