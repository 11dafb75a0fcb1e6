#pragma once

#include "InputManager.h"
#include "Object.h"

namespace tw {

/// Pauses the whole game on its key: the game loop waits inside this object's handler until
/// a key is pressed, and the window keeps showing the last frame.
class Pause : public Object {
public:
  /// A SPECTRAL object that pauses the game on key, taking keyboard events.
  explicit Pause(Keyboard::Key key = Keyboard::RETURN);
  /// Any keyboard event of the pause key (pressed, released or held) pauses the game until a
  /// key is pressed; 1 for keyboard events, 0 for others or when there is no window.
  int eventHandler(const Event* p_event) override;
  /// The key that pauses the game.
  Keyboard::Key getPauseKey() const { return pause_key; }

private:
  Keyboard::Key pause_key;
};

} // namespace tw
