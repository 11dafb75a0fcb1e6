#include "EventKeyboard.h"

namespace tw {

EventKeyboard::EventKeyboard() {
  setType(KEYBOARD_EVENT);
}

} // namespace tw
