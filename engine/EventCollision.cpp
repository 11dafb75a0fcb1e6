#include "EventCollision.h"

namespace tw {

EventCollision::EventCollision(Vector init_pos, Object* p_init_obj1, Object* p_init_obj2)
    : pos(init_pos), p_obj1(p_init_obj1), p_obj2(p_init_obj2) {
  setType(COLLISION_EVENT);
}

} // namespace tw
