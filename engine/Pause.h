#pragma once

#include "InputManager.h"
#include "Object.h"

namespace tw {

/// Pauses the whole game on its key: the game loop waits inside this object's handler until
/// a key is pressed, and the window keeps showing the last frame.
class Pause : public Object {
public:
  explicit Pause(Keyboard::Key key = Keyboard::RETURN);
  int eventHandler(const Event* p_event) override;
  Keyboard::Key getPauseKey() const { return pause_key; }

private:
  Keyboard::Key pause_key;
};

} // namespace tw
