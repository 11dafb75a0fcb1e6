#include "EventCollision.h"
#include "EventKeyboard.h"
#include "EventMouse.h"
#include "EventOut.h"
#include "EventPath.h"
#include "EventStep.h"
#include "EventView.h"

#include <gtest/gtest.h>

TEST(Event, TypesAndDefaults) {
  tw::Event plain;
  EXPECT_EQ(plain.getType(), "tw::undefined");
  plain.setType("game::custom");
  EXPECT_EQ(plain.getType(), "game::custom");

  EXPECT_EQ(tw::EventStep(7).getType(), "tw::step");
  EXPECT_EQ(tw::EventStep(7).getStepCount(), 7);
  EXPECT_EQ(tw::EventOut().getType(), "tw::out");

  const tw::EventKeyboard k;
  EXPECT_EQ(k.getType(), "tw::keyboard");
  EXPECT_EQ(k.getKey(), -1);
  EXPECT_EQ(k.getKeyboardAction(), -1);

  const tw::EventMouse m;
  EXPECT_EQ(m.getType(), "tw::mouse");
  EXPECT_EQ(m.getMouseAction(), -1);
  EXPECT_EQ(m.getMouseButton(), -1);
  EXPECT_EQ(m.getMousePosition(), tw::Vector(0, 0));

  const tw::EventView v("Points", 10, true);
  EXPECT_EQ(v.getType(), "tw::view");
  EXPECT_EQ(v.getTag(), "Points");
  EXPECT_EQ(v.getValue(), 10);
  EXPECT_TRUE(v.getDelta());

  const tw::EventCollision c(tw::Vector(1, 2), nullptr, nullptr);
  EXPECT_EQ(c.getType(), "tw::collision");
  EXPECT_EQ(c.getPosition(), tw::Vector(1, 2));

  tw::EventPath p;
  EXPECT_EQ(p.getType(), "tw::path");
  tw::Path path;
  path.nodes = {tw::Vector(0, 0), tw::Vector(1, 1)};
  path.index = 1;
  p.setPath(path);
  p.setStatus(2);
  EXPECT_EQ(p.getPath().nodes.size(), 2u);
  EXPECT_EQ(p.getPath().index, 1);
  EXPECT_EQ(p.getStatus(), 2);
}

TEST(Event, SettersChangeOnlyTheirField) {
  tw::EventMouse m;
  m.setType("other");
  EXPECT_EQ(m.getMouseAction(), -1);
  m.setMousePosition(tw::Vector(3, 4));
  m.setMouseButton(1);
  EXPECT_EQ(m.getType(), "other");
  EXPECT_EQ(m.getMousePosition(), tw::Vector(3, 4));
  EXPECT_EQ(m.getMouseAction(), -1);
}
