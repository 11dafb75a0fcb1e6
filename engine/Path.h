#pragma once

#include "Vector.h"

#include <vector>

namespace tw {

/// Cell positions from start to end, both included, and the index of the node to head for.
struct Path {
  std::vector<Vector> nodes; ///< node positions, start first
  int index = 0;             ///< the node to head for next
};

} // namespace tw
