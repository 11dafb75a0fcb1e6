#pragma once

#include "Manager.h"

namespace tw {

class PathFind;

/// Runs the path searches in progress a little each frame, within half a frame's time.
class PathManager : public Manager {
public:
  static PathManager& getInstance();

  int startUp() override;
  void shutDown() override;
  /// Gives every search one step per pass until all are done or the budget is used up.
  void cycle();
  /// Removes every occurrence of p_path_find; -1 for null or when it is not there.
  int unregisterPathFind(PathFind* p_path_find);

private:
  PathManager();
};

} // namespace tw
