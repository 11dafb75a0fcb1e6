#pragma once

#include "EventCollision.h"
#include "Object.h"

/// The ball: bounces off the arena's walls and every solid object with a little jitter, and
/// notices when a game is won or lost.
class Ball : public tw::Object {
public:
  explicit Ball(tw::Vector position);
  int eventHandler(const tw::Event* p_event) override;
  void step();
  void hit(const tw::EventCollision* p_collision);
};
