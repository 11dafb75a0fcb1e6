#pragma once

#include "Vector.h"

#include <vector>

namespace tw {

/// Cell positions from start to end, both included, and the index of the node to head for.
struct Path {
  std::vector<Vector> nodes;
  int index = 0;
};

} // namespace tw
