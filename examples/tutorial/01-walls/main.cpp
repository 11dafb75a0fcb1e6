// Walls: a walled map read from a text file, and a hero moved a cell at a time with the arrow keys.
#include <tarnwick/EventKeyboard.h>
#include <tarnwick/GameManager.h>
#include <tarnwick/GraphicsManager.h>
#include <tarnwick/InputManager.h>
#include <tarnwick/LogManager.h>
#include <tarnwick/Object.h>
#include <tarnwick/WorldManager.h>

#include <fstream>
#include <string>

namespace {

/// Where the map's top-left character goes on the screen: the top row is kept for the status.
const tw::Vector MAP_CORNER(0, 1);
/// A held arrow key moves the hero again every this many steps.
const int REPEAT = 4;

/// A wall. Objects are HARD unless told otherwise, and the world refuses to move a HARD
/// object onto another: walls stop the hero without a check of ours.
class Wall : public tw::Object {
public:
  explicit Wall(tw::Vector at) {
    setType("Wall");
    setPosition(at);
  }

  void draw() override {
    tw::GraphicsManager::getInstance().drawCharacter('#', tw::WHITE, getPosition());
  }
};

/// The hero, moved a cell at a time with the arrow keys; escape quits.
class Hero : public tw::Object {
public:
  explicit Hero(tw::Vector at) {
    setType("Hero");
    setPosition(at);
    registerInterest(tw::KEYBOARD_EVENT);
  }

  void draw() override {
    tw::GraphicsManager::getInstance().drawCharacter('@', tw::YELLOW, getPosition());
  }

  int eventHandler(const tw::Event* p_event) override {
    if (!p_event->isType(tw::KEYBOARD_EVENT)) {
      return Object::eventHandler(p_event);
    }
    const auto* p_key = static_cast<const tw::EventKeyboard*>(p_event);
    const int action = p_key->getKeyboardAction();
    if (p_key->getKey() == tw::Keyboard::ESCAPE) {
      tw::GameManager::getInstance().setGameOver();
    } else if (action == tw::Keyboard::KEY_PRESSED) {
      held = 0;
      step(p_key->getKey());
    } else if (action == tw::Keyboard::KEY_DOWN && ++held % REPEAT == 0) {
      step(p_key->getKey()); // the key is still down: a steady repeat
    }
    return 1;
  }

private:
  int held = 0; ///< steps an arrow key has been held

  void step(int key) {
    tw::Vector by;
    if (key == tw::Keyboard::LEFTARROW) {
      by = tw::Vector(-1, 0);
    } else if (key == tw::Keyboard::RIGHTARROW) {
      by = tw::Vector(1, 0);
    } else if (key == tw::Keyboard::UPARROW) {
      by = tw::Vector(0, -1);
    } else if (key == tw::Keyboard::DOWNARROW) {
      by = tw::Vector(0, 1);
    } else {
      return;
    }
    // Refused, and the hero stays, when a wall is there.
    tw::WorldManager::getInstance().moveObject(this, getPosition() + by);
  }
};

/// Reads a map, a line of text a row: a wall for every '#', the hero at '@'. Other characters
/// are floor for now.
int loadLevel(const std::string& file) {
  std::ifstream in(file);
  if (!in) {
    tw::LogManager::getInstance().writeLog("Dungeon: cannot read %s.", file.c_str());
    return -1;
  }
  std::string line;
  for (int y = 0; std::getline(in, line); y++) {
    for (int x = 0; x < static_cast<int>(line.size()); x++) {
      const tw::Vector at = MAP_CORNER + tw::Vector(x, y);
      if (line[x] == '#') {
        new Wall(at); // the world owns its objects
      } else if (line[x] == '@') {
        new Hero(at);
      }
    }
  }
  return 0;
}

} // namespace

int main() {
  tw::GameManager& game = tw::GameManager::getInstance();
  if (game.startUp() == 0 && loadLevel("level1.txt") == 0) {
    game.run();
  }
  game.shutDown();
  return 0;
}
