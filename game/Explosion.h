#pragma once

#include "Object.h"
#include "ObjectList.h"

/// Plays its sprite once where something was destroyed, then deletes itself.
class Explosion : public tw::Object {
public:
  Explosion();
  int eventHandler(const tw::Event* p_event) override;
  int getTimeToLive() const { return time_to_live; }

private:
  int time_to_live = 0;
};

/// Replaces an object with an explosion: plays "explode" and marks the object for deletion.
void explode(tw::Object* p_o);
void explodeAll(tw::ObjectList list);
