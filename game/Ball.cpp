#include "Ball.h"

#include "Explosion.h"
#include "Mode.h"
#include "Paddle.h"
#include "shared.h"

#include "LogManager.h"
#include "ResourceManager.h"
#include "WorldManager.h"
#include "utility.h"

namespace {

/// One of -0.1, 0 and +0.1.
float jitter() {
  return static_cast<float>((tw::randomNumber() % 3) / 10.0 - 0.1);
}

} // namespace

Ball::Ball(tw::Vector position) {
  setType("Ball");
  setSolidness(tw::HARD);
  setAltitude(4);
  setPosition(position);
  setVelocity(tw::Vector(0.7f, 0.7f));
  registerInterest(tw::STEP_EVENT);
  tw::Sprite* p_sprite = tw::ResourceManager::getInstance().getSprite("ball");
  if (!p_sprite) {
    tw::LogManager::getInstance().writeLog("Ball::Ball(): Warning, sprite '%s' not found", "ball");
    return;
  }
  setSprite(p_sprite);
  setSpriteSlowdown(5);
  setCentered(false);
}

int Ball::eventHandler(const tw::Event* p_event) {
  if (p_event->isType(tw::STEP_EVENT)) {
    step();
    return 1;
  }
  if (p_event->isType(tw::COLLISION_EVENT)) {
    hit(static_cast<const tw::EventCollision*>(p_event));
    return 1;
  }
  return 0;
}

void Ball::step() {
  tw::WorldManager& world = tw::WorldManager::getInstance();
  const Mode& state = Mode::getInstance();
  float px = getPosition().getX(), py = getPosition().getY();
  float dx = getDirection().getX(), dy = getDirection().getY();
  const float j1 = jitter();
  const float j2 = jitter();
  const tw::Box boundary = world.getBoundary();
  const float x0 = boundary.getCorner().getX(), y0 = boundary.getCorner().getY();
  const float w = boundary.getHorizontal(), h = boundary.getVertical();

  if (px < x0 || px > x0 + w || py < y0 || py > y0 + h) {
    int wall = -1;
    if (px < x0) {
      dx = j1 - dx;
      dy = dy > 0 ? j2 + 0.7f : j2 - 0.7f;
      px = x0;
      wall = SIDE_LEFT;
    }
    if (px > x0 + w) {
      dx = j1 - dx;
      dy = dy > 0 ? j2 + 0.7f : j2 - 0.7f;
      px = x0 + w;
      wall = SIDE_RIGHT;
    }
    if (py < y0) {
      dy = j2 - dy;
      dx = dx > 0 ? j1 + 0.7f : j1 - 0.7f;
      py = y0;
      wall = SIDE_TOP;
    }
    if (py > y0 + h) {
      dy = j2 - dy;
      dx = dx > 0 ? j1 + 0.7f : j1 - 0.7f;
      py = y0 + h;
      wall = SIDE_BOTTOM;
    }
    setDirection(tw::Vector(dx, dy));
    setPosition(tw::Vector(px, py));
    if (state.mode == TIMED) {
      addPoints(-2);
    }
    if (state.mode == ADVANCED) {
      const tw::ObjectList all = world.getAllObjects();
      for (int i = 0; i < all.getCount(); i++) {
        tw::Object* p_o = all.at(i);
        if (p_o->typeRef() == "Paddle" && static_cast<Paddle*>(p_o)->getSide() == wall) {
          explode(p_o);
        }
      }
    }
    if (state.mode == REGULAR && wall == SIDE_BOTTOM) {
      Mode::update(MENU, LOSE);
    } else {
      playSound("wall-bounce");
    }
  }

  // No game is won once the player has quit (mode MODE_NONE) in this same frame.
  if (world.objectsOfType("Paddle").isEmpty()) {
    Mode::update(MENU, LOSE);
  } else if (state.mode != MENU && state.mode != MODE_NONE &&
             world.objectsOfType("Brick").isEmpty()) {
    Mode::update(MENU, WIN);
  }
}

void Ball::hit(const tw::EventCollision* p_collision) {
  tw::Object* p_other = p_collision->getObject1();
  if (p_other == this) {
    p_other = p_collision->getObject2();
  }
  const float bx = getPosition().getX(), by = getPosition().getY();
  const float bw = getBox().getHorizontal(), bh = getBox().getVertical();
  const float ox = p_other->getPosition().getX(), oy = p_other->getPosition().getY();
  const float ow = p_other->getBox().getHorizontal(), oh = p_other->getBox().getVertical();
  float dx = getDirection().getX(), dy = getDirection().getY();
  const float j1 = jitter();
  const float j2 = jitter();

  if (ox >= bx + bw || bx >= ox + ow) {
    dx = j1 - dx;
    dy = dy > 0 ? j2 + 0.7f : j2 - 0.7f;
  }
  if (oy >= by + bh || by >= oy + oh) {
    dy = j2 - dy;
    dx = dx > 0 ? j1 + 0.7f : j1 - 0.7f;
  }
  if (Mode::getInstance().mode == TIMED) {
    addPoints(10);
  }
  if (p_other->typeRef() == "Title") {
    auto* p_explosion = new Explosion;
    p_explosion->setPosition(getPosition());
    playSound("explode");
  }
  if (p_other->typeRef() == "Paddle") {
    playSound("paddle-bounce");
  }
  setDirection(tw::Vector(dx, dy));
  setPosition(getPosition());
}
