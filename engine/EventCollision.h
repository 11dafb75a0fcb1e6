#pragma once

#include "Event.h"
#include "Vector.h"

namespace tw {

class Object;

/// Sent by the world manager to both objects when a move would make p_obj1 overlap p_obj2.
class EventCollision : public Event {
public:
  /// An event of type COLLISION_EVENT; the objects are not owned.
  EventCollision(Vector init_pos, Object* p_init_obj1, Object* p_init_obj2);

  /// Where the moving object was moving to.
  Vector getPosition() const { return pos; }
  /// The object that moved.
  Object* getObject1() const { return p_obj1; }
  /// The object it collided with.
  Object* getObject2() const { return p_obj2; }

private:
  Vector pos;
  Object* p_obj1;
  Object* p_obj2;
};

} // namespace tw
