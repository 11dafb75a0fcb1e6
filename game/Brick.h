#pragma once

#include "EventCollision.h"
#include "Object.h"

enum BrickKind {
  BRICK_DEFAULT = 0,
  BRICK_STRONG,
  BRICK_SUPER,
  BRICK_MOVING,
};

/// A target: loses a hit point each time the ball runs into it and explodes at none.
class Brick : public tw::Object {
public:
  Brick(int kind, tw::Vector position);
  int eventHandler(const tw::Event* p_event) override;
  void hit(const tw::EventCollision* p_collision);

  int getKind() const { return kind; }
  int getHitPoints() const { return hit_points; }

private:
  int kind;
  int hit_points = 1;
};

/// How many destroyed bricks the timed mode remembers for bringing back; it stops recording
/// when full.
constexpr int RESPAWN_CAPACITY = 500;

/// Number of bricks recorded so far and the index of the next one to bring back.
int respawnCount();
int respawnNext();
