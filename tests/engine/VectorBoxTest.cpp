#include "Box.h"

#include <gtest/gtest.h>

using tw::Box;
using tw::Vector;

TEST(Vector, ArithmeticMagnitudeAndNormalisation) {
  Vector v(3, 4), zero;
  EXPECT_FLOAT_EQ(v.getMagnitude(), 5.0f);
  v.normalize(), zero.normalize();
  EXPECT_EQ(v + zero, Vector(0.6f, 0.8f));
  EXPECT_EQ(Vector(1, 2) + Vector(3, 4) - Vector(0, 7), Vector(4, -1));
  EXPECT_EQ(Vector(1, -2) * 2.5f, Vector(2.5f, -5));
  EXPECT_NE(Vector(0.1f, 0), Vector(0.1000001f, 0));
  EXPECT_NE(Vector(0, 1), Vector(0, 2));
}

TEST(Box, TestsIncludeEdgesAndCorners) {
  const Box a(Vector(0, 0), 5, 5), b(Vector(1, 1), 2, 3);
  const std::pair<Box, bool> cases[] = {
      {Box(Vector(5, 0), 3, 3), true},      {Box(Vector(0, 5), 1, 1), true},  // shared edges
      {Box(Vector(5, 5), 1, 1), true},      {Box(Vector(-3, 1), 3, 1), true}, // corner, left edge
      {Box(Vector(5.01f, 0), 3, 3), false}, {Box(Vector(0, 5.01f), 1, 1), false},
      {Box(Vector(0, -2), 1, 1.9f), false}, {Box(Vector(2, 2), 0, 0), true},
      {Box(Vector(-10, -10), 30, 30), true}};
  for (const auto& [other, meets] : cases)
    EXPECT_EQ(tw::boxIntersectsBox(a, other) + tw::boxIntersectsBox(other, a), 2 * meets)
        << other.getCorner().getX() << "," << other.getCorner().getY();
  for (const auto& [x, y] : {std::pair(1.0f, 1.0f), {3, 4}, {1, 4}, {3, 1}})
    EXPECT_TRUE(tw::boxContainsPosition(b, Vector(x, y))) << x << "," << y;
  for (const auto& [x, y] : {std::pair(3.01f, 2.0f), {2, 0.99f}, {0.99f, 2}, {2, 4.01f}})
    EXPECT_FALSE(tw::boxContainsPosition(b, Vector(x, y))) << x << "," << y;
}
