// Colours: 24-bit colours for characters and cell backgrounds; the arrow keys mix in green.
// Difficulty: 1
#include <tarnwick/EventKeyboard.h>
#include <tarnwick/GameManager.h>
#include <tarnwick/GraphicsManager.h>
#include <tarnwick/InputManager.h>
#include <tarnwick/Object.h>

#include <cstdint>

/// Draws a band of backgrounds from red to blue, the named colours, and a sunset of text.
class Palette : public tw::Object {
public:
  Palette() { setSolidness(tw::SPECTRAL), registerInterest(tw::KEYBOARD_EVENT); }

  int eventHandler(const tw::Event* p_event) override {
    const auto* p_key = static_cast<const tw::EventKeyboard*>(p_event);
    if (p_key->getKey() == tw::Keyboard::ESCAPE) {
      tw::GameManager::getInstance().setGameOver();
    } else if (p_key->getKeyboardAction() == tw::Keyboard::KEY_PRESSED) {
      green += p_key->getKey() == tw::Keyboard::RIGHTARROW && green < 240 ? 48 : 0;
      green -= p_key->getKey() == tw::Keyboard::LEFTARROW && green > 0 ? 48 : 0;
    }
    return 1;
  }

  void draw() override {
    tw::GraphicsManager& g = tw::GraphicsManager::getInstance();
    for (int x = 0; x < 80; x++) { // a column of backgrounds each, red to blue
      const auto t = static_cast<std::uint8_t>(x * 255 / 79);
      g.fillRectangle(tw::Box(tw::Vector(x, 3), 1, 4), tw::rgb(255 - t, green, t));
    }
    const tw::Color named[] = {tw::RED,     tw::GREEN, tw::YELLOW, tw::BLUE,
                               tw::MAGENTA, tw::CYAN,  tw::WHITE};
    const char* const names[] = {"RED", "GREEN", "YELLOW", "BLUE", "MAGENTA", "CYAN", "WHITE"};
    for (int i = 0; i < 7; i++) {
      g.drawString(tw::Vector(6 + i * 10, 10), names[i], tw::JUSTIFY_LEFT, named[i]);
    }
    const char* const text = "Any colour of the 16 777 216: tw::rgb(red, green, blue)";
    for (int i = 0; text[i] != '\0'; i++) { // each character in a colour of its own
      const auto t = static_cast<std::uint8_t>(i * 4);
      g.drawCharacter(text[i], tw::rgb(255, t, 64), tw::rgb(40, 0, t / 4), tw::Vector(12 + i, 14));
    }
    g.fillRectangle(tw::Box(tw::Vector(30, 17), 20, 3), tw::rgb(0x33, 0x66, 0x99));
    g.drawString(tw::Vector(40, 18), "#336699", tw::JUSTIFY_CENTER, tw::WHITE);
  }

private:
  std::uint8_t green = 0;
};

int main() {
  tw::GameManager& game = tw::GameManager::getInstance();
  if (game.startUp() == 0) {
    new Palette;
    game.run();
  }
  game.shutDown();
  return 0;
}
