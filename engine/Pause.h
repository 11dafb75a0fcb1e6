#pragma once

#include "InputManager.h"
#include "Object.h"

namespace tw {

/// Pauses the whole game on its key: the frame stops at the input that paused it, and the game
/// loop's frames only look for a key press until one ends the pause; the window keeps showing
/// the last frame.
class Pause : public Object {
public:
  /// A SPECTRAL object that pauses the game on key, taking keyboard events.
  explicit Pause(Keyboard::Key key = Keyboard::RETURN);
  ~Pause() override;
  /// Any keyboard event of the pause key (pressed, released or held) pauses the game until a
  /// key is pressed; 1 for keyboard events, 0 for others or when there is no window.
  int eventHandler(const Event* p_event) override;
  /// The key that pauses the game.
  Keyboard::Key getPauseKey() const { return pause_key; }
  /// A key went down while this object holds the game paused (code: the window's key code);
  /// it ends the pause. The input manager hands it every key press and throws the rest of the
  /// window's events away, a close request too.
  void keyPressed(int code);
  /// Once a frame while this object holds the game paused, after the frame's key presses: a
  /// key press, or a SIGINT or SIGTERM, ends the pause. True when the pause has ended.
  bool pollResume();

private:
  Keyboard::Key pause_key;
  bool key_pressed = false;
};

} // namespace tw
