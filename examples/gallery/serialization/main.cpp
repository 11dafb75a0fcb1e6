// Serialization: S saves a robot and a saucer as key:value text; L, or the next run, loads them.
// Difficulty: 2
#include <tarnwick/EventKeyboard.h>
#include <tarnwick/EventOut.h>
#include <tarnwick/GameManager.h>
#include <tarnwick/GraphicsManager.h>
#include <tarnwick/InputManager.h>
#include <tarnwick/Object.h>
#include <tarnwick/ResourceManager.h>
#include <tarnwick/WorldManager.h>

#include <cstddef>
#include <fstream>
#include <string>
#include <vector>

/// Brings an object that left the world back in from the other side.
void wrapAround(tw::Object* p_o) {
  const tw::Box world = tw::WorldManager::getInstance().getBoundary();
  const float across = world.getHorizontal() + p_o->getBox().getHorizontal() + 1;
  const float down = world.getVertical() + p_o->getBox().getVertical() + 1;
  const tw::Vector v = p_o->getVelocity();
  const int dx = (v.getX() > 0) - (v.getX() < 0); // -1, 0 or 1: the way it went
  const int dy = (v.getY() > 0) - (v.getY() < 0);
  const tw::Vector there = p_o->getPosition() - tw::Vector(dx * across, dy * down);
  tw::WorldManager::getInstance().moveObject(p_o, there);
}

/// Walks where the arrows point, until space stops it.
class Robot : public tw::Object {
public:
  Robot() {
    setType("Robot");
    setSprite(tw::ResourceManager::getInstance().getSprite("robot"));
    setSpriteSlowdown(4);
    setPosition(tw::Vector(20, 8));
    registerInterest(tw::KEYBOARD_EVENT);
  }
  int eventHandler(const tw::Event* p_event) override {
    if (p_event->isType(tw::OUT_EVENT)) {
      wrapAround(this);
    } else if (p_event->isType(tw::KEYBOARD_EVENT)) {
      const int key = static_cast<const tw::EventKeyboard*>(p_event)->getKey();
      const tw::Vector ways[] = {{-0.5f, 0}, {0.5f, 0}, {0, -0.25f}, {0, 0.25f}, {0, 0}};
      const int keys[] = {tw::Keyboard::LEFTARROW, tw::Keyboard::RIGHTARROW, tw::Keyboard::UPARROW,
                          tw::Keyboard::DOWNARROW, tw::Keyboard::SPACE};
      for (int i = 0; i < 5; i++) {
        if (key == keys[i]) {
          setVelocity(ways[i]);
        }
      }
    }
    return 1;
  }
};

/// Flies from left to right, round and round.
class Saucer : public tw::Object {
public:
  Saucer() {
    setType("Saucer");
    setSprite(tw::ResourceManager::getInstance().getSprite("saucer"));
    setSpriteSlowdown(8);
    setSolidness(tw::SPECTRAL); // flies over the robot
    setAltitude(3);
    setPosition(tw::Vector(4, 4));
    setVelocity(tw::Vector(0.4f, 0));
  }
  int eventHandler(const tw::Event* p_event) override {
    if (p_event->isType(tw::OUT_EVENT)) {
      wrapAround(this);
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
    if (p_key->getKey() == tw::Keyboard::ESCAPE) {
      tw::GameManager::getInstance().setGameOver();
    } else if (p_key->getKeyboardAction() != tw::Keyboard::KEY_PRESSED) {
      return 1;
    } else if (p_key->getKey() == tw::Keyboard::S) {
      save();
    } else if (p_key->getKey() == tw::Keyboard::L) {
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
    if (!file) {
      status = "No save.txt to load yet";
      return;
    }
    std::string line;
    for (tw::Object* p_o : things) {
      if (std::getline(file, line)) {
        p_o->deserialize(line); // position, velocity, sprite: all that the record holds
      }
    }
    status = "Loaded from save.txt";
    record = things[0]->serialize(true); // the robot's, as loaded
  }
  void draw() override {
    tw::GraphicsManager& g = tw::GraphicsManager::getInstance();
    g.drawString(tw::Vector(40, 0), "Arrows: walk   Space: stop   S: save   L: load",
                 tw::JUSTIFY_CENTER, tw::WHITE);
    g.drawString(tw::Vector(40, 1), status, tw::JUSTIFY_CENTER, tw::YELLOW);
    g.drawString(tw::Vector(0, 14), "The robot's line of save.txt:", tw::JUSTIFY_LEFT, tw::WHITE);
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
    auto* p_keeper = new Keeper({new Robot, new Saucer});
    p_keeper->load(); // where the last run saved them, if it did
    game.run();
  }
  game.shutDown();
  return 0;
}
