#pragma once

#include "Vector.h"

namespace tw {

/// An axis-aligned rectangle in cells: top-left corner plus extents; tests include the edges.
class Box {
public:
  Box() = default;
  Box(Vector init_corner, float init_horizontal, float init_vertical);

  Vector getCorner() const { return corner; }
  void setCorner(Vector new_corner) { corner = new_corner; }
  float getHorizontal() const { return horizontal; }
  void setHorizontal(float new_horizontal) { horizontal = new_horizontal; }
  float getVertical() const { return vertical; }
  void setVertical(float new_vertical) { vertical = new_vertical; }

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
