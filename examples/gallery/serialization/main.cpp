// Serialization: S saves a robot and a saucer as key:value text; L, or the next run, loads them.
// Difficulty: 2
#include <tarnwick/EventKeyboard.h>
#include <tarnwick/EventOut.h>
#include <tarnwick/GameManager.h>
#include <tarnwick/GraphicsManager.h>
#include <tarnwick/InputManager.h>
#include <tarnwick/Object.h>
#include <tarnwick/ResourceManager.h>

#include <cstddef>
#include <fstream>
#include <string>
#include <vector>

/// A sprite on the move that turns back when it leaves the world; a steered one walks where
/// the arrows point, until space stops it.
class Walker : public tw::Object {
public:
  Walker(const char* sprite, tw::Vector position, tw::Vector velocity, bool steered) {
    setType("Walker");
    setSprite(tw::ResourceManager::getInstance().getSprite(sprite));
    setSpriteSlowdown(6);
    setSolidness(tw::SPECTRAL);
    setPosition(position);
    setVelocity(velocity);
    if (steered) {
      registerInterest(tw::KEYBOARD_EVENT);
    }
  }
  int eventHandler(const tw::Event* p_event) override {
    if (p_event->isType(tw::OUT_EVENT)) {
      setVelocity(getVelocity() * -1);
    } else if (p_event->isType(tw::KEYBOARD_EVENT)) {
      const int key = static_cast<const tw::EventKeyboard*>(p_event)->getKey();
      setVelocity(key == tw::Keyboard::LEFTARROW    ? tw::Vector(-0.5f, 0)
                  : key == tw::Keyboard::RIGHTARROW ? tw::Vector(0.5f, 0)
                  : key == tw::Keyboard::UPARROW    ? tw::Vector(0, -0.25f)
                  : key == tw::Keyboard::DOWNARROW  ? tw::Vector(0, 0.25f)
                  : key == tw::Keyboard::SPACE      ? tw::Vector()
                                                    : getVelocity());
    }
    return 1;
  }
};

/// S saves the things to save.txt, one record a line, and L loads them back; shows the robot's.
class Keeper : public tw::Object {
public:
  explicit Keeper(std::vector<tw::Object*> things) : things(std::move(things)) {
    setSolidness(tw::SPECTRAL);
    registerInterest(tw::KEYBOARD_EVENT);
  }
  int eventHandler(const tw::Event* p_event) override {
    const auto* p_key = static_cast<const tw::EventKeyboard*>(p_event);
    const bool pressed = p_key->getKeyboardAction() == tw::Keyboard::KEY_PRESSED;
    if (p_key->getKey() == tw::Keyboard::ESCAPE) {
      tw::GameManager::getInstance().setGameOver();
    } else if (pressed && p_key->getKey() == tw::Keyboard::S) {
      save();
    } else if (pressed && p_key->getKey() == tw::Keyboard::L) {
      load();
    }
    return 1;
  }
  void save() {
    std::ofstream file("save.txt");
    for (tw::Object* p_o : things) {
      file << p_o->serialize(true) << '\n'; // every attribute, not only the changed ones
    }
    status = file ? "Saved to save.txt" : "Cannot write save.txt";
    record = things[0]->serialize(true); // the robot's, as saved
  }
  void load() {
    std::ifstream file("save.txt");
    std::string line;
    for (tw::Object* p_o : things) {
      if (std::getline(file, line)) {
        p_o->deserialize(line); // position, velocity, sprite: all that the record holds
      }
    }
    status = file.is_open() ? "Loaded from save.txt" : "No save.txt to load yet";
    record = things[0]->serialize(true); // the robot's, as loaded
  }
  void draw() override {
    tw::GraphicsManager& g = tw::GraphicsManager::getInstance();
    g.drawString(tw::Vector(40, 0), "Arrows: walk   Space: stop   S: save   L: load",
                 tw::JUSTIFY_CENTER, tw::WHITE);
    g.drawString(tw::Vector(40, 1), status, tw::JUSTIFY_CENTER, tw::YELLOW);
    g.drawString(tw::Vector(0, 14), "The robot's record:", tw::JUSTIFY_LEFT, tw::WHITE);
    for (std::size_t i = 0; i < record.size(); i += 80) { // 80 characters a row
      g.drawString(tw::Vector(0, 15 + i / 80), record.substr(i, 80), tw::JUSTIFY_LEFT, tw::GREEN);
    }
  }

private:
  std::vector<tw::Object*> things;
  std::string record;
  std::string status;
};

int main() {
  tw::GameManager& game = tw::GameManager::getInstance();
  tw::ResourceManager& resources = tw::ResourceManager::getInstance();
  if (game.startUp() == 0 && resources.loadSprite("robot-spr.txt", "robot") == 0 &&
      resources.loadSprite("saucer-spr.txt", "saucer") == 0) {
    auto* p_robot = new Walker("robot", tw::Vector(20, 8), tw::Vector(), true);
    auto* p_saucer = new Walker("saucer", tw::Vector(4, 4), tw::Vector(0.4f, 0), false);
    auto* p_keeper = new Keeper({p_robot, p_saucer});
    p_keeper->load(); // where the last run saved them, if it did
    game.run();
  }
  game.shutDown();
  return 0;
}
