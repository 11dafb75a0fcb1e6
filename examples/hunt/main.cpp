// Hunt: two hunters find their way through the maze to you; keep away from them with the arrow
// keys. Everyone is HARD, so the walls stop you and the hunters without any checks of ours, and
// a hunter's path ends on your cell, where it runs into you. Caught, the game ends; escape quits.
#include <tarnwick/EventCollision.h>
#include <tarnwick/EventKeyboard.h>
#include <tarnwick/EventStep.h>
#include <tarnwick/GameManager.h>
#include <tarnwick/GraphicsManager.h>
#include <tarnwick/InputManager.h>
#include <tarnwick/LogManager.h>
#include <tarnwick/PathManager.h>
#include <tarnwick/ResourceManager.h>
#include <tarnwick/WorldManager.h>

namespace {

const char* const MAZE[] = {"#########################################", //
                            "#         #         #         #         #", //
                            "# ####### # ##### # # ####### # ##### # #", //
                            "#       # #     # #   #     # #     # # #", //
                            "####### # ##### # ##### ### # ##### # # #", //
                            "#       #       #       #   #       #   #", //
                            "# ##### ######### ####### ######### ### #", //
                            "#     #           #     #         #     #", //
                            "##### # ######### # ### ######### ##### #", //
                            "#     #         # #   #         #       #", //
                            "# ############# # ### ######### ####### #", //
                            "#               #     #                 #", //
                            "#########################################"};
const tw::Vector CORNER(20, 6); // where the maze's top-left cell is drawn

/// A wall cell: HARD, like everything that moves here.
class Wall : public tw::Object {
public:
  explicit Wall(tw::Vector at) { setType("Wall"), setPosition(at), setAltitude(0); }
  void draw() override {
    tw::GraphicsManager::getInstance().drawCharacter('#', tw::BLUE, getPosition());
  }
};

/// The player: a cell every three steps while an arrow key is held; the world refuses moves
/// into walls.
class Player : public tw::Object {
public:
  Player() {
    setType("Player"), setSprite(tw::ResourceManager::getInstance().getSprite("player"));
    setPosition(CORNER + tw::Vector(1, 11)), setSpriteSlowdown(8);
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
    if (p_event->isType(tw::STEP_EVENT) && ++wait >= 3 && heading != tw::Keyboard::UNDEFINED_KEY) {
      wait = 0;
      const float dx =
          heading == tw::Keyboard::LEFTARROW ? -1.0f : heading == tw::Keyboard::RIGHTARROW;
      const float dy =
          heading == tw::Keyboard::UPARROW ? -1.0f : heading == tw::Keyboard::DOWNARROW;
      tw::WorldManager::getInstance().moveObject(this, getPosition() + tw::Vector(dx, dy));
      return 1;
    }
    return 0;
  }

private:
  int heading = tw::Keyboard::UNDEFINED_KEY;
  int wait = 0;
};

/// A hunter: a quarter of a cell a step along the path the engine finds to the player, searched
/// again twice a second; its one-cell sprite gives it a box of one point.
class Hunter : public tw::Object {
public:
  Hunter(tw::Object* p_target, tw::Vector at) : p_player(p_target) {
    setType("Hunter"), setSprite(tw::ResourceManager::getInstance().getSprite("hunter"));
    setPosition(CORNER + at), setSpeed(0.25f), setSpriteSlowdown(6);
    registerInterest(tw::STEP_EVENT);
  }
  int eventHandler(const tw::Event* p_event) override {
    if (p_event->isType(tw::STEP_EVENT)) {
      if (static_cast<const tw::EventStep*>(p_event)->getStepCount() % 15 == 0) {
        tw::PathManager::getInstance().findPath(this, p_player->getPosition());
      }
      return 1;
    }
    if (p_event->isType(tw::COLLISION_EVENT)) {
      const auto* p_c = static_cast<const tw::EventCollision*>(p_event);
      tw::GameManager& game = tw::GameManager::getInstance();
      if ((p_c->getObject1() == p_player || p_c->getObject2() == p_player) && !game.getGameOver()) {
        tw::LogManager::getInstance().writeLog("Hunt: caught at step %d.", game.getStepCount());
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
  const bool started = game.startUp() == 0 &&
                       resources.loadSprite("player-spr.txt", "player") == 0 &&
                       resources.loadSprite("hunter-spr.txt", "hunter") == 0;
  if (started) {
    for (int y = 0; y < 13; y++) {
      for (int x = 0; MAZE[y][x] != '\0'; x++) {
        if (MAZE[y][x] == '#') {
          new Wall(CORNER + tw::Vector(x, y));
        }
      }
    }
    auto* p_player = new Player;
    new Hunter(p_player, tw::Vector(39, 1)), new Hunter(p_player, tw::Vector(39, 11));
    game.run();
  }
  game.shutDown();
  return started ? 0 : 1;
}
