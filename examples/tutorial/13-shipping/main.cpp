// Shipping: the game packed for its players, as a Debian package, a Windows zip and a web page.
#include <tarnwick/Button.h>
#include <tarnwick/Color.h>
#include <tarnwick/EventCollision.h>
#include <tarnwick/EventKeyboard.h>
#include <tarnwick/EventStep.h>
#include <tarnwick/EventView.h>
#include <tarnwick/GameManager.h>
#include <tarnwick/GraphicsManager.h>
#include <tarnwick/InputManager.h>
#include <tarnwick/LogManager.h>
#include <tarnwick/Music.h>
#include <tarnwick/Object.h>
#include <tarnwick/PathManager.h>
#include <tarnwick/Pause.h>
#include <tarnwick/ResourceManager.h>
#include <tarnwick/Sound.h>
#include <tarnwick/TextObject.h>
#include <tarnwick/ViewObject.h>
#include <tarnwick/WorldManager.h>

#include <fstream>
#include <string>

namespace {

/// Where the map's top-left character goes on the screen: the top row is kept for the status.
const tw::Vector MAP_CORNER(0, 1);
/// A held arrow key moves the hero again every this many steps.
const int REPEAT = 4;
/// A monster's box: its whole cell, so that the hero, whose box is the point at his position,
/// meets it on any cell it touches, even between two cells.
const tw::Box MONSTER_BOX(tw::Vector(-0.5f, -0.5f), 0.99f, 0.99f);

/// The hero's health at the start; a monster takes one point a second while it touches him.
const int HEALTH = 3;
/// A level: the file of its map, and its name, shown under the map when it starts.
struct Level {
  const char* file;
  const char* name;
};
/// The levels from the top down. The stairs of each lead to the next; the last has none.
const Level LEVELS[] = {{"level1.txt", "Level 1: the upper halls"},
                        {"level2.txt", "Level 2: the old mines"},
                        {"level3.txt", "Level 3: the deep vault"}};

/// The types of the objects that a map makes, the hero aside: they go with their level.
const char* const MAP_TYPES[] = {"Wall", "Torch", "Gold", "Monster", "Stairs"};

/// The level the hero is on, in LEVELS.
int level = 0;

/// Where the high score is kept between runs.
const char* const HIGH_SCORE_FILE = "highscore.txt";

/// The hero, whom the monsters hunt; none once he is dead.
tw::Object* p_hero = nullptr;
/// The line of messages under the map.
tw::TextObject* p_message = nullptr;

void showMenu();
void nextLevel();

/// How far the hero's light reaches, in cells.
const int LIGHT_RADIUS = 6;

/// How brightly the hero's light falls on the cell at: 100 on his own cell, less and less further
/// away, 0 from LIGHT_RADIUS cells on, and 0 everywhere once he is dead. In whole numbers, so
/// that every platform computes the same colours.
int light(tw::Vector at) {
  if (!p_hero) {
    return 0;
  }
  const int dx = static_cast<int>(at.getX() - p_hero->getPosition().getX());
  const int dy = static_cast<int>(at.getY() - p_hero->getPosition().getY());
  const int reach = LIGHT_RADIUS * LIGHT_RADIUS;
  const int distance = dx * dx + dy * dy; // squared
  return distance >= reach ? 0 : 100 * (reach - distance) / reach;
}

/// A wall. Objects are HARD unless told otherwise, and the world refuses to move a HARD
/// object onto another: walls stop the hero without a check of ours. Unseen until the hero's
/// light falls on it, then remembered, dimmer, in the dark.
class Wall : public tw::Object {
public:
  explicit Wall(tw::Vector at) {
    setType("Wall");
    setPosition(at);
  }

  void draw() override {
    const bool lit = light(getPosition()) > 0;
    seen = seen || lit;
    if (seen) {
      const tw::Color color = lit ? tw::WHITE : tw::rgb(90, 90, 110);
      tw::GraphicsManager::getInstance().drawCharacter('#', color, getPosition());
    }
  }

private:
  bool seen = false;
};

/// A torch: a sprite of four frames shown in turn, a new one every few steps. SPECTRAL, so
/// that nothing collides with it, and below the hero (altitude 1), who walks past it.
class Torch : public tw::Object {
public:
  explicit Torch(tw::Vector at) {
    setType("Torch");
    setSprite(tw::ResourceManager::getInstance().getSprite("torch"));
    setSpriteSlowdown(5); // a new frame every 5 steps
    // Each torch starts on a frame of its own, so that they do not flicker in step.
    setSpriteIndex(static_cast<int>(at.getX() + at.getY()) % 4);
    setSolidness(tw::SPECTRAL);
    setAltitude(1);
    setPosition(at);
  }
};

/// Gold: SOFT, so the hero walks onto it instead of being stopped, and both are told that they
/// collided; picked up by the hero, it leaves the world.
class Gold : public tw::Object {
public:
  explicit Gold(tw::Vector at) {
    setType("Gold");
    setSprite(tw::ResourceManager::getInstance().getSprite("gold"));
    setSolidness(tw::SOFT);
    setAltitude(1);
    setPosition(at);
  }

  int eventHandler(const tw::Event* p_event) override {
    if (!p_event->isType(tw::COLLISION_EVENT)) {
      return Object::eventHandler(p_event);
    }
    const auto* p_collision = static_cast<const tw::EventCollision*>(p_event);
    if (p_collision->getObject1()->getType() == "Hero" ||
        p_collision->getObject2()->getType() == "Hero") {
      tw::WorldManager::getInstance().markForDelete(this); // gone at the end of this step
      tw::ResourceManager::getInstance().getSound("gold")->play();
      // One more for the view object of the gold found.
      const tw::EventView found("Gold", 1, true);
      tw::WorldManager::getInstance().onEvent(&found);
    }
    return 1;
  }
};

/// The stairs down: SOFT, as the gold. The hero who steps on them goes down to the next level,
/// in the step after his move: the level must not change under him in the middle of it.
class Stairs : public tw::Object {
public:
  explicit Stairs(tw::Vector at) {
    setType("Stairs");
    setSprite(tw::ResourceManager::getInstance().getSprite("stairs"));
    setSolidness(tw::SOFT);
    setAltitude(1);
    setPosition(at);
    registerInterest(tw::STEP_EVENT);
  }

  int eventHandler(const tw::Event* p_event) override {
    if (p_event->isType(tw::COLLISION_EVENT)) {
      const auto* p_collision = static_cast<const tw::EventCollision*>(p_event);
      taken = taken || p_collision->getObject1()->getType() == "Hero" ||
              p_collision->getObject2()->getType() == "Hero";
      return 1;
    }
    if (p_event->isType(tw::STEP_EVENT) && taken && p_hero) { // not if he died on them
      nextLevel();
      return 1;
    }
    return Object::eventHandler(p_event);
  }

private:
  bool taken = false; ///< the hero stepped on them
};

/// A monster: asks the path manager for a way to the hero once a second, and follows it. SOFT,
/// like the gold, so that monsters pass each other and meet the hero without being stopped.
class Monster : public tw::Object {
public:
  explicit Monster(tw::Vector at) {
    setType("Monster");
    setSprite(tw::ResourceManager::getInstance().getSprite("monster"));
    setSpriteSlowdown(10);
    setBox(MONSTER_BOX);
    setSolidness(tw::SOFT);
    setSpeed(0.125f); // an eighth of a cell a step along its path
    setPosition(at);
    registerInterest(tw::STEP_EVENT);
  }

  int eventHandler(const tw::Event* p_event) override {
    if (p_event->isType(tw::STEP_EVENT)) {
      const auto* p_step = static_cast<const tw::EventStep*>(p_event);
      if (p_hero && p_step->getStepCount() % 30 == 0) {
        tw::PathManager::getInstance().findPath(this, p_hero->getPosition(), tw::NEIGHBORS_4);
      }
      return 1;
    }
    return Object::eventHandler(p_event); // takes the path event and follows the path
  }
};

/// The hero, moved a cell at a time with the arrow keys; escape quits.
class Hero : public tw::Object {
public:
  explicit Hero(tw::Vector at) {
    setType("Hero");
    setSprite(tw::ResourceManager::getInstance().getSprite("hero"));
    setAltitude(3); // drawn over the monsters
    setPosition(at);
    registerInterest(tw::KEYBOARD_EVENT);
    registerInterest(tw::STEP_EVENT);
  }

  /// The floor around him in his light, warm and brighter the nearer, then his sprite.
  void draw() override {
    for (int dy = -LIGHT_RADIUS; dy <= LIGHT_RADIUS; dy++) {
      for (int dx = -LIGHT_RADIUS; dx <= LIGHT_RADIUS; dx++) {
        const tw::Vector at = getPosition() + tw::Vector(dx, dy);
        const int glow = light(at);
        if (glow > 0) {
          const tw::Color warm = tw::rgb(glow, glow * 3 / 4, glow / 2);
          tw::GraphicsManager::getInstance().fillRectangle(tw::Box(at, 1, 1), warm);
        }
      }
    }
    Object::draw();
  }

  int eventHandler(const tw::Event* p_event) override {
    if (p_event->isType(tw::STEP_EVENT)) {
      if (health == 0) {
        if (tw::GameManager::getInstance().getStepCount() == menu_at) {
          showMenu(); // three seconds after his death
        }
        return 1;
      }
      const tw::ObjectList touching =
          tw::WorldManager::getInstance().getCollisions(this, getPosition());
      for (int i = 0; i < touching.getCount(); i++) {
        if (touching.at(i)->getType() == "Monster") {
          hurt();
        }
      }
      return 1;
    }
    if (!p_event->isType(tw::KEYBOARD_EVENT)) {
      return Object::eventHandler(p_event);
    }
    const auto* p_key = static_cast<const tw::EventKeyboard*>(p_event);
    const int action = p_key->getKeyboardAction();
    if (p_key->getKey() == tw::Keyboard::ESCAPE) {
      tw::GameManager::getInstance().setGameOver();
    } else if (health == 0) {
      return 1; // the dead do not walk
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
  int health = HEALTH;
  int safe_until = 0; ///< the step from which he can be hurt again
  int menu_at = 0;    ///< once he is dead, the step at which the menu shows

  /// Takes a point of health, at most once a second; the last one kills him.
  void hurt() {
    const int step = tw::GameManager::getInstance().getStepCount();
    if (health == 0 || step < safe_until) {
      return;
    }
    safe_until = step + 30;
    health--;
    const tw::EventView wound("Health", -1, true);
    tw::WorldManager::getInstance().onEvent(&wound);
    tw::ResourceManager::getInstance().getSound("hurt")->play();
    if (health == 0) {
      p_message->setText("You died");
      tw::LogManager::getInstance().writeLog("Dungeon: the hero died at step %d, on level %d.",
                                             step, level + 1);
      menu_at = step + 90;
      p_hero = nullptr; // the monsters stop hunting
      tw::ResourceManager::getInstance().getMusic("music")->stop();
    }
  }

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

/// Reads a map, a line of text a row: a wall for every '#', a torch for every '*', gold for
/// every '$', a monster for every 'M', stairs for '>', and the hero placed at '@'. Other
/// characters are floor.
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
      } else if (line[x] == '*') {
        new Torch(at);
      } else if (line[x] == '$') {
        new Gold(at);
      } else if (line[x] == 'M') {
        new Monster(at);
      } else if (line[x] == '>') {
        new Stairs(at);
      } else if (line[x] == '@') {
        p_hero->setPosition(at);
      }
    }
  }
  return 0;
}

/// The best gold found in a game, shown at the top. It counts the gold of this game from the
/// view events that the "Gold" view object counts too, and a new best is written at once to
/// HIGH_SCORE_FILE: the record that serialize() makes of the object, which deserialize()
/// reads back when the next high score is made, in this run or the next.
class HighScore : public tw::ViewObject {
public:
  HighScore() {
    setViewString("Best");
    setBorder(false);
    setLocation(tw::TOP_CENTER);
    setColor(tw::CYAN);
    serialize(); // from here on, serialize() writes what changes: the value
    std::ifstream in(HIGH_SCORE_FILE);
    std::string record;
    if (std::getline(in, record)) {
      deserialize(record);
    }
  }

  int eventHandler(const tw::Event* p_event) override {
    if (p_event->isType(tw::VIEW_EVENT)) {
      const auto* p_view = static_cast<const tw::EventView*>(p_event);
      if (p_view->getTag() == "Gold") {
        found += p_view->getValue();
      }
      if (found > getValue()) {
        setValue(found);
        std::ofstream out(HIGH_SCORE_FILE);
        out << serialize() << '\n'; // "value:12,"
      }
      return 1;
    }
    return ViewObject::eventHandler(p_event);
  }

private:
  int found = 0; ///< the gold of this game
};

/// Takes every object out of the world at the end of this step.
void clearWorld() {
  tw::WorldManager& world = tw::WorldManager::getInstance();
  world.markForDelete(world.getAllObjects());
}

/// The hero went down the stairs: the level's objects leave, and the next level's map comes,
/// with the hero at its '@'. The old objects are made inactive at once, so that they neither
/// collide nor show until the world deletes them, at the end of its next update.
void nextLevel() {
  tw::WorldManager& world = tw::WorldManager::getInstance();
  for (const char* type : MAP_TYPES) {
    const tw::ObjectList old = world.objectsOfType(type);
    for (int i = 0; i < old.getCount(); i++) {
      old.at(i)->setActive(false);
    }
    world.markForDelete(old);
  }
  level++;
  if (loadLevel(LEVELS[level].file) != 0) {
    tw::GameManager::getInstance().setGameOver();
    return;
  }
  p_message->setText(LEVELS[level].name);
  tw::LogManager::getInstance().writeLog("Dungeon: down to level %d at step %d.", level + 1,
                                         tw::GameManager::getInstance().getStepCount());
}

/// The menu leaves, and a game starts: the level, the status line and the music.
void startGame() {
  clearWorld();
  level = 0;
  p_hero = new Hero(tw::Vector()); // placed by the map
  if (loadLevel(LEVELS[level].file) != 0) {
    tw::GameManager::getInstance().setGameOver();
    return;
  }
  auto* p_gold = new tw::ViewObject; // the gold found, top left
  p_gold->setViewString("Gold");
  p_gold->setBorder(false);
  p_gold->setLocation(tw::TOP_LEFT);
  p_gold->setColor(tw::YELLOW);
  auto* p_health = new tw::ViewObject; // the hero's health, top right
  p_health->setViewString("Health");
  p_health->setValue(HEALTH);
  p_health->setBorder(false);
  p_health->setLocation(tw::TOP_RIGHT);
  p_health->setColor(tw::RED);
  new HighScore;
  p_message = new tw::TextObject(LEVELS[level].name, tw::Vector(40, 22));
  p_message->setJustification(tw::JUSTIFY_CENTER);
  new tw::Pause(tw::Keyboard::P); // P pauses the game until a key is pressed
  tw::ResourceManager::getInstance().getMusic("music")->play(); // round and round until stopped
}

/// "Play": starts a game.
class PlayButton : public tw::Button {
public:
  PlayButton() {
    setViewString("Play");
    setPosition(tw::Vector(40, 12));
    setHighlightColor(tw::YELLOW); // while the mouse is over it
  }

  void onClick() override { startGame(); }
};

/// "Quit": ends the program, as escape does on the menu.
class QuitButton : public tw::Button {
public:
  QuitButton() {
    setViewString("Quit");
    setPosition(tw::Vector(40, 16));
    setHighlightColor(tw::YELLOW);
    registerInterest(tw::KEYBOARD_EVENT);
  }

  void onClick() override { tw::GameManager::getInstance().setGameOver(); }

  int eventHandler(const tw::Event* p_event) override {
    if (p_event->isType(tw::KEYBOARD_EVENT)) {
      const auto* p_key = static_cast<const tw::EventKeyboard*>(p_event);
      if (p_key->getKey() == tw::Keyboard::ESCAPE &&
          p_key->getKeyboardAction() == tw::Keyboard::KEY_PRESSED) {
        onClick();
      }
      return 1;
    }
    return Button::eventHandler(p_event); // the mouse over it, and its clicks
  }
};

/// The game leaves, and the menu shows: the title, the buttons and the keys.
void showMenu() {
  clearWorld();
  p_hero = nullptr; // both gone with the rest
  p_message = nullptr;
  tw::ResourceManager::getInstance().getMusic("music")->stop();
  auto* p_title = new tw::TextObject("D U N G E O N", tw::Vector(40, 6));
  p_title->setJustification(tw::JUSTIFY_CENTER);
  p_title->setColor(tw::rgb(255, 159, 48));
  new HighScore;
  new PlayButton;
  new QuitButton;
  auto* p_keys =
      new tw::TextObject("Arrow keys: walk    P: pause    Escape: quit", tw::Vector(40, 21));
  p_keys->setJustification(tw::JUSTIFY_CENTER);
}

} // namespace

int main() {
  tw::GameManager& game = tw::GameManager::getInstance();
  tw::ResourceManager& resources = tw::ResourceManager::getInstance();
  // Loaded before the level, whose objects find their sprites by label.
  if (game.startUp() == 0 && resources.loadSprite("hero-spr.txt", "hero") == 0 &&
      resources.loadSprite("torch-spr.txt", "torch") == 0 &&
      resources.loadSprite("gold-spr.txt", "gold") == 0 &&
      resources.loadSprite("monster-spr.txt", "monster") == 0 &&
      resources.loadSprite("stairs-spr.txt", "stairs") == 0 &&
      resources.loadSound("gold.wav", "gold") == 0 &&
      resources.loadSound("hurt.wav", "hurt") == 0 &&
      resources.loadMusic("dungeon.wav", "music") == 0) {
    showMenu();
    game.run();
  }
  game.shutDown();
  return 0;
}
