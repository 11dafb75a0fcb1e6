#include "EventMouse.h"

namespace tw {

EventMouse::EventMouse() {
  setType(MOUSE_EVENT);
}

} // namespace tw
