#include "Box.h"

namespace tw {

Box::Box(Vector init_corner, float init_horizontal, float init_vertical)
    : corner(init_corner), horizontal(init_horizontal), vertical(init_vertical) {}

bool Box::operator==(const Box& other) const {
  return corner == other.corner && horizontal == other.horizontal && vertical == other.vertical;
}

bool boxIntersectsBox(const Box& a, const Box& b) {
  const float ax = a.getCorner().getX(), ay = a.getCorner().getY();
  const float bx = b.getCorner().getX(), by = b.getCorner().getY();
  const bool x_overlap =
      (bx <= ax && ax <= bx + b.getHorizontal()) || (ax <= bx && bx <= ax + a.getHorizontal());
  const bool y_overlap =
      (by <= ay && ay <= by + b.getVertical()) || (ay <= by && by <= ay + a.getVertical());
  return x_overlap && y_overlap;
}

bool boxContainsPosition(const Box& b, const Vector& p) {
  const float x = b.getCorner().getX(), y = b.getCorner().getY();
  return x <= p.getX() && p.getX() <= x + b.getHorizontal() && y <= p.getY() &&
         p.getY() <= y + b.getVertical();
}

} // namespace tw
