// Sprites: a cat walks and a bird flaps, each sprite's frames shown in turn; space stops them.
// Difficulty: 1
#include <tarnwick/EventKeyboard.h>
#include <tarnwick/EventOut.h>
#include <tarnwick/GameManager.h>
#include <tarnwick/InputManager.h>
#include <tarnwick/Object.h>
#include <tarnwick/ResourceManager.h>
#include <tarnwick/WorldManager.h>

#include <string>

/// Walks across the screen with its sprite animated, and comes round again.
class Walker : public tw::Object {
public:
  Walker(const std::string& sprite, tw::Vector at, float new_speed, int new_slowdown)
      : speed(new_speed), slowdown(new_slowdown) {
    setSprite(tw::ResourceManager::getInstance().getSprite(sprite));
    setSpriteSlowdown(slowdown); // a new frame every slowdown steps
    setPosition(at);
    setVelocity(tw::Vector(speed, 0));
    setSolidness(tw::SPECTRAL);
    registerInterest(tw::KEYBOARD_EVENT);
  }

  int eventHandler(const tw::Event* p_event) override {
    if (p_event->isType(tw::OUT_EVENT)) {
      tw::WorldManager::getInstance().moveObject(this, tw::Vector(-4, getPosition().getY()));
      return 1;
    }
    if (p_event->isType(tw::KEYBOARD_EVENT)) {
      const auto* p_key = static_cast<const tw::EventKeyboard*>(p_event);
      if (p_key->getKeyboardAction() != tw::Keyboard::KEY_PRESSED) {
        return 0;
      }
      if (p_key->getKey() == tw::Keyboard::ESCAPE) {
        tw::GameManager::getInstance().setGameOver();
      } else if (p_key->getKey() == tw::Keyboard::SPACE) {
        // Slowdown 0 holds the sprite on its frame.
        setSpriteSlowdown(getSpriteSlowdown() == 0 ? slowdown : 0);
        setVelocity(getSpriteSlowdown() == 0 ? tw::Vector() : tw::Vector(speed, 0));
      }
      return 1;
    }
    return 0;
  }

private:
  float speed;
  int slowdown;
};

int main() {
  tw::GameManager& game = tw::GameManager::getInstance();
  tw::ResourceManager& resources = tw::ResourceManager::getInstance();
  if (game.startUp() == 0 && resources.loadSprite("cat-spr.txt", "cat") == 0 &&
      resources.loadSprite("bird-spr.txt", "bird") == 0) {
    new Walker("cat", tw::Vector(10, 16), 0.25f, 4);
    new Walker("bird", tw::Vector(40, 6), 0.5f, 2);
    game.run();
  }
  game.shutDown();
  return 0;
}
