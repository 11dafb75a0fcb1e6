#include "Box.h"
#include "Vector.h"

#include <gtest/gtest.h>

using tw::Box;
using tw::Vector;

TEST(Vector, MagnitudeAndNormalisation) {
  Vector v(3, 4);
  EXPECT_FLOAT_EQ(v.getMagnitude(), 5.0f);
  v.normalize();
  EXPECT_FLOAT_EQ(v.getX(), 0.6f);
  EXPECT_FLOAT_EQ(v.getY(), 0.8f);
  Vector zero;
  zero.normalize();
  EXPECT_EQ(zero, Vector(0, 0));
}

TEST(Vector, ArithmeticAndExactEquality) {
  EXPECT_EQ(Vector(1, 2) + Vector(3, 4), Vector(4, 6));
  EXPECT_EQ(Vector(1, 2) - Vector(3, 5), Vector(-2, -3));
  EXPECT_EQ(Vector(1, -2) * 2.5f, Vector(2.5f, -5));
  EXPECT_NE(Vector(0.1f, 0), Vector(0.1000001f, 0));
}

TEST(Box, EdgesAndCornersIntersect) {
  const Box a(Vector(0, 0), 5, 5);
  EXPECT_TRUE(tw::boxIntersectsBox(a, Box(Vector(5, 0), 3, 3))); // shared edge x = 5
  EXPECT_TRUE(tw::boxIntersectsBox(a, Box(Vector(5, 5), 1, 1))); // shared corner
  EXPECT_FALSE(tw::boxIntersectsBox(a, Box(Vector(5.01f, 0), 3, 3)));
  EXPECT_FALSE(tw::boxIntersectsBox(a, Box(Vector(0, -2), 1, 1.9f)));
  // A box of zero extent inside another intersects, in either order.
  EXPECT_TRUE(tw::boxIntersectsBox(Box(Vector(2, 2), 0, 0), a));
  EXPECT_TRUE(tw::boxIntersectsBox(a, Box(Vector(2, 2), 0, 0)));
  // One box enclosing the other on both axes.
  EXPECT_TRUE(tw::boxIntersectsBox(Box(Vector(-10, -10), 30, 30), a));
}

TEST(Box, ContainsPositionIncludesEdges) {
  const Box b(Vector(1, 1), 2, 3);
  EXPECT_TRUE(tw::boxContainsPosition(b, Vector(1, 1)));
  EXPECT_TRUE(tw::boxContainsPosition(b, Vector(3, 4)));
  EXPECT_FALSE(tw::boxContainsPosition(b, Vector(3.01f, 2)));
  EXPECT_FALSE(tw::boxContainsPosition(b, Vector(2, 0.99f)));
}
