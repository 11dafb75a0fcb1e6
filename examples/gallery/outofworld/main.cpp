// Out of the world: space throws a rock; a rock that leaves the world is told so and removed.
// Difficulty: 1
#include <tarnwick/EventKeyboard.h>
#include <tarnwick/EventOut.h>
#include <tarnwick/EventView.h>
#include <tarnwick/GameManager.h>
#include <tarnwick/InputManager.h>
#include <tarnwick/Object.h>
#include <tarnwick/ResourceManager.h>
#include <tarnwick/ViewObject.h>
#include <tarnwick/WorldManager.h>

/// Flies in a straight line; out of the world, it counts itself lost and leaves.
class Rock : public tw::Object {
public:
  explicit Rock(tw::Vector velocity) {
    setSprite(tw::ResourceManager::getInstance().getSprite("rock"));
    setSpriteSlowdown(3);
    setPosition(tw::Vector(40, 12));
    setVelocity(velocity);
    setSolidness(tw::SPECTRAL);
  }
  int eventHandler(const tw::Event* p_event) override {
    if (p_event->isType(tw::OUT_EVENT)) {
      const tw::EventView lost("Out", 1, true); // adds one to the view object's count
      tw::WorldManager::getInstance().onEvent(&lost);
      tw::WorldManager::getInstance().markForDelete(this);
      return 1;
    }
    return 0;
  }
};

/// Space throws a rock, each in the next of eight directions; escape quits.
class Thrower : public tw::Object {
public:
  Thrower() { setSolidness(tw::SPECTRAL), registerInterest(tw::KEYBOARD_EVENT); }
  int eventHandler(const tw::Event* p_event) override {
    const auto* p_key = static_cast<const tw::EventKeyboard*>(p_event);
    if (p_key->getKey() == tw::Keyboard::ESCAPE) {
      tw::GameManager::getInstance().setGameOver();
    } else if (p_key->getKey() == tw::Keyboard::SPACE &&
               p_key->getKeyboardAction() == tw::Keyboard::KEY_PRESSED) {
      const float dx[] = {1, 1, 0, -1, -1, -1, 0, 1};
      const float dy[] = {0, 0.5f, 0.5f, 0.5f, 0, -0.5f, -0.5f, -0.5f};
      new Rock(tw::Vector(dx[thrown % 8], dy[thrown % 8]));
      thrown++;
    }
    return 1;
  }

private:
  int thrown = 0;
};

int main() {
  tw::GameManager& game = tw::GameManager::getInstance();
  if (game.startUp() == 0 &&
      tw::ResourceManager::getInstance().loadSprite("rock-spr.txt", "rock") == 0) {
    auto* p_out = new tw::ViewObject;
    p_out->setViewString("Out"), p_out->setLocation(tw::TOP_LEFT);
    new Thrower;
    game.run();
  }
  game.shutDown();
  return 0;
}
