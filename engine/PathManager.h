#pragma once

#include "Manager.h"
#include "PathFind.h"
#include "Vector.h"

#include <vector>

namespace tw {

class Object;

/// Runs the path searches in progress a little each frame, within half a frame's time.
class PathManager : public Manager {
public:
  /// The one path manager, made on first use.
  static PathManager& getInstance();

  /// Takes half the game manager's frame time as the budget of one cycle.
  int startUp() override;
  /// The searches in progress are left as they are.
  void shutDown() override;

  /// Gives every search one step per pass until all are done or the budget is used up, and
  /// hands each finished search to its object as a path event.
  void cycle();
  /// Starts a search from p_o's cell to the goal cell, stepping to neighbors; the object owns
  /// it (dropping any earlier one) and receives a path event when it ends. The goal cell is
  /// entered whatever stands there, so a path leads to a HARD object as well, and the object
  /// collides with it there. -1 when refused.
  int findPath(Object* p_o, Vector goal, PathNeighbors neighbors = NEIGHBORS_8);
  /// Removes every occurrence of p_path_find (which is not deleted); -1 for null or when it
  /// is not there.
  int unregisterPathFind(PathFind* p_path_find);

  /// Time budget of one cycle in milliseconds.
  int getMaxCycleTime() const { return max_cycle_time; }
  /// Number of searches in progress.
  int getFinderCount() const { return static_cast<int>(finders.size()); }

private:
  PathManager();

  std::vector<PathFind*> finders;
  int max_cycle_time = 0;
  int place = -1; // the finder cycle is at, or -1 outside cycle
};

} // namespace tw
