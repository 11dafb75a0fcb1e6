#include "SfmlInput.h"

#include <SFML/Window/Event.hpp>
#include <SFML/Window/Keyboard.hpp>
#include <SFML/Window/Mouse.hpp>
#include <SFML/Window/Window.hpp>

namespace tw {

// Key codes are SFML's own numbers, which recordings keep.
constexpr bool sameNumber(KeyCode::Code code, sf::Keyboard::Key key) {
  return static_cast<int>(code) == static_cast<int>(key);
}
static_assert(sameNumber(KeyCode::UNKNOWN, sf::Keyboard::Unknown) &&
                  sameNumber(KeyCode::A, sf::Keyboard::A) &&
                  sameNumber(KeyCode::NUM0, sf::Keyboard::Num0) &&
                  sameNumber(KeyCode::ESCAPE, sf::Keyboard::Escape) &&
                  sameNumber(KeyCode::ENTER, sf::Keyboard::Enter) &&
                  sameNumber(KeyCode::DEL, sf::Keyboard::Delete) &&
                  sameNumber(KeyCode::LEFT, sf::Keyboard::Left) &&
                  sameNumber(KeyCode::NUMPAD0, sf::Keyboard::Numpad0) &&
                  sameNumber(KeyCode::F1, sf::Keyboard::F1) &&
                  sameNumber(KeyCode::PAUSE, sf::Keyboard::Pause) &&
                  sameNumber(KeyCode::COUNT, sf::Keyboard::KeyCount),
              "key codes numbered as SFML's keys");

namespace {

int buttonOf(sf::Mouse::Button button) {
  switch (button) {
  case sf::Mouse::Left:
    return ButtonCode::LEFT;
  case sf::Mouse::Right:
    return ButtonCode::RIGHT;
  case sf::Mouse::Middle:
    return ButtonCode::MIDDLE;
  default:
    return ButtonCode::UNKNOWN;
  }
}

} // namespace

bool SfmlInput::pollEvent(WindowEvent& event) {
  sf::Event e;
  if (!window.pollEvent(e)) {
    return false;
  }
  event = WindowEvent();
  switch (e.type) {
  case sf::Event::Closed:
    event.type = WindowEvent::CLOSED;
    break;
  case sf::Event::KeyPressed:
  case sf::Event::KeyReleased:
    event.type =
        e.type == sf::Event::KeyPressed ? WindowEvent::KEY_PRESSED : WindowEvent::KEY_RELEASED;
    event.code = static_cast<int>(e.key.code);
    break;
  case sf::Event::MouseMoved:
    event.type = WindowEvent::MOUSE_MOVED;
    event.x = e.mouseMove.x;
    event.y = e.mouseMove.y;
    break;
  case sf::Event::MouseButtonPressed:
  case sf::Event::MouseButtonReleased:
    event.type = e.type == sf::Event::MouseButtonPressed ? WindowEvent::BUTTON_PRESSED
                                                         : WindowEvent::BUTTON_RELEASED;
    event.button = buttonOf(e.mouseButton.button);
    event.x = e.mouseButton.x;
    event.y = e.mouseButton.y;
    break;
  case sf::Event::GainedFocus:
    event.type = WindowEvent::FOCUS_GAINED;
    break;
  case sf::Event::LostFocus:
    event.type = WindowEvent::FOCUS_LOST;
    break;
  case sf::Event::Resized:
    event.type = WindowEvent::RESIZED;
    event.x = static_cast<int>(e.size.width);
    event.y = static_cast<int>(e.size.height);
    break;
  default:
    break;
  }
  return true;
}

bool SfmlInput::isKeyHeld(int code) {
  return code >= 0 && code < KeyCode::COUNT &&
         sf::Keyboard::isKeyPressed(static_cast<sf::Keyboard::Key>(code));
}

bool SfmlInput::isButtonHeld(int button) {
  static constexpr sf::Mouse::Button BUTTONS[ButtonCode::COUNT] = {
      sf::Mouse::Left, sf::Mouse::Right, sf::Mouse::Middle};
  return button >= 0 && button < ButtonCode::COUNT && sf::Mouse::isButtonPressed(BUTTONS[button]);
}

void SfmlInput::pointer(int& x, int& y) {
  const sf::Vector2i at = sf::Mouse::getPosition(window);
  x = at.x;
  y = at.y;
}

void SfmlInput::setKeyRepeat(bool on) {
  window.setKeyRepeatEnabled(on);
}

} // namespace tw
