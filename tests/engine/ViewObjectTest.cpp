#include "Config.h"
#include "EventView.h"
#include "GraphicsManager.h"
#include "LogManager.h"
#include "ViewObject.h"
#include "WorldManager.h"

#include "TestWindow.h"

using namespace twtest;

namespace {

/// View objects on a real window of 80 x 24 cells (the default configuration).
class ViewObjectTest : public WindowTest {
protected:
  tw::WorldManager& world = tw::WorldManager::getInstance();
  tw::GraphicsManager& graphics = tw::GraphicsManager::getInstance();

  /// Draws the world and returns row y of the frame as text.
  std::string drawnRow(int y) {
    world.draw();
    return graphics.rowText(y);
  }
};

/// The same on 80 x 40 cells.
class TallViewObjectTest : public ViewObjectTest {
protected:
  void configure() override {
    tw::Config::getInstance().window_vertical_chars = 40;
    tw::Config::getInstance().window_vertical_pixels = 960;
  }
};

struct Place {
  int location;
  float x, y_border, y_plain;
};

void checkLocations(float h, float v) {
  const Place places[] = {
      {tw::TOP_LEFT, h / 6, 1, 0},
      {tw::TOP_CENTER, 3 * h / 6, 1, 0},
      {tw::TOP_RIGHT, 5 * h / 6, 1, 0},
      {tw::CENTER_LEFT, h / 6, v / 2, v / 2 - 1},
      {tw::CENTER_CENTER, h / 2, v / 2, v / 2 - 1},
      {tw::CENTER_RIGHT, 5 * h / 6, v / 2, v / 2 - 1},
      {tw::BOTTOM_LEFT, h / 6, v - 2, v - 1},
      {tw::BOTTOM_CENTER, 3 * h / 6, v - 2, v - 1},
      {tw::BOTTOM_RIGHT, 5 * h / 6, v - 2, v - 1},
  };
  auto* p_v = new tw::ViewObject;
  for (const Place& p : places) {
    p_v->setBorder(true);
    p_v->setLocation(p.location);
    EXPECT_EQ(p_v->getLocation(), p.location);
    EXPECT_FLOAT_EQ(p_v->getPosition().getX(), p.x) << p.location;
    EXPECT_FLOAT_EQ(p_v->getPosition().getY(), p.y_border) << p.location;
    p_v->setBorder(false); // moves it to the row of its place without a border
    EXPECT_EQ(p_v->getLocation(), p.location);
    EXPECT_FLOAT_EQ(p_v->getPosition().getY(), p.y_plain) << p.location;
  }
}

} // namespace

TEST_F(ViewObjectTest, NineLocationsWithAndWithoutBorder) {
  checkLocations(80, 24);
}

TEST_F(TallViewObjectTest, NineLocationsWithAndWithoutBorder) {
  checkLocations(80, 40);
}

TEST_F(ViewObjectTest, StartsAsASpectralDisplayAtTheTop) {
  auto* p_v = new tw::ViewObject;
  EXPECT_EQ(p_v->getType(), "ViewObject");
  EXPECT_EQ(p_v->getSolidness(), tw::SPECTRAL);
  EXPECT_EQ(p_v->getAltitude(), 4);
  EXPECT_EQ(p_v->getLocation(), tw::TOP_CENTER);
  EXPECT_EQ(p_v->getPosition(), tw::Vector(40, 1));
  EXPECT_EQ(p_v->getEventName(0), "tw::view");
  // An out-of-range place is refused.
  p_v->setLocation(9);
  p_v->setLocation(-1);
  EXPECT_EQ(p_v->getLocation(), tw::TOP_CENTER);
  EXPECT_EQ(p_v->getPosition(), tw::Vector(40, 1));
  // A direct move forgets the place; the border then moves nothing.
  p_v->setPosition(tw::Vector(10, 10));
  EXPECT_EQ(p_v->getLocation(), tw::LOCATION_NONE);
  p_v->setBorder(false);
  EXPECT_EQ(p_v->getPosition(), tw::Vector(10, 10));
  EXPECT_TRUE(contains(stopLog(), "ViewObject::setLocation(): Location out of range (9).  "
                                  "Ignored."));
  startLog();
}

TEST_F(ViewObjectTest, ViewEventsWithItsTagChangeTheValue) {
  auto* p_v = new tw::ViewObject;
  p_v->setViewString("Points");
  const tw::EventView add("Points", 10, true);
  EXPECT_EQ(world.onEvent(&add), 1);
  EXPECT_EQ(p_v->getValue(), 10);
  world.onEvent(&add);
  EXPECT_EQ(p_v->getValue(), 20);
  const tw::EventView other("Lives", 5, false);
  EXPECT_EQ(p_v->eventHandler(&other), 0);
  EXPECT_EQ(p_v->getValue(), 20);
  const tw::EventView set("Points", 5, false);
  EXPECT_EQ(p_v->eventHandler(&set), 1);
  EXPECT_TRUE(p_v->isModified(tw::VIEW_VALUE));
  p_v->serialize();
  EXPECT_EQ(p_v->eventHandler(&set), 1);
  EXPECT_FALSE(p_v->isModified(tw::VIEW_VALUE));
  EXPECT_EQ(p_v->getValue(), 5);
}

TEST_F(ViewObjectTest, DrawsTextAndBorderInCells) {
  auto* p_v = new tw::ViewObject;
  p_v->setViewString("Points");
  p_v->setValue(20);
  p_v->setColor(tw::YELLOW);
  ASSERT_EQ(p_v->getPosition(), tw::Vector(40, 1));
  // " Points 20 " is 11 cells long: columns 35 to 45, bars at 34 and 46, dashes above and below.
  const std::string text_row = drawnRow(1);
  EXPECT_EQ(text_row.substr(34, 13), "| Points 20 |");
  EXPECT_EQ(graphics.rowText(0).substr(34, 13), " ----------- ");
  EXPECT_EQ(graphics.rowText(2).substr(34, 13), " ----------- ");
  EXPECT_EQ(graphics.cellAt(36, 1).color, tw::YELLOW);
  EXPECT_EQ(graphics.cellAt(34, 0).ch, ' '); // the corners stay empty
  graphics.displayFrame();

  // The view moved: the display stays where it is on the screen.
  world.setView(tw::Box(tw::Vector(7, 3), 80, 24));
  EXPECT_EQ(drawnRow(1).substr(34, 13), "| Points 20 |");
  graphics.displayFrame();

  p_v->setBorder(false);
  p_v->setDrawValue(false);
  p_v->setLocation(tw::BOTTOM_LEFT);
  EXPECT_EQ(drawnRow(23).substr(10, 6), "Points"); // centred on column 13.33
  graphics.displayFrame();
  p_v->setDrawValue(true);
  EXPECT_EQ(drawnRow(23).substr(9, 9), "Points 20");
}

TEST_F(ViewObjectTest, SerializesItsSixFields) {
  auto* p_v = new tw::ViewObject;
  p_v->setViewString("Lives");
  p_v->setValue(3);
  const std::string all = p_v->serialize(true);
  EXPECT_NE(all.find(",view_string:Lives,value:3,border:true,color:7,location:1,draw_value:true,"),
            std::string::npos)
      << all;
  EXPECT_EQ(p_v->serialize(false), "");
  p_v->setColor(tw::RED);
  EXPECT_EQ(p_v->serialize(false), "color:1,");
  EXPECT_NE(p_v->serialize(true).find("view_string:Lives"), std::string::npos);

  auto* p_copy = new tw::ViewObject;
  p_copy->deserialize("view_string:Lives,value:42,border:false,color:2,location:8,"
                      "draw_value:false,");
  EXPECT_EQ(p_copy->getViewString(), "Lives");
  EXPECT_EQ(p_copy->getValue(), 42);
  EXPECT_FALSE(p_copy->getBorder());
  EXPECT_EQ(p_copy->getColor(), tw::GREEN);
  EXPECT_EQ(p_copy->getLocation(), tw::BOTTOM_RIGHT);
  EXPECT_FLOAT_EQ(p_copy->getPosition().getY(), 23);
  EXPECT_FALSE(p_copy->getDrawValue());
  // Hostile values leave it usable.
  p_copy->deserialize("value:99999999999999,color:-7,location:12345,view_string:,");
  EXPECT_EQ(p_copy->getValue(), 2147483647);
  EXPECT_EQ(p_copy->getLocation(), tw::BOTTOM_RIGHT);
  world.draw();
}
