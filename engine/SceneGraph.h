#pragma once

#include "Object.h"
#include "ObjectList.h"

#include <memory>

namespace tw {

class CollisionGrid;

/// Sorts the world's objects into the lists the world manager walks: active, solid, visible
/// per altitude, inactive. It holds pointers only; the world manager owns the objects.
class SceneGraph {
public:
  SceneGraph();
  ~SceneGraph();

  /// Files a new object in the lists its active, visible, solid and altitude values call for;
  /// -1 (logged) on failure.
  int insertObject(Object* p_o);
  /// Takes the object out of every list; -1 (logged) when it was not where its values say.
  int removeObject(Object* p_o);

  /// A copy of the list of active objects.
  ObjectList activeObjects() const { return objects; }
  /// A copy of the list of active HARD and SOFT objects.
  ObjectList solidObjects() const { return solid_objects; }
  /// A copy of the list of inactive objects.
  ObjectList inactiveObjects() const { return inactive_objects; }
  /// A copy of the active visible objects at altitude; empty (logged) out of range.
  ObjectList visibleObjects(int altitude) const;
  /// The lists themselves, for walks that must not allocate.
  const ObjectList& activeRef() const { return objects; }
  /// The solid list itself.
  const ObjectList& solidRef() const { return solid_objects; }
  /// The inactive list itself.
  const ObjectList& inactiveRef() const { return inactive_objects; }
  /// The visible list of altitude itself, or null out of range.
  const ObjectList* visibleRef(int altitude) const;

  // Each reads the object's current (old) value, so the setter calls it before storing.
  /// Moves a visible active object to the list of new_altitude; -1 (logged) out of range.
  int updateAltitude(Object* p_o, int new_altitude);
  /// Puts an active object in or out of the solid list for new_solidness; -1 when it fails.
  int updateSolidness(Object* p_o, Solidness new_solidness);
  /// Puts an active object in or out of its altitude's visible list; -1 when it fails.
  int updateVisible(Object* p_o, bool new_visible);
  /// Moves the object between the active lists and the inactive one; -1 (logged) on failure.
  int updateActive(Object* p_o, bool new_active);
  /// Called after an object's world box changed (its position or its box).
  void updateBox(const Object* p_o);

  /// Keeps the solid objects in a collision grid as well (the default), or stops doing so.
  void setGridEnabled(bool enabled);
  /// Whether the solid objects are kept in the collision grid.
  bool isGridEnabled() const { return grid_enabled; }
  /// Appends the solid objects but p_ignore whose world box intersects box, in the order of
  /// the solid list. False, with result untouched, when the grid cannot answer (it is off,
  /// or the box is too large): scan the solid list then.
  bool solidObjectsNear(const Box& box, const Object* p_ignore, ObjectList& result) const;

private:
  /// Appends to (removes from) the solid list and the grid together.
  int addSolid(Object* p_o);
  int removeSolid(Object* p_o);

  ObjectList objects;
  ObjectList solid_objects;
  ObjectList visible_objects[MAX_ALTITUDE + 1];
  ObjectList inactive_objects;
  bool grid_enabled = true;
  /// Files every member of solid_objects; appends to the list are its inserts, in order. The
  /// engine's own, so held through a pointer; used by reference.
  std::unique_ptr<CollisionGrid> p_grid;
  CollisionGrid& grid;
};

} // namespace tw
