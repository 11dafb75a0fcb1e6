// Record and replay: record_file records the session; replay_file plays it back and checks it.
// Difficulty: 2
#include <tarnwick/EventCollision.h>
#include <tarnwick/EventKeyboard.h>
#include <tarnwick/EventOut.h>
#include <tarnwick/GameManager.h>
#include <tarnwick/GraphicsManager.h>
#include <tarnwick/InputManager.h>
#include <tarnwick/Object.h>
#include <tarnwick/ResourceManager.h>
#include <tarnwick/WorldManager.h>
#include <tarnwick/utility.h>

#include <string>

/// Runs where the arrows point and catches the coin, which then jumps to a random cell: the
/// seed is recorded, so a replay puts it in the same places.
class Player : public tw::Object {
public:
  Player() {
    setSprite(tw::ResourceManager::getInstance().getSprite("player"));
    setBox(tw::Box(tw::Vector(-0.5f, -0.5f), 1, 1)); // meets the coin between cells too
    setPosition(tw::Vector(40, 12));
    registerInterest(tw::KEYBOARD_EVENT);
  }
  int eventHandler(const tw::Event* p_event) override {
    if (p_event->isType(tw::OUT_EVENT)) {
      setVelocity(getVelocity() * -1); // back into the world
    } else if (p_event->isType(tw::COLLISION_EVENT)) {
      const auto* p_collision = static_cast<const tw::EventCollision*>(p_event);
      tw::Object* p_coin =
          p_collision->getObject1() == this ? p_collision->getObject2() : p_collision->getObject1();
      const int x = 1 + tw::randomNumber() % 78; // x first, in its own statement: the order
      const int y = 4 + tw::randomNumber() % 15; // of a call's arguments differs by compiler
      tw::WorldManager::getInstance().moveObject(p_coin, tw::Vector(x, y));
      caught++;
    } else if (p_event->isType(tw::KEYBOARD_EVENT)) {
      const int key = static_cast<const tw::EventKeyboard*>(p_event)->getKey();
      setVelocity(key == tw::Keyboard::LEFTARROW    ? tw::Vector(-0.5f, 0)
                  : key == tw::Keyboard::RIGHTARROW ? tw::Vector(0.5f, 0)
                  : key == tw::Keyboard::UPARROW    ? tw::Vector(0, -0.25f)
                  : key == tw::Keyboard::DOWNARROW  ? tw::Vector(0, 0.25f)
                                                    : getVelocity());
      if (key == tw::Keyboard::ESCAPE) {
        tw::GameManager::getInstance().setGameOver();
      }
    }
    return 1;
  }
  int caught = 0;
};

/// Says what the session is: a red light while it is recorded, a green one while replayed. The
/// lights are shapes, drawn in pixels over the cells; the replay compares the cells alone, so
/// they may differ. All the rest must be the same in both, or the replay reports it.
class Tape : public tw::Object {
public:
  explicit Tape(const Player* p_player) : p_player(p_player) {
    setSolidness(tw::SPECTRAL);
    setPosition(tw::Vector(2, 1));
    registerInterest(tw::KEYBOARD_EVENT);
  }
  int eventHandler(const tw::Event* p_event) override {
    const auto* p_key = static_cast<const tw::EventKeyboard*>(p_event);
    const int key = p_key->getKey();
    if (p_key->getKeyboardAction() == tw::Keyboard::KEY_PRESSED && key >= 0 &&
        key < tw::Keyboard::KEY_COUNT) { // as the recording writes it
      last = std::to_string(tw::GameManager::getInstance().getStepCount()) + " key pressed " +
             tw::Keyboard::KEY_NAMES[key];
    }
    return 1;
  }
  void draw() override {
    const tw::Recording& recording = tw::GameManager::getInstance().getRecording();
    getShape().setKind(recording.isReplaying()   ? tw::TRIANGLE
                       : recording.isRecording() ? tw::CIRCLE
                                                 : tw::SHAPE_NONE);
    getShape().setColor(recording.isReplaying() ? tw::GREEN : tw::RED);
    getShape().setSize(recording.isReplaying() ? 32 : 14); // a triangle's width, a circle's radius
    Object::draw();
    tw::GraphicsManager& g = tw::GraphicsManager::getInstance();
    const int step = tw::GameManager::getInstance().getStepCount();
    g.drawString(tw::Vector(6, 1),
                 "Step " + std::to_string(step) + "   seed " + std::to_string(recording.getSeed()) +
                     "   coins " + std::to_string(p_player->caught),
                 tw::JUSTIFY_LEFT, tw::WHITE);
    g.drawString(tw::Vector(6, 2), "Last key: " + last, tw::JUSTIFY_LEFT, tw::YELLOW);
    g.drawString(tw::Vector(40, 20), "Arrows: run for the coins    Escape: quit",
                 tw::JUSTIFY_CENTER, tw::WHITE);
    g.drawString(tw::Vector(40, 22), "Red: record_file records   Green: replay_file replays",
                 tw::JUSTIFY_CENTER, tw::CYAN);
    g.drawString(tw::Vector(40, 23), "A replay checks that every step shows the recorded screen",
                 tw::JUSTIFY_CENTER, tw::CYAN);
  }

private:
  const Player* p_player;
  std::string last = "none";
};

int main() {
  tw::GameManager& game = tw::GameManager::getInstance();
  tw::ResourceManager& resources = tw::ResourceManager::getInstance();
  if (game.startUp() == 0 && resources.loadSprite("player-spr.txt", "player") == 0 &&
      resources.loadSprite("coin-spr.txt", "coin") == 0) {
    auto* p_coin = new tw::Object;
    p_coin->setSprite(resources.getSprite("coin"));
    p_coin->setSolidness(tw::SOFT);
    p_coin->setPosition(tw::Vector(60, 12));
    new Tape(new Player);
    game.run();
  }
  game.shutDown();
  return 0;
}
