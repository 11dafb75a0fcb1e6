// Hello: a greeting that follows the mouse, a sound on every click, escape to quit.
#include <tarnwick/EventKeyboard.h>
#include <tarnwick/EventMouse.h>
#include <tarnwick/GameManager.h>
#include <tarnwick/GraphicsManager.h>
#include <tarnwick/InputManager.h>
#include <tarnwick/Object.h>
#include <tarnwick/ResourceManager.h>
#include <tarnwick/Sound.h>

#include <string>

class Greeting : public tw::Object {
public:
  Greeting() {
    setType("Greeting");
    setSolidness(tw::SPECTRAL); // collides with nothing
    setPosition(tw::Vector(40, 12));
    registerInterest(tw::MOUSE_EVENT);
    registerInterest(tw::KEYBOARD_EVENT);
  }

  int eventHandler(const tw::Event* p_event) override {
    if (p_event->isType(tw::MOUSE_EVENT)) {
      const auto* p_mouse = static_cast<const tw::EventMouse*>(p_event);
      setPosition(p_mouse->getMousePosition()); // in cells, like every position
      if (p_mouse->getMouseAction() == tw::Mouse::CLICKED) {
        clicks++;
        if (tw::Sound* p_click = tw::ResourceManager::getInstance().getSound("click")) {
          p_click->play();
        }
      }
      return 1;
    }
    if (p_event->isType(tw::KEYBOARD_EVENT)) {
      const auto* p_key = static_cast<const tw::EventKeyboard*>(p_event);
      if (p_key->getKey() == tw::Keyboard::ESCAPE) {
        tw::GameManager::getInstance().setGameOver();
      }
      return 1;
    }
    return 0;
  }

  void draw() override {
    tw::GraphicsManager::getInstance().drawString(
        getPosition(), "Hello, Tarnwick! " + std::to_string(clicks) + " clicks", tw::JUSTIFY_CENTER,
        tw::YELLOW);
  }

private:
  int clicks = 0;
};

int main() {
  tw::GameManager& game = tw::GameManager::getInstance();
  if (game.startUp() == 0) {
    tw::ResourceManager::getInstance().loadSound("click.wav", "click");
    new Greeting; // the world owns its objects and deletes them at shut-down
    game.run();
  }
  game.shutDown();
  return 0;
}
