// Shapes: a circle, a square and a triangle in pixels; arrows resize them, space recolours them.
// Difficulty: 1
#include <tarnwick/EventKeyboard.h>
#include <tarnwick/EventOut.h>
#include <tarnwick/GameManager.h>
#include <tarnwick/GraphicsManager.h>
#include <tarnwick/InputManager.h>
#include <tarnwick/Object.h>
#include <tarnwick/TextObject.h>
#include <tarnwick/WorldManager.h>

#include <string>

/// One figure, labelled below with its kind, size and colour; it follows the keys.
class Figure : public tw::Object {
public:
  Figure(tw::ShapeKind kind, float x, int colour) : colour(colour) {
    setSolidness(tw::SPECTRAL);
    setPosition(tw::Vector(x, 9));
    getShape().setKind(kind);
    getShape().setSize(size);
    getShape().setColor(static_cast<tw::Color>(colour));
    registerInterest(tw::KEYBOARD_EVENT);
  }
  int eventHandler(const tw::Event* p_event) override {
    const auto* p_key = static_cast<const tw::EventKeyboard*>(p_event);
    if (p_key->getKeyboardAction() != tw::Keyboard::KEY_PRESSED) {
      return 1;
    }
    if (p_key->getKey() == tw::Keyboard::UPARROW && size < 64) {
      size += 8;
    } else if (p_key->getKey() == tw::Keyboard::DOWNARROW && size > 8) {
      size -= 8;
    } else if (p_key->getKey() == tw::Keyboard::SPACE) {
      colour = colour % 7 + 1; // RED to WHITE, round again
    } else if (p_key->getKey() == tw::Keyboard::ESCAPE) {
      tw::GameManager::getInstance().setGameOver();
    }
    getShape().setSize(size);
    getShape().setColor(static_cast<tw::Color>(colour));
    return 1;
  }
  void draw() override {
    Object::draw(); // the sprite, if any, then the shape
    const char* const kinds[] = {"circle", "square", "triangle"};
    const char* const colours[] = {"",     "red",     "green", "yellow",
                                   "blue", "magenta", "cyan",  "white"};
    const std::string label = std::string(kinds[getShape().getKind()]) + " " +
                              std::to_string(static_cast<int>(size)) + " px " + colours[colour];
    tw::GraphicsManager::getInstance().drawString(getPosition() + tw::Vector(0, 4), label,
                                                  tw::JUSTIFY_CENTER, tw::WHITE);
  }

private:
  float size = 32; // pixels
  int colour;      // a named Color
};

/// A see-through circle of a colour of its own that drifts across, and comes round again.
class Bubble : public tw::Object {
public:
  Bubble() {
    setSolidness(tw::SPECTRAL);
    setPosition(tw::Vector(0, 19));
    setVelocity(tw::Vector(0.25f, 0));
    getShape().setKind(tw::CIRCLE);
    getShape().setSize(20);
    getShape().setColor(tw::CUSTOM);
    getShape().setRGB(255, 128, 0);
    getShape().setOpacity(128);
  }
  int eventHandler(const tw::Event* p_event) override {
    if (p_event->isType(tw::OUT_EVENT)) {
      tw::WorldManager::getInstance().moveObject(this, tw::Vector(0, getPosition().getY()));
      return 1;
    }
    return 0;
  }
};

int main() {
  tw::GameManager& game = tw::GameManager::getInstance();
  if (game.startUp() == 0) {
    new Figure(tw::CIRCLE, 16, tw::RED);
    new Figure(tw::SQUARE, 40, tw::GREEN);
    new Figure(tw::TRIANGLE, 64, tw::BLUE);
    new Bubble;
    auto* p_help = new tw::TextObject("Up and down: size    Space: colour", tw::Vector(40, 2));
    p_help->setJustification(tw::JUSTIFY_CENTER);
    game.run();
  }
  game.shutDown();
  return 0;
}
