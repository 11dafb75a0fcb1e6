#pragma once

#include "Box.h"
#include "Manager.h"
#include "ObjectList.h"
#include "SceneGraph.h"
#include "Vector.h"

#include <functional>
#include <vector>

namespace tw {

/// Owns every object: moves them, delivers collision and out events, draws them by altitude
/// and deletes them at the end of the frame in which they were marked.
class WorldManager : public Manager {
public:
  /// Below this many solid objects collisions are found by a scan of them all, which then
  /// takes microseconds per update.
  static constexpr int GRID_MIN_SOLID = 32;

  /// The one world manager, made on first use.
  static WorldManager& getInstance();

  /// Every type but those of the input and game managers and the collision and out events.
  bool isValid(std::string event_type) const override;
  /// Starts with empty boundary and view and no deletions pending; always 0.
  int startUp() override;
  /// Deletes every object, in the world or outside it.
  void shutDown() override;

  /// Takes in a new object: into the world when started, else into the objects outside it.
  /// Returns 0 when the object entered the world.
  int insertObject(Object* p_o);
  /// Forgets an object being destroyed (called by its destructor).
  void removeObject(Object* p_o, bool in_world);
  /// Calls observer with every object being destroyed, whoever deletes it (a handler, the
  /// update, shut-down): for wrappers and caches that must learn that it is gone. It runs in
  /// the object's destructor, once the derived classes' are done: use the address and the
  /// tw::Object part only. An empty observer (the default) stops the calls.
  void setDestroyObserver(std::function<void(Object*)> observer);

  /// Deletes p_o at the end of the current update (marking twice is harmless); -1 for null.
  int markForDelete(Object* p_o);
  /// Marks every object of list; -1 when one of them could not be marked.
  int markForDelete(ObjectList list);
  /// Moves every active object by its velocity, with collision and out events, follows paths,
  /// accelerates, then deletes the objects marked for deletion.
  void update();
  /// Draws the visible objects in the view, altitude by altitude, and every view object.
  void draw();
  /// Moves p_o to where unless a HARD object (or a SOFT one, for no_soft) is in the way.
  /// Only a HARD p_o is stopped by HARD objects; collision events go out either way. 0, or -1
  /// when p_o did not move.
  int moveObject(Object* p_o, Vector where);
  /// The solid objects p_o would overlap at where, in the order of the solid list.
  ObjectList getCollisions(const Object* p_o, Vector where) const;
  /// How collisions are searched: through the scene graph's grid (the default) or by scanning
  /// every solid object. Worlds of fewer than min_solid solid objects are scanned either way.
  /// The answers are the same; only the time differs.
  void setCollisionGrid(bool use_grid, int min_solid = GRID_MIN_SOLID);
  /// True when collisions are searched through the grid.
  bool usesCollisionGrid() const { return scene_graph.isGridEnabled(); }
  /// A copy of the list of active objects, followed by the inactive ones when asked.
  ObjectList getAllObjects(bool include_inactive = false) const;
  /// The active objects whose type is type.
  ObjectList objectsOfType(std::string type) const;

  /// Sets the world's extent in cells; leaving it completely sends an out event.
  void setBoundary(Box new_boundary) { boundary = new_boundary; }
  /// The world's extent in cells (the screen's grid after the game manager's start-up).
  Box getBoundary() const { return boundary; }
  /// Sets the part of the world shown on the screen, in cells.
  void setView(Box new_view) { view = new_view; }
  /// The part of the world shown on the screen, in cells.
  Box getView() const { return view; }
  /// How far from the view's centre the followed object may go before the view moves, as a
  /// fraction of half the view on each axis.
  void setViewSlack(Vector new_view_slack) { view_slack = new_view_slack; }
  /// Fraction of half the view the followed object may stray from its centre on each axis.
  Vector getViewSlack() const { return view_slack; }
  /// Centres the view on view_pos as far as the boundary allows.
  void setViewPosition(Vector view_pos);
  /// Makes the view follow p_o from now on (and centres it there); null stops following.
  int setViewFollowing(Object* p_o);
  /// The object the view follows, or null.
  Object* getViewFollowing() const { return p_view_following; }

  /// The lists of the objects in the world.
  SceneGraph& getSceneGraph() { return scene_graph; }
  /// The lists of the objects in the world, read only.
  const SceneGraph& getSceneGraph() const { return scene_graph; }
  /// True when p_o was destroyed during the walk in progress (its pointer must not be used).
  bool wasDestroyed(const Object* p_o) const;
  /// Brackets a walk over a list of objects, so that objects destroyed meanwhile are noticed.
  void beginWalk() { walk_depth++; }
  /// Ends a walk begun with beginWalk; the outermost one frees the objects destroyed during it.
  void endWalk();
  /// Frees an object's memory now, or at the end of the walk in progress: until then its
  /// address stays what tells a destroyed object in the walk's list.
  void freeAfterWalk(void* p);

private:
  WorldManager();
  /// Fills the member list collisions; it allocates only when that list must grow.
  void findCollisions(const Object* p_o, Vector where) const;
  /// Deletes every object of list that is not destroyed meanwhile, in order; list holds each
  /// object once.
  void deleteAll(const ObjectList& list);

  SceneGraph scene_graph;
  ObjectList deletions;
  Object* p_view_following = nullptr;
  Box boundary;
  Box view;
  Vector view_slack;

  ObjectList outside;           // objects made while the manager was not started
  ObjectList destroyed;         // objects destroyed during the walk in progress
  Object* p_deleting = nullptr; // the object deleteAll is deleting
  std::function<void(Object*)> destroy_observer;
  int walk_depth = 0;
  std::vector<void*> free_after_walk;
  ObjectList update_walk; // reused so that a frame's walks do not allocate
  ObjectList draw_walk;
  mutable ObjectList collisions;
  int grid_min_solid = GRID_MIN_SOLID;
};

/// A world position relative to the view's corner.
Vector worldToView(Vector world_pos);
/// A position relative to the view's corner in world cells.
Vector viewToWorld(Vector view_pos);

} // namespace tw
