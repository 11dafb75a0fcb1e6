// Scrolling: fly a ship with the arrow keys over a world four screens large; the view follows.
// Difficulty: 2
#include <tarnwick/EventKeyboard.h>
#include <tarnwick/GameManager.h>
#include <tarnwick/GraphicsManager.h>
#include <tarnwick/InputManager.h>
#include <tarnwick/Object.h>
#include <tarnwick/ResourceManager.h>
#include <tarnwick/WorldManager.h>

#include <algorithm>
#include <string>

const int WIDTH = 160, HEIGHT = 48;

/// The ship: flies while an arrow key is held, never off the world.
class Ship : public tw::Object {
public:
  Ship() {
    setSprite(tw::ResourceManager::getInstance().getSprite("ship"));
    setSpriteSlowdown(6);
    setPosition(tw::Vector(WIDTH / 2.0f, HEIGHT / 2.0f));
    setSolidness(tw::SPECTRAL);
    registerInterest(tw::KEYBOARD_EVENT);
  }
  int eventHandler(const tw::Event* p_event) override {
    if (!p_event->isType(tw::KEYBOARD_EVENT)) {
      return 0;
    }
    const auto* p_key = static_cast<const tw::EventKeyboard*>(p_event);
    const int key = p_key->getKey();
    if (key == tw::Keyboard::ESCAPE) {
      tw::GameManager::getInstance().setGameOver();
    }
    const float on = p_key->getKeyboardAction() == tw::Keyboard::KEY_RELEASED ? 0.0f : 1.0f;
    tw::Vector v = getVelocity();
    if (key == tw::Keyboard::LEFTARROW || key == tw::Keyboard::RIGHTARROW) {
      v.setX(key == tw::Keyboard::LEFTARROW ? -on : on);
    } else if (key == tw::Keyboard::UPARROW || key == tw::Keyboard::DOWNARROW) {
      v.setY(key == tw::Keyboard::UPARROW ? -on / 2 : on / 2); // cells are twice as tall
    }
    setVelocity(v);
    return 1;
  }
  void draw() override { // kept inside the world, where the view can follow
    const tw::Vector at = getPosition();
    setPosition(tw::Vector(std::clamp(at.getX(), 2.0f, WIDTH - 3.0f),
                           std::clamp(at.getY(), 1.0f, HEIGHT - 2.0f)));
    Object::draw();
  }
};

/// The ground: dark blue, with its coordinates written every ten cells across, eight down.
class Ground : public tw::Object {
public:
  Ground() {
    setSolidness(tw::SPECTRAL);
    setAltitude(0);
    setBox(tw::Box(tw::Vector(0, 0), WIDTH, HEIGHT)); // drawn while any of it is in view
  }
  void draw() override {
    tw::GraphicsManager& g = tw::GraphicsManager::getInstance();
    g.fillRectangle(tw::Box(tw::Vector(0, 0), WIDTH, HEIGHT), tw::rgb(10, 10, 40));
    for (int x = 0; x < WIDTH; x += 10) {
      for (int y = 4; y < HEIGHT; y += 8) {
        const std::string label = std::to_string(x) + "," + std::to_string(y);
        g.drawString(tw::Vector(x, y), label, tw::JUSTIFY_LEFT, tw::rgb(90, 90, 140));
      }
    }
  }
};

int main() {
  tw::GameManager& game = tw::GameManager::getInstance();
  tw::WorldManager& world = tw::WorldManager::getInstance();
  if (game.startUp() == 0 &&
      tw::ResourceManager::getInstance().loadSprite("ship-spr.txt", "ship") == 0) {
    world.setBoundary(tw::Box(tw::Vector(0, 0), WIDTH, HEIGHT)); // the view stays the screen
    new Ground;
    world.setViewFollowing(new Ship);
    game.run();
  }
  game.shutDown();
  return 0;
}
