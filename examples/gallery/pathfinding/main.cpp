// Path finding: click a cell and the seeker finds its way there round the walls.
// Difficulty: 2
#include <tarnwick/EventKeyboard.h>
#include <tarnwick/EventMouse.h>
#include <tarnwick/EventPath.h>
#include <tarnwick/GameManager.h>
#include <tarnwick/GraphicsManager.h>
#include <tarnwick/InputManager.h>
#include <tarnwick/Object.h>
#include <tarnwick/PathManager.h>
#include <tarnwick/ResourceManager.h>

#include <vector>

/// A wall cell: hard, so the path finder goes round it.
class Wall : public tw::Object {
public:
  explicit Wall(tw::Vector at) {
    setType("Wall");
    setPosition(at);
  }
  void draw() override {
    tw::GraphicsManager::getInstance().drawCharacter('#', tw::BLUE, getPosition());
  }
};

/// Asks for a path to the clicked cell and follows it, showing the way it found.
class Seeker : public tw::Object {
public:
  Seeker() {
    setSprite(tw::ResourceManager::getInstance().getSprite("seeker"));
    setSpriteSlowdown(8);
    setPosition(tw::Vector(8, 5));
    setSpeed(0.5f);
    setSolidness(tw::SOFT);
    registerInterest(tw::MOUSE_EVENT);
    registerInterest(tw::KEYBOARD_EVENT);
  }
  int eventHandler(const tw::Event* p_event) override {
    if (p_event->isType(tw::MOUSE_EVENT)) {
      const auto* p_mouse = static_cast<const tw::EventMouse*>(p_event);
      if (p_mouse->getMouseAction() == tw::Mouse::CLICKED) {
        tw::PathManager::getInstance().findPath(this, p_mouse->getMousePosition());
      }
      return 1;
    }
    if (p_event->isType(tw::KEYBOARD_EVENT)) {
      if (static_cast<const tw::EventKeyboard*>(p_event)->getKey() == tw::Keyboard::ESCAPE) {
        tw::GameManager::getInstance().setGameOver();
      }
      return 1;
    }
    if (p_event->isType(tw::PATH_EVENT)) {
      const auto* p_path = static_cast<const tw::EventPath*>(p_event);
      way = p_path->getStatus() == tw::FOUND ? p_path->getPath().nodes : std::vector<tw::Vector>();
    }
    return Object::eventHandler(p_event); // the path event starts the following
  }
  void draw() override {
    for (const tw::Vector& node : way) {
      tw::GraphicsManager::getInstance().drawCharacter('.', tw::YELLOW, node);
    }
    Object::draw();
  }

private:
  std::vector<tw::Vector> way; // the last path found, empty when none was
};

int main() {
  tw::GameManager& game = tw::GameManager::getInstance();
  if (game.startUp() == 0 &&
      tw::ResourceManager::getInstance().loadSprite("seeker-spr.txt", "seeker") == 0) {
    for (int y = 1; y < 23; y++) {
      for (int x = 0; x < 80; x++) {
        const bool border = y == 1 || y == 22 || x == 0 || x == 79;
        // Two walls across, the first open at the bottom, the second at the top.
        if (border || (x == 26 && y < 17) || (x == 53 && y > 6)) {
          new Wall(tw::Vector(x, y));
        }
      }
    }
    new Seeker;
    game.run();
  }
  game.shutDown();
  return 0;
}
