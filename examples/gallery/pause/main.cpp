// Pause: P pauses the whole game, ball and all; any key resumes it.
// Difficulty: 1
#include <tarnwick/EventKeyboard.h>
#include <tarnwick/EventOut.h>
#include <tarnwick/GameManager.h>
#include <tarnwick/GraphicsManager.h>
#include <tarnwick/InputManager.h>
#include <tarnwick/Object.h>
#include <tarnwick/Pause.h>
#include <tarnwick/ResourceManager.h>
#include <tarnwick/WorldManager.h>

/// Rolls across the screen and comes round again; escape quits.
class Ball : public tw::Object {
public:
  Ball() {
    setSprite(tw::ResourceManager::getInstance().getSprite("ball"));
    setSpriteSlowdown(4);
    setPosition(tw::Vector(0, 12));
    setVelocity(tw::Vector(0.5f, 0));
    setSolidness(tw::SPECTRAL);
    registerInterest(tw::KEYBOARD_EVENT);
  }
  int eventHandler(const tw::Event* p_event) override {
    if (p_event->isType(tw::OUT_EVENT)) {
      tw::WorldManager::getInstance().moveObject(this, tw::Vector(0, getPosition().getY()));
      return 1;
    }
    if (p_event->isType(tw::KEYBOARD_EVENT)) {
      if (static_cast<const tw::EventKeyboard*>(p_event)->getKey() == tw::Keyboard::ESCAPE) {
        tw::GameManager::getInstance().setGameOver();
      }
      return 1;
    }
    return 0;
  }
  void draw() override {
    tw::GraphicsManager::getInstance().drawString(tw::Vector(40, 4), "P pauses, any key resumes",
                                                  tw::JUSTIFY_CENTER, tw::WHITE);
    Object::draw();
  }
};

int main() {
  tw::GameManager& game = tw::GameManager::getInstance();
  if (game.startUp() == 0 &&
      tw::ResourceManager::getInstance().loadSprite("ball-spr.txt", "ball") == 0) {
    new Ball;
    new tw::Pause(tw::Keyboard::P); // pauses the game on P, until the next key press
    game.run();
  }
  game.shutDown();
  return 0;
}
