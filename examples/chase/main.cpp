// Chase: walk the maze with the arrow keys and pick up the coins; a monster finds its way to
// you round the walls. Caught, or with every coin taken, the game ends; escape quits.
#include <tarnwick/EventCollision.h>
#include <tarnwick/EventKeyboard.h>
#include <tarnwick/EventStep.h>
#include <tarnwick/EventView.h>
#include <tarnwick/GameManager.h>
#include <tarnwick/GraphicsManager.h>
#include <tarnwick/InputManager.h>
#include <tarnwick/LogManager.h>
#include <tarnwick/ObjectList.h>
#include <tarnwick/PathManager.h>
#include <tarnwick/ResourceManager.h>
#include <tarnwick/ViewObject.h>
#include <tarnwick/WorldManager.h>

#include <string>

namespace {

int coins_left = 0;
/// The monster's box: the cell around it, not touching the next (the default box). A one-cell
/// sprite's own box is the point at its position: right for the player, who moves a whole cell
/// at a time, but the monster moves an eighth of a cell a step and could slip past him.
const tw::Box ONE_CELL(tw::Vector(-0.5f, -0.5f), 0.99f, 0.99f);

const char* const MAZE[] = {
    "################################################################################",
    "#$     #            $           #                     $      #               $ #",
    "#  ##  #  ######  #####  ####   #   #########  #####  ####   #   ########      #",
    "#  #$     #    #      #     #       #       #      #     #       #      #  $   #",
    "#  ####   #  $ #  ##  #  #  #####   #  $    #  ##  #  #  ####    #  $   #      #",
    "#         #    #   #     #      #   #####  ##   #     #      #   ###  ###      #",
    "#####  ####  ###   ####  ####   #           #   #######  #   #                 #",
    "#    $          #     $     #   #######  ####        #   #   ######  ####  ### #",
    "#  ##########   #######  #  #         #     #  $##   #   #        #     #      #",
    "#           #         #  #  #####  $  #  #  #   #    #   ######   #  $  #  #   #",
    "#  $  ###   #  ####   #  #      #     #  #      #  ###        #   #     #  #   #",
    "#     #     #     #      ####   #######  #####  #       ####  #   #######  #   #",
    "#  ####  ####  $  ######    #                   ####  $    #                #$ #",
    "#                      #    #   #######  ####      #  ######  ####  #####   #  #",
    "#$   ######  ######    #  $     #                  #                  $     #  #",
    "################################################################################"};

/// A wall cell: hard, so nothing walks through it and path finding goes round it.
class Wall : public tw::Object {
public:
  explicit Wall(tw::Vector at) { setType("Wall"), setPosition(at), setAltitude(0); }
  void draw() override {
    tw::GraphicsManager::getInstance().drawCharacter('#', tw::BLUE, getPosition());
  }
};

/// A coin: soft, so walkers pass over it and are told so.
class Coin : public tw::Object {
public:
  explicit Coin(tw::Vector at) {
    setType("Coin"), setPosition(at), setSolidness(tw::SOFT), coins_left++;
  }
  void draw() override {
    tw::GraphicsManager::getInstance().drawCharacter('$', tw::YELLOW, getPosition());
  }
  /// True the first time: the coin leaves the world at the end of this update.
  bool take() {
    return !taken && (taken = true, tw::WorldManager::getInstance().markForDelete(this) == 0);
  }

private:
  bool taken = false;
};

/// The player: a sprite moved a cell at a time while an arrow key is held, never into a wall.
/// Soft, like the monster, so that the two collide without blocking each other.
class Player : public tw::Object {
public:
  Player() {
    setType("Player"), setSprite(tw::ResourceManager::getInstance().getSprite("player"));
    setPosition(tw::Vector(2, 14)), setSpriteSlowdown(8);
    setSolidness(tw::SOFT);
    registerInterest(tw::KEYBOARD_EVENT), registerInterest(tw::STEP_EVENT);
  }
  int eventHandler(const tw::Event* p_event) override {
    if (p_event->isType(tw::KEYBOARD_EVENT)) {
      const auto* p_key = static_cast<const tw::EventKeyboard*>(p_event);
      if (p_key->getKey() == tw::Keyboard::ESCAPE) {
        tw::GameManager::getInstance().setGameOver();
      } else if (p_key->getKeyboardAction() != tw::Keyboard::KEY_RELEASED) {
        heading = p_key->getKey();
      } else if (p_key->getKey() == heading) {
        heading = tw::Keyboard::UNDEFINED_KEY;
      }
      return 1;
    }
    if (p_event->isType(tw::STEP_EVENT) && ++wait >= 3) { // a cell every three steps
      const float dx =
          heading == tw::Keyboard::LEFTARROW ? -1.0f : heading == tw::Keyboard::RIGHTARROW;
      const float dy =
          heading == tw::Keyboard::UPARROW ? -1.0f : heading == tw::Keyboard::DOWNARROW;
      const tw::Vector to = getPosition() + tw::Vector(dx, dy);
      const tw::ObjectList in_way = tw::WorldManager::getInstance().getCollisions(this, to);
      bool wall = false;
      for (int i = 0; i < in_way.getCount(); i++) {
        wall = wall || in_way.at(i)->getType() == "Wall";
      }
      if ((dx != 0 || dy != 0) && !wall) {
        wait = 0;
        tw::WorldManager::getInstance().moveObject(this, to); // a coin there collides
      }
      return 1;
    }
    if (p_event->isType(tw::COLLISION_EVENT)) {
      const auto* p_c = static_cast<const tw::EventCollision*>(p_event);
      tw::Object* p_other = p_c->getObject1() == this ? p_c->getObject2() : p_c->getObject1();
      if (p_other->getType() == "Coin" && static_cast<Coin*>(p_other)->take()) {
        const tw::EventView more("Coins", 1, true); // the view object counts them
        tw::WorldManager::getInstance().onEvent(&more);
        if (--coins_left == 0) {
          tw::LogManager::getInstance().writeLog("Chase: every coin taken at step %d.",
                                                 tw::GameManager::getInstance().getStepCount());
          tw::GameManager::getInstance().setGameOver();
        }
      }
      return 1;
    }
    return 0;
  }

private:
  int heading = tw::Keyboard::UNDEFINED_KEY;
  int wait = 0;
};

/// The monster: asks the path manager for a way to the player every second and follows it.
class Monster : public tw::Object {
public:
  explicit Monster(tw::Object* p_target) : p_player(p_target) {
    setType("Monster"), setSprite(tw::ResourceManager::getInstance().getSprite("monster"));
    setBox(ONE_CELL), setPosition(tw::Vector(78, 4)), setSpeed(0.125f), setSolidness(tw::SOFT);
    registerInterest(tw::STEP_EVENT);
  }
  int eventHandler(const tw::Event* p_event) override {
    if (p_event->isType(tw::STEP_EVENT)) {
      if (static_cast<const tw::EventStep*>(p_event)->getStepCount() % 30 == 0) {
        tw::PathManager::getInstance().findPath(this, p_player->getPosition());
      }
      return 1;
    }
    if (p_event->isType(tw::COLLISION_EVENT)) {
      const auto* p_c = static_cast<const tw::EventCollision*>(p_event);
      // Caught once: the monster may meet the player twice in a step (moving, and moved into).
      tw::GameManager& game = tw::GameManager::getInstance();
      if ((p_c->getObject1() == p_player || p_c->getObject2() == p_player) && !game.getGameOver()) {
        tw::LogManager::getInstance().writeLog("Chase: caught at step %d.", game.getStepCount());
        game.setGameOver();
      }
      return 1;
    }
    return Object::eventHandler(p_event); // path events start the following
  }

private:
  tw::Object* p_player;
};

} // namespace

int main() {
  tw::GameManager& game = tw::GameManager::getInstance();
  tw::ResourceManager& resources = tw::ResourceManager::getInstance();
  if (game.startUp() == 0 && resources.loadSprite("player-spr.txt", "player") == 0 &&
      resources.loadSprite("monster-spr.txt", "monster") == 0) {
    for (int y = 0; y < 16; y++) {
      for (int x = 0; MAZE[y][x] != '\0'; x++) {
        if (MAZE[y][x] == '#') {
          new Wall(tw::Vector(x, y + 3));
        } else if (MAZE[y][x] == '$') {
          new Coin(tw::Vector(x, y + 3));
        }
      }
    }
    auto* p_coins = new tw::ViewObject;
    p_coins->setViewString("Coins"), p_coins->setLocation(tw::TOP_LEFT);
    new Monster(new Player);
    game.run();
  }
  game.shutDown();
  return 0;
}
