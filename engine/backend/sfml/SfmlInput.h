#pragma once

#include "InputSource.h"

namespace sf {
class Window;
}

namespace tw {

/// The input of an SFML window: its event queue, and the keyboard and mouse as SFML reads them.
class SfmlInput : public InputSource {
public:
  explicit SfmlInput(sf::Window& window) : window(window) {}
  bool pollEvent(WindowEvent& event) override;
  bool isKeyHeld(int code) override;
  bool isButtonHeld(int button) override;
  void pointer(int& x, int& y) override;
  void setKeyRepeat(bool on) override;

private:
  sf::Window& window;
};

} // namespace tw
