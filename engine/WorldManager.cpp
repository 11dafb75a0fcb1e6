#include "WorldManager.h"

#include "EventCollision.h"
#include "EventOut.h"
#include "LogManager.h"
#include "Object.h"
#include "ViewObject.h"
#include "utility.h"

namespace tw {

WorldManager::WorldManager() {
  setType("WorldManager");
}

WorldManager& WorldManager::getInstance() {
  static WorldManager world_manager;
  return world_manager;
}

bool WorldManager::isValid(std::string event_type) const {
  const LogManager& log = LogManager::getInstance();
  if (event_type == KEYBOARD_EVENT || event_type == MOUSE_EVENT || event_type == STEP_EVENT) {
    log.writeLog("WorldManager::isValid(): WorldManager does not handle %s", event_type.c_str());
    return false;
  }
  if (event_type == OUT_EVENT || event_type == COLLISION_EVENT) {
    log.writeLog("WorldManager::isValid(): Event %s handled automatically.", event_type.c_str());
    return false;
  }
  return true;
}

int WorldManager::startUp() {
  boundary = Box();
  view = Box();
  view_slack = Vector(0, 0);
  p_view_following = nullptr;
  deletions.clear();
  Manager::startUp();
  LogManager::getInstance().writeLog(5, "WorldManager::startUp(): successfully started.");
  return 0;
}

void WorldManager::shutDown() {
  Manager::shutDown();
  deletions.clear(); // everything goes: nothing need leave the list one by one
  // Destructors may make new objects; those land outside the world and are deleted too.
  while (true) {
    const ObjectList all = getAllObjects(true) + outside;
    if (all.isEmpty()) {
      break;
    }
    deleteAll(all);
  }
  deletions.clear();
  p_view_following = nullptr;
}

int WorldManager::insertObject(Object* p_o) {
  if (!isStarted()) {
    const LogManager& log = LogManager::getInstance();
    log.writeLog(2, "WorldManager::insertObject(): Not adding Object %d", p_o->getId());
    log.writeLog(2, "                              because WorldManager not started.");
    outside.add(p_o);
    return -1;
  }
  scene_graph.insertObject(p_o);
  return 0;
}

void WorldManager::removeObject(Object* p_o, bool in_world) {
  if (destroy_observer) {
    destroy_observer(p_o);
  }
  if (in_world) {
    scene_graph.removeObject(p_o);
  } else {
    outside.remove(p_o);
  }
  // Whatever still points at the object must forget it.
  while (deletions.remove(p_o) == 0) {
  }
  if (p_view_following == p_o) {
    p_view_following = nullptr;
  }
  // The object a lone deletion walk is deleting is not met again in that walk's list.
  if (walk_depth > 0 && !(p_o == p_deleting && walk_depth == 1)) {
    destroyed.add(p_o);
  }
}

void WorldManager::setDestroyObserver(std::function<void(Object*)> observer) {
  destroy_observer = std::move(observer);
}

bool WorldManager::wasDestroyed(const Object* p_o) const {
  return !destroyed.isEmpty() && destroyed.contains(p_o);
}

void WorldManager::endWalk() {
  if (--walk_depth == 0) {
    destroyed.clear();
    for (void* p : free_after_walk) {
      ::operator delete(p);
    }
    free_after_walk.clear();
  }
}

void WorldManager::freeAfterWalk(void* p) {
  // The object a lone deletion walk deletes is met again in no list: its memory goes now.
  if (walk_depth > 0 && p && !(p == p_deleting && walk_depth == 1)) {
    free_after_walk.push_back(p);
  } else {
    ::operator delete(p);
  }
}

int WorldManager::markForDelete(Object* p_o) {
  if (p_o && deletions.contains(p_o)) {
    return 0;
  }
  if (deletions.add(p_o) != 0) {
    LogManager::getInstance().writeLog(
        "WorldManager::markForDelete(): unable to add object %s to deletions list",
        PointerText(p_o).c_str());
    return -1;
  }
  return 0;
}

int WorldManager::markForDelete(ObjectList list) {
  int result = 0;
  for (int i = 0; i < list.getCount(); i++) {
    if (markForDelete(list.at(i)) != 0) {
      result = -1;
    }
  }
  return result;
}

void WorldManager::update() {
  beginWalk();
  update_walk = scene_graph.activeRef();
  for (int i = 0; i < update_walk.getCount(); i++) {
    Object* p_o = update_walk.at(i);
    if (wasDestroyed(p_o)) {
      continue;
    }
    const Vector new_position = p_o->predictPosition();
    if (new_position != p_o->getPosition()) {
      moveObject(p_o, new_position);
      if (wasDestroyed(p_o)) {
        continue;
      }
    }
    p_o->doPathFollowing();
    if (wasDestroyed(p_o)) {
      continue;
    }
    if (p_o->getAcceleration() != Vector(0, 0)) {
      p_o->accelerate();
    }
  }
  endWalk();

  // In the order of marking. A destructor may mark more objects (deleted in the next round)
  // or destroy marked ones itself.
  while (!deletions.isEmpty()) {
    ObjectList marked;
    marked.swap(deletions);
    deleteAll(marked);
    if (deletions.isEmpty()) {
      marked.clear();
      deletions.swap(marked); // keeping the storage: marking as many again allocates nothing
    }
  }
}

void WorldManager::deleteAll(const ObjectList& list) {
  Object* const p_outer = p_deleting; // a destructor may delete objects in a walk of its own
  beginWalk();
  for (int i = 0; i < list.getCount(); i++) {
    Object* p_o = list.at(i);
    p_deleting = p_o;
    if (!wasDestroyed(p_o)) {
      delete p_o;
    }
  }
  p_deleting = p_outer;
  endWalk();
}

int WorldManager::moveObject(Object* p_o, Vector where) {
  if (p_o->isSolid()) {
    findCollisions(p_o, where);
    if (!collisions.isEmpty()) {
      const ObjectList list = collisions; // handlers may move objects and rescan
      bool do_move = true;
      beginWalk();
      for (int i = 0; i < list.getCount(); i++) {
        Object* p_other = list.at(i);
        if (wasDestroyed(p_o)) {
          break;
        }
        if (wasDestroyed(p_other)) {
          continue;
        }
        const EventCollision c(where, p_o, p_other);
        p_o->eventHandler(&c);
        if (!wasDestroyed(p_other)) {
          p_other->eventHandler(&c);
        }
        if (wasDestroyed(p_o) || wasDestroyed(p_other)) {
          continue;
        }
        if (p_o->getSolidness() == HARD && p_other->getSolidness() == HARD) {
          do_move = false;
        }
        if (p_o->getNoSoft() && p_other->getSolidness() == SOFT) {
          do_move = false;
        }
      }
      const bool gone = wasDestroyed(p_o);
      endWalk();
      if (gone || !do_move) {
        return -1;
      }
    }
  }

  const Box old_box = getWorldBox(p_o);
  p_o->setPosition(where);
  const Box new_box = getWorldBox(p_o);
  if (boxIntersectsBox(old_box, boundary) && !boxIntersectsBox(new_box, boundary)) {
    const EventOut out;
    p_o->eventHandler(&out);
  }
  if (p_view_following == p_o) {
    const float half_h = view.getHorizontal() * 0.5f;
    const float half_v = view.getVertical() * 0.5f;
    Vector centre = view.getCorner() + Vector(half_h, half_v);
    const float left = centre.getX() - view_slack.getX() * half_h;
    const float right = centre.getX() + view_slack.getX() * half_h;
    const float top = centre.getY() - view_slack.getY() * half_v;
    const float bottom = centre.getY() + view_slack.getY() * half_v;
    const Vector pos = p_o->getPosition();
    if (pos.getX() < left) {
      centre.setX(centre.getX() - (left - pos.getX()));
    } else if (pos.getX() > right) {
      centre.setX(centre.getX() + (pos.getX() - right));
    }
    if (pos.getY() < top) {
      centre.setY(centre.getY() - (top - pos.getY()));
    } else if (pos.getY() > bottom) {
      centre.setY(centre.getY() + (pos.getY() - bottom));
    }
    setViewPosition(centre);
  }
  return 0;
}

void WorldManager::setViewPosition(Vector view_pos) {
  float x = view_pos.getX() - view.getHorizontal() * 0.5f;
  if (x + view.getHorizontal() > boundary.getHorizontal()) {
    x = boundary.getHorizontal() - view.getHorizontal();
  }
  if (x < 0) {
    x = 0;
  }
  float y = view_pos.getY() - view.getVertical() * 0.5f;
  if (y + view.getVertical() > boundary.getVertical()) {
    y = boundary.getVertical() - view.getVertical();
  }
  if (y < 0) {
    y = 0;
  }
  view.setCorner(Vector(x, y));
}

int WorldManager::setViewFollowing(Object* p_o) {
  p_view_following = p_o;
  if (p_o) {
    setViewPosition(p_o->getPosition());
  }
  return 0;
}

ObjectList WorldManager::getCollisions(const Object* p_o, Vector where) const {
  findCollisions(p_o, where);
  return collisions;
}

void WorldManager::setCollisionGrid(bool use_grid, int min_solid) {
  scene_graph.setGridEnabled(use_grid);
  grid_min_solid = min_solid;
}

void WorldManager::findCollisions(const Object* p_o, Vector where) const {
  // No handler runs during the search, so the solid list is read in place.
  collisions.clear();
  const Box box = getWorldBox(p_o, where);
  const ObjectList& solid = scene_graph.solidRef();
  // The grid's answer equals the scan's, in the same order.
  if (solid.getCount() >= grid_min_solid && scene_graph.solidObjectsNear(box, p_o, collisions)) {
    return;
  }
  for (int i = 0; i < solid.getCount(); i++) {
    Object* p_other = solid.at(i);
    if (p_other != p_o && p_other->isSolid() && boxIntersectsBox(box, getWorldBox(p_other))) {
      collisions.add(p_other);
    }
  }
}

ObjectList WorldManager::getAllObjects(bool include_inactive) const {
  if (include_inactive) {
    return scene_graph.activeObjects() + scene_graph.inactiveObjects();
  }
  return scene_graph.activeObjects();
}

ObjectList WorldManager::objectsOfType(std::string type) const {
  ObjectList list;
  const ObjectList& active = scene_graph.activeRef();
  for (int i = 0; i < active.getCount(); i++) {
    if (active.at(i)->typeRef() == type) {
      list.add(active.at(i));
    }
  }
  return list;
}

void WorldManager::draw() {
  beginWalk();
  for (int altitude = MIN_ALTITUDE; altitude <= MAX_ALTITUDE; altitude++) {
    draw_walk = *scene_graph.visibleRef(altitude);
    for (int i = 0; i < draw_walk.getCount(); i++) {
      Object* p_o = draw_walk.at(i);
      if (wasDestroyed(p_o)) {
        continue;
      }
      // View objects sit in view coordinates and are always drawn.
      if (boxIntersectsBox(getWorldBox(p_o), view) || dynamic_cast<ViewObject*>(p_o)) {
        p_o->draw();
      }
    }
  }
  endWalk();
}

Vector worldToView(Vector world_pos) {
  return world_pos - WorldManager::getInstance().getView().getCorner();
}

Vector viewToWorld(Vector view_pos) {
  return view_pos + WorldManager::getInstance().getView().getCorner();
}

} // namespace tw
