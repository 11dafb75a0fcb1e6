#include "Button.h"
#include "EventMouse.h"
#include "EventView.h"
#include "InputManager.h"
#include "TestWindow.h"
#include "ViewObject.h"

#include <sstream>

using namespace tw;

namespace {

struct CountingButton : Button {
  void onClick() override { clicks++; }
  int clicks = 0;
};

/// View objects and buttons on a real window, what they do and show written as text and
/// compared with the file view-object.txt.
class ViewObjectTest : public twtest::WindowTest {
protected:
  /// Place, location, value, border, colour and modified flags of p_v.
  void state(const ViewObject* p_v) {
    out << "  at " << p_v->getPosition().getX() << "," << p_v->getPosition().getY() << " loc "
        << p_v->getLocation() << " value " << p_v->getValue() << " border " << p_v->getBorder()
        << " color " << p_v->getColor() << " flags ";
    for (int i = 0; i < VIEW_ATTR_COUNT; i++)
      out << p_v->isModified(static_cast<ViewAttribute>(i));
    out << "\n";
  }
  /// Draws the world, then writes columns x to x + 19 of rows y0 to y1; the frame is shown.
  void draw(int x, int y0, int y1) {
    WorldManager::getInstance().draw();
    GraphicsManager& g = GraphicsManager::getInstance();
    for (int y = y0; y <= y1; y++, out << "|\n") {
      out << "  " << y << " |" << g.rowText(y).substr(x, 20) << "| ";
      for (int i = x; i < x + 20; i++)
        out << g.cellAt(i, y).color;
    }
    g.displayFrame();
  }
  std::ostringstream out;
};

TEST_F(ViewObjectTest, PlacesValuesDrawingTextAndButtons) {
  auto* p_v = new ViewObject;
  out << p_v->getType() << " " << p_v->getEventName(0) << " " << p_v->getSolidness() << " "
      << p_v->getAltitude() << "\n";
  state(p_v);
  for (const int rows : {24, 40}) { // every location, with and without a border, in two views
    WorldManager::getInstance().setView(Box(Vector(0, 0), 80, static_cast<float>(rows)));
    for (int location = -1; location <= 9; location++) {
      out << "location " << location << "\n";
      p_v->setBorder(true), p_v->setLocation(location), state(p_v);
      p_v->setBorder(false), state(p_v); // to the row of its place without a border
    }
  }
  WorldManager::getInstance().setView(Box(Vector(0, 0), 80, 24));
  // A direct move forgets the place: the border moves nothing.
  p_v->setPosition(Vector(10, 10)), p_v->setBorder(true);
  state(p_v);
  p_v->setViewString("Points"), p_v->serialize();
  const EventView add("Points", 10, true), other("Lives", 5, false), set("Points", 5, false);
  for (const EventView* p_e : {&add, &add, &other, &set, &set}) {
    out << "event " << p_e->getTag() << " " << p_e->getValue() << " " << p_e->getDelta() << ": "
        << WorldManager::getInstance().onEvent(p_e) << " " << p_v->eventHandler(p_e) - 1;
    state(p_v);
    p_v->serialize();
  }
  p_v->setValue(20), p_v->setColor(YELLOW), p_v->setLocation(TOP_CENTER);
  for (const Vector corner : {Vector(0, 0), Vector(7, 3)}) { // it stays in place on the screen
    WorldManager::getInstance().setView(Box(corner, 80, 24));
    draw(30, 0, 2);
  }
  p_v->setBorder(false), p_v->setDrawValue(false), p_v->setLocation(BOTTOM_LEFT), draw(5, 23, 23);
  p_v->setDrawValue(true), draw(5, 23, 23);
  out << p_v->serialize(true) << "\n" << p_v->serialize(false) << "\n";
  p_v->setColor(RED), out << p_v->serialize(false) << "\n";
  p_v->deserialize("view_string:Go,value:42,border:true,color:2,location:8,draw_value:false,");
  state(p_v), draw(60, 21, 23);
  p_v->deserialize("value:99999999999999,color:-7,location:12345,view_string:,");
  state(p_v), draw(60, 22, 22);
  // Buttons: the bordered one is 10 x 3 cells around (40, 12), x 35 to 45 and y 10.5 to 13.5.
  WorldManager::getInstance().setView(Box(Vector(0, 0), 80, 24));
  auto* p_b = new CountingButton;
  auto* p_other = new CountingButton;
  p_other->setBorder(false), p_other->setPosition(Vector(10, 5)); // 6 x 1 around (10, 5)
  out << p_b->getType() << " " << p_b->getViewString() << " " << p_b->getDrawValue() << " "
      << p_b->getHighlightColor() << " " << p_b->getDefaultColor() << "\n";
  state(p_b);
  const float places[][2] = {{35, 12},    {45, 13.5f}, {35, 10.5f}, {40, 12},   {34.9f, 12},
                             {45.1f, 12}, {40, 10.4f}, {40, 13.6f}, {13, 5.5f}, {13.5f, 5}};
  for (const auto& p : places) {
    EventMouse e;
    e.setMousePosition(Vector(p[0], p[1]));
    out << p[0] << "," << p[1] << ": " << p_b->isMouseOver(&e) << p_other->isMouseOver(&e) << "\n";
  }
  const int actions[][4] = {{Mouse::MOVED, Mouse::UNDEFINED_MOUSE_BUTTON, 40, 12},
                            {Mouse::PRESSED, Mouse::LEFT, 40, 12},
                            {Mouse::CLICKED, Mouse::RIGHT, 41, 12},
                            {Mouse::CLICKED, Mouse::MIDDLE, 10, 5},
                            {Mouse::CLICKED, Mouse::LEFT, 70, 20}};
  for (const auto& a : actions) {
    EventMouse e;
    e.setMouseAction(a[0]), e.setMouseButton(a[1]), e.setMousePosition(Vector(a[2], a[3]));
    out << "mouse " << a[0] << " " << a[1] << " " << a[2] << "," << a[3] << ": "
        << InputManager::getInstance().onEvent(&e) << " " << p_b->eventHandler(&e) << " colours "
        << p_b->getColor() << p_other->getColor() << " clicks " << p_b->clicks << p_other->clicks
        << "\n";
  }
  const EventView view("button", 5, false); // not a button's business
  out << "view event " << p_b->eventHandler(&view) << "\n";
  state(p_b), draw(30, 11, 13);
  out << p_b->serialize(true) << "\n" << p_b->serialize(false) << "\n";
  p_b->setDefaultColor(CYAN), out << p_b->serialize(false) << "\n";
  p_b->deserialize("highlight-color:3,default-color:2,view_string:Go,");
  out << p_b->getHighlightColor() << p_b->getDefaultColor() << p_b->getViewString()
      << p_b->isModified(BUTTON_HIGHLIGHT_COLOR) << "\n";
  EXPECT_TRUE(twtest::matchesFile("view-object.txt", out.str()));
  EXPECT_TRUE(
      twtest::inOrder(twtest::linesOf("tarnwick.log"),
                      {"ViewObject::setLocation(): Location out of range (-1).  Ignored.",
                       "ViewObject::setLocation(): Location out of range (9).  Ignored.",
                       "ViewObject::setLocation(): Location out of range (-1).  Ignored."}));
}

} // namespace
