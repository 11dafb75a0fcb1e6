#include "Brick.h"

#include "Explosion.h"
#include "Mode.h"

#include "LogManager.h"
#include "ResourceManager.h"
#include "Sprite.h"

namespace {

// Bricks destroyed in timed mode, remembered for the whole run.
struct RespawnRecord {
  int kinds[RESPAWN_CAPACITY];
  tw::Vector positions[RESPAWN_CAPACITY];
  int count = 0;
  int next = 0;
};

RespawnRecord& record() {
  static RespawnRecord respawn;
  return respawn;
}

const char* spriteFor(int kind) {
  switch (kind) {
  case BRICK_STRONG:
    return "brick-strong";
  case BRICK_SUPER:
    return "brick-super";
  case BRICK_MOVING:
    return "brick-moving";
  default:
    return "brick-default";
  }
}

} // namespace

int respawnCount() {
  return record().count;
}
int respawnNext() {
  return record().next;
}

Brick::Brick(int init_kind, tw::Vector position) : kind(init_kind) {
  setType("Brick");
  setSolidness(tw::HARD);
  setPosition(position);
  switch (kind) {
  case BRICK_STRONG:
    hit_points = 2;
    break;
  case BRICK_SUPER:
    hit_points = 3;
    break;
  case BRICK_MOVING:
    setVelocity(tw::Vector(-0.25f, 0));
    break;
  default:
    break;
  }
  tw::Sprite* p_sprite = tw::ResourceManager::getInstance().getSprite(spriteFor(kind));
  if (!p_sprite) {
    tw::LogManager::getInstance().writeLog("Brick::Brick(): Warning! Brick sprite not found");
    return;
  }
  setSprite(p_sprite);
  setSpriteSlowdown(30);
  setCentered(false);
}

int Brick::eventHandler(const tw::Event* p_event) {
  if (p_event->isType(tw::COLLISION_EVENT)) {
    hit(static_cast<const tw::EventCollision*>(p_event));
    return 1;
  }
  return 0;
}

void Brick::hit(const tw::EventCollision* p_collision) {
  const tw::Object* p_other = p_collision->getObject1();
  if (p_other == this) {
    p_other = p_collision->getObject2();
  }
  if (p_other->typeRef() != "Ball") {
    return;
  }
  hit_points--;
  if (hit_points < 1) {
    if (Mode::getInstance().mode == TIMED) {
      RespawnRecord& r = record();
      if (r.count < RESPAWN_CAPACITY) {
        r.kinds[r.count] = kind;
        r.positions[r.count] = getPosition();
        r.count++;
      }
      // A full record keeps bringing back what it holds until it runs out.
      if (r.count > 10 && r.next < r.count) {
        new Brick(r.kinds[r.next], r.positions[r.next]);
        r.next++;
      }
    }
    explode(this);
    return;
  }
  if (tw::Sprite* p_sprite = getSprite()) {
    p_sprite->setColor(hit_points == 1 ? tw::RED : hit_points == 2 ? tw::YELLOW : tw::GREEN);
  }
}
