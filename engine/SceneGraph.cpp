#include "SceneGraph.h"

#include "CollisionGrid.h"
#include "LogManager.h"

namespace tw {

namespace {
bool validAltitude(int altitude) {
  return altitude >= MIN_ALTITUDE && altitude <= MAX_ALTITUDE;
}
} // namespace

SceneGraph::SceneGraph() : p_grid(std::make_unique<CollisionGrid>()), grid(*p_grid) {
  // Every object leaves these lists when it is destroyed: by its key, not by a search.
  objects.keepKeys();
  solid_objects.keepKeys();
  for (ObjectList& list : visible_objects) {
    list.keepKeys();
  }
  inactive_objects.keepKeys();
}

SceneGraph::~SceneGraph() = default;

int SceneGraph::addSolid(Object* p_o) {
  if (solid_objects.add(p_o, p_o->places.solid) != 0) {
    return -1;
  }
  if (grid_enabled) {
    grid.insert(p_o);
  }
  return 0;
}

int SceneGraph::removeSolid(Object* p_o) {
  if (grid_enabled) {
    grid.remove(p_o);
  }
  return solid_objects.remove(p_o, p_o->places.solid);
}

void SceneGraph::updateBox(const Object* p_o) {
  if (grid_enabled) {
    grid.update(p_o);
  }
}

void SceneGraph::setGridEnabled(bool enabled) {
  if (enabled == grid_enabled) {
    return;
  }
  grid_enabled = enabled;
  grid.clear();
  if (enabled) {
    for (int i = 0; i < solid_objects.getCount(); i++) {
      grid.insert(solid_objects.at(i));
    }
  }
}

bool SceneGraph::solidObjectsNear(const Box& box, const Object* p_ignore,
                                  ObjectList& result) const {
  return grid_enabled && grid.query(box, p_ignore, result);
}

int SceneGraph::insertObject(Object* p_o) {
  const LogManager& log = LogManager::getInstance();
  if (!p_o->isActive()) {
    return inactive_objects.add(p_o, p_o->places.inactive);
  }
  if (objects.add(p_o, p_o->places.active) != 0) {
    log.writeLog("SceneGraph::insertObject(): unable to insert object");
    return -1;
  }
  if (p_o->isSolid() && addSolid(p_o) != 0) {
    log.writeLog("SceneGraph::insertObject(): unable to insert solid object");
    return -1;
  }
  if (!p_o->isVisible()) {
    return 0;
  }
  const int altitude = p_o->getAltitude();
  if (!validAltitude(altitude)) {
    log.writeLog("SceneGraph::insertObject(): Altitude %d not in [%d,%d]!", altitude, MIN_ALTITUDE,
                 MAX_ALTITUDE);
    return -1;
  }
  if (visible_objects[altitude].add(p_o, p_o->places.visible) != 0) {
    log.writeLog("SceneGraph::insertObject(): unable to insert visible object");
    return -1;
  }
  return 0;
}

int SceneGraph::removeObject(Object* p_o) {
  bool failed = false;
  if (p_o->isActive()) {
    failed |= objects.remove(p_o, p_o->places.active) != 0;
    if (p_o->isVisible()) {
      const int altitude = p_o->getAltitude();
      failed |= !validAltitude(altitude) ||
                visible_objects[altitude].remove(p_o, p_o->places.visible) != 0;
    }
    if (p_o->isSolid()) {
      failed |= removeSolid(p_o) != 0;
    }
  } else {
    failed |= inactive_objects.remove(p_o, p_o->places.inactive) != 0;
  }
  // Whatever its fields say, a destroyed object must not stay in the grid.
  if (!p_o->isActive() || !p_o->isSolid()) {
    grid.remove(p_o);
  }
  if (failed) {
    LogManager::getInstance().writeLog(
        "SceneGraph::removeObject(): error removing object!  Pointer is %s.\n",
        PointerText(p_o).c_str());
    return -1;
  }
  return 0;
}

ObjectList SceneGraph::visibleObjects(int altitude) const {
  if (!validAltitude(altitude)) {
    LogManager::getInstance().writeLog("SceneGraph::visibleObjects(): Altitude %d not in [%d,%d]!",
                                       altitude, MIN_ALTITUDE, MAX_ALTITUDE);
    return ObjectList();
  }
  return visible_objects[altitude];
}

const ObjectList* SceneGraph::visibleRef(int altitude) const {
  return validAltitude(altitude) ? &visible_objects[altitude] : nullptr;
}

int SceneGraph::updateAltitude(Object* p_o, int new_altitude) {
  const LogManager& log = LogManager::getInstance();
  if (!p_o->isActive()) {
    return 0;
  }
  if (!validAltitude(new_altitude)) {
    log.writeLog("SceneGraph::updateAltitude(): New altitude %d not in [%d,%d]!  No update.",
                 new_altitude, MIN_ALTITUDE, MAX_ALTITUDE);
    return -1;
  }
  const int old_altitude = p_o->getAltitude();
  if (!validAltitude(old_altitude)) {
    log.writeLog("SceneGraph::updateAltitude(): Old altitude %d not in [%d,%d]!  This is "
                 "unxepected.  No update.",
                 old_altitude, MIN_ALTITUDE, MAX_ALTITUDE);
    return -1;
  }
  if (!p_o->isVisible()) {
    return 0;
  }
  if (visible_objects[old_altitude].remove(p_o, p_o->places.visible) != 0) {
    log.writeLog("SceneGraph::updateAltitude(): remove from old altitude (%d) failed!",
                 old_altitude);
    return -1;
  }
  if (visible_objects[new_altitude].add(p_o, p_o->places.visible) != 0) {
    log.writeLog("SceneGraph::updateAltitude()): insert visible object at altitude %d failed!",
                 new_altitude);
    return -1;
  }
  return 0;
}

int SceneGraph::updateSolidness(Object* p_o, Solidness new_solidness) {
  const LogManager& log = LogManager::getInstance();
  if (!p_o->isActive()) {
    return 0;
  }
  if (p_o->isSolid() && removeSolid(p_o) != 0) {
    log.writeLog("SceneGraph::updateSolidness(): unable to remove solid object (%s)",
                 p_o->typeRef().c_str());
  }
  if (new_solidness != HARD && new_solidness != SOFT) {
    return 0;
  }
  if (addSolid(p_o) != 0) {
    log.writeLog("SceneGraph::updateSolidness(): unable to insert solid object");
    return -1;
  }
  return 0;
}

int SceneGraph::updateVisible(Object* p_o, bool new_visible) {
  if (!p_o->isActive() || p_o->isVisible() == new_visible) {
    return 0;
  }
  const LogManager& log = LogManager::getInstance();
  const int altitude = p_o->getAltitude();
  if (!validAltitude(altitude)) {
    return -1;
  }
  if (p_o->isVisible()) {
    if (visible_objects[altitude].remove(p_o, p_o->places.visible) != 0) {
      log.writeLog("SceneGraph::updateVisible(): unable to remove visible object (%s)",
                   p_o->typeRef().c_str());
      return -1;
    }
  } else if (visible_objects[altitude].add(p_o, p_o->places.visible) != 0) {
    log.writeLog("SceneGraph::updateVisible(): unable to add visible object (%s)",
                 p_o->typeRef().c_str());
    return -1;
  }
  return 0;
}

int SceneGraph::updateActive(Object* p_o, bool new_active) {
  if (p_o->isActive() == new_active) {
    return 0;
  }
  const LogManager& log = LogManager::getInstance();
  const char* type = p_o->typeRef().c_str();
  const int altitude = p_o->getAltitude();
  int result = 0;
  if (p_o->isActive()) {
    if (objects.remove(p_o, p_o->places.active) != 0) {
      log.writeLog("SceneGraph::updateActive(): remove object (%s) failed for objects!", type);
      result = -1;
    }
    if (p_o->isVisible() && (!validAltitude(altitude) ||
                             visible_objects[altitude].remove(p_o, p_o->places.visible) != 0)) {
      log.writeLog(
          "SceneGraph::updateActive(): remove visible object (%s) failed for visible_objects!",
          type);
      result = -1;
    }
    if (p_o->isSolid() && removeSolid(p_o) != 0) {
      log.writeLog("SceneGraph::updateActive(): remove object (%s) failed for solid_objects!",
                   type);
      result = -1;
    }
    if (inactive_objects.add(p_o, p_o->places.inactive) != 0) {
      log.writeLog("SceneGraph::updateActive(): insert object (%s) failed for inactive_objects!",
                   type);
      return -1;
    }
    return result;
  }
  if (objects.add(p_o, p_o->places.active) != 0) {
    log.writeLog("SceneGraph::updateActive(): insert object (%s) failed for objects!", type);
    result = -1;
  }
  if (p_o->isVisible() &&
      (!validAltitude(altitude) || visible_objects[altitude].add(p_o, p_o->places.visible) != 0)) {
    log.writeLog("SceneGraph::updateActive(): insert object (%s) failed for visible_objects!",
                 type);
    result = -1;
  }
  if (p_o->isSolid() && addSolid(p_o) != 0) {
    log.writeLog("SceneGraph::updateActive(): insert object (%s) failed for solid_objects!", type);
    result = -1;
  }
  if (inactive_objects.remove(p_o, p_o->places.inactive) != 0) {
    log.writeLog("SceneGraph::updateActive(): remove object (%s) failed for inactive_objects!",
                 type);
    return -1;
  }
  return result;
}

} // namespace tw
