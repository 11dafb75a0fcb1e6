#pragma once

#include "Vector.h"

namespace tw {

/// An axis-aligned rectangle in cells: top-left corner plus extents; tests include the edges.
class Box {
public:
  /// An empty box at (0, 0).
  Box() = default;
  /// A box from init_corner, init_horizontal cells to the right and init_vertical down.
  Box(Vector init_corner, float init_horizontal, float init_vertical);

  /// The top-left corner, in cells.
  Vector getCorner() const { return corner; }
  /// Moves the box: sets its top-left corner, in cells.
  void setCorner(Vector new_corner) { corner = new_corner; }
  /// Extent to the right of the corner, in cells.
  float getHorizontal() const { return horizontal; }
  /// Sets the extent to the right of the corner, in cells.
  void setHorizontal(float new_horizontal) { horizontal = new_horizontal; }
  /// Extent below the corner, in cells.
  float getVertical() const { return vertical; }
  /// Sets the extent below the corner, in cells.
  void setVertical(float new_vertical) { vertical = new_vertical; }

  /// True when the corners and both extents are exactly equal.
  bool operator==(const Box& other) const;

private:
  Vector corner;
  float horizontal = 0.0f;
  float vertical = 0.0f;
};

/// True when the boxes overlap on both axes; touching edges count as overlap.
bool boxIntersectsBox(const Box& a, const Box& b);

/// True when p lies inside b or on its edge.
bool boxContainsPosition(const Box& b, const Vector& p);

} // namespace tw
