// Collisions: hard balls bounce off the walls and each other; a soft ghost passes through them.
// Difficulty: 2
#include <tarnwick/EventCollision.h>
#include <tarnwick/EventKeyboard.h>
#include <tarnwick/EventOut.h>
#include <tarnwick/GameManager.h>
#include <tarnwick/GraphicsManager.h>
#include <tarnwick/InputManager.h>
#include <tarnwick/Object.h>
#include <tarnwick/ObjectList.h>
#include <tarnwick/ResourceManager.h>
#include <tarnwick/WorldManager.h>

/// A wall cell: hard (the default solidness), so hard objects cannot move into it.
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

/// Moves until something solid is in its way, then turns back on that axis.
class Ball : public tw::Object {
public:
  Ball(const char* sprite, tw::Vector at, tw::Vector velocity, tw::Solidness solidness) {
    setSprite(tw::ResourceManager::getInstance().getSprite(sprite));
    setSpriteSlowdown(8);
    setPosition(at);
    setVelocity(velocity);
    setSolidness(solidness);
  }
  int eventHandler(const tw::Event* p_event) override {
    if (p_event->isType(tw::OUT_EVENT)) { // only the ghost leaves: it comes round again
      tw::WorldManager::getInstance().moveObject(this, tw::Vector(0, getPosition().getY()));
      return 1;
    }
    if (p_event->isType(tw::COLLISION_EVENT) && getSolidness() == tw::HARD) {
      // Turns back on each axis whose move a hard object blocks (both, at a corner).
      const tw::Vector v = getVelocity();
      const bool x = blocked(tw::Vector(v.getX(), 0)), y = blocked(tw::Vector(0, v.getY()));
      setVelocity(tw::Vector(x || !y ? -v.getX() : v.getX(), y || !x ? -v.getY() : v.getY()));
      return 1;
    }
    return 0;
  }

private:
  bool blocked(tw::Vector by) const {
    const tw::ObjectList in_way =
        tw::WorldManager::getInstance().getCollisions(this, getPosition() + by);
    for (int i = 0; i < in_way.getCount(); i++) {
      if (in_way.at(i)->getSolidness() == tw::HARD) {
        return true;
      }
    }
    return false;
  }
};

/// Escape ends the game.
class Quit : public tw::Object {
public:
  Quit() {
    setSolidness(tw::SPECTRAL);
    registerInterest(tw::KEYBOARD_EVENT);
  }
  int eventHandler(const tw::Event* p_event) override {
    if (!p_event->isType(tw::KEYBOARD_EVENT)) {
      return 0;
    }
    if (static_cast<const tw::EventKeyboard*>(p_event)->getKey() == tw::Keyboard::ESCAPE) {
      tw::GameManager::getInstance().setGameOver();
    }
    return 1;
  }
};

int main() {
  tw::GameManager& game = tw::GameManager::getInstance();
  tw::ResourceManager& resources = tw::ResourceManager::getInstance();
  if (game.startUp() == 0 && resources.loadSprite("ball-spr.txt", "ball") == 0 &&
      resources.loadSprite("ghost-spr.txt", "ghost") == 0) {
    for (int x = 0; x < 80; x++) {
      new Wall(tw::Vector(x, 1));
      new Wall(tw::Vector(x, 22));
    }
    for (int y = 2; y < 22; y++) {
      new Wall(tw::Vector(0, y));
      new Wall(tw::Vector(79, y));
      if (y < 9 || y > 14) {
        new Wall(tw::Vector(40, y)); // a wall across the middle, with a gap
      }
    }
    new Ball("ball", tw::Vector(10, 5), tw::Vector(0.5f, 0.25f), tw::HARD);
    new Ball("ball", tw::Vector(60, 18), tw::Vector(-0.5f, -0.5f), tw::HARD);
    new Ball("ball", tw::Vector(30, 12), tw::Vector(0.25f, -0.5f), tw::HARD);
    new Ball("ghost", tw::Vector(5, 11), tw::Vector(0.25f, 0), tw::SOFT);
    new Quit;
    game.run();
  }
  game.shutDown();
  return 0;
}
