// Star: a star that twinkles across the screen and comes round again; escape quits.
#include <tarnwick/EventKeyboard.h>
#include <tarnwick/EventOut.h>
#include <tarnwick/GameManager.h>
#include <tarnwick/InputManager.h>
#include <tarnwick/Object.h>
#include <tarnwick/ResourceManager.h>
#include <tarnwick/WorldManager.h>

class Star : public tw::Object {
public:
  Star() {
    setType("Star");
    setSprite(tw::ResourceManager::getInstance().getSprite("star"));
    setSpriteSlowdown(4); // a new frame every fourth step
    setPosition(tw::Vector(0, 12));
    setVelocity(tw::Vector(0.25f, 0)); // a quarter of a cell a step
    registerInterest(tw::KEYBOARD_EVENT);
  }

  int eventHandler(const tw::Event* p_event) override {
    if (p_event->isType(tw::OUT_EVENT)) { // it left the world
      tw::WorldManager::getInstance().moveObject(this, tw::Vector(0, 12));
      return 1;
    }
    if (p_event->isType(tw::KEYBOARD_EVENT) &&
        static_cast<const tw::EventKeyboard*>(p_event)->getKey() == tw::Keyboard::ESCAPE) {
      tw::GameManager::getInstance().setGameOver();
      return 1;
    }
    return 0;
  }
};

int main() {
  tw::GameManager& game = tw::GameManager::getInstance();
  if (game.startUp() == 0) {
    tw::ResourceManager::getInstance().loadSprite("star-spr.txt", "star");
    new Star; // the world owns its objects and deletes them at shut-down
    game.run();
  }
  game.shutDown();
  return 0;
}
