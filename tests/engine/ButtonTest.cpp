#include "Button.h"
#include "EventMouse.h"
#include "EventView.h"
#include "InputManager.h"
#include "WorldManager.h"

#include "TestSupport.h"

using namespace twtest;

namespace {

class CountingButton : public tw::Button {
public:
  void onClick() override { clicks++; }
  int clicks = 0;
};

class ButtonTest : public TempDirTest {
protected:
  void SetUp() override {
    TempDirTest::SetUp();
    startLog();
    world.startUp();
    world.setBoundary(tw::Box(tw::Vector(0, 0), 80, 24));
    world.setView(tw::Box(tw::Vector(0, 0), 80, 24));
  }
  void TearDown() override {
    world.shutDown();
    stopLog();
    TempDirTest::TearDown();
  }
  static tw::EventMouse mouseAt(int action, float x, float y) {
    tw::EventMouse e;
    e.setMouseAction(action);
    e.setMouseButton(tw::Mouse::LEFT);
    e.setMousePosition(tw::Vector(x, y));
    return e;
  }
  tw::WorldManager& world = tw::WorldManager::getInstance();
};

} // namespace

TEST_F(ButtonTest, StartsCentredWithItsLabel) {
  auto* p_b = new CountingButton;
  EXPECT_EQ(p_b->getType(), "Button");
  EXPECT_EQ(p_b->getViewString(), "button");
  EXPECT_EQ(p_b->getPosition(), tw::Vector(40, 12));
  EXPECT_FALSE(p_b->getDrawValue());
  EXPECT_EQ(p_b->getHighlightColor(), tw::RED);
  EXPECT_EQ(p_b->getDefaultColor(), tw::WHITE);
}

TEST_F(ButtonTest, MouseOverIncludesEveryEdge) {
  auto* p_b = new CountingButton;
  // "button" with a border: 10 x 3 cells around (40, 12): x 35 to 45, y 10.5 to 13.5.
  for (auto [x, y] : {std::pair{35.0f, 12.0f}, {45.0f, 13.5f}, {35.0f, 10.5f}, {40.0f, 12.0f}}) {
    const tw::EventMouse e = mouseAt(tw::Mouse::MOVED, x, y);
    EXPECT_TRUE(p_b->isMouseOver(&e)) << x << "," << y;
  }
  for (auto [x, y] : {std::pair{34.9f, 12.0f}, {45.1f, 12.0f}, {40.0f, 10.4f}, {40.0f, 13.6f}}) {
    const tw::EventMouse e = mouseAt(tw::Mouse::MOVED, x, y);
    EXPECT_FALSE(p_b->isMouseOver(&e)) << x << "," << y;
  }
  p_b->setBorder(false); // 6 x 1 now, wherever it was put
  p_b->setPosition(tw::Vector(40, 12));
  const tw::EventMouse inside = mouseAt(tw::Mouse::MOVED, 43, 12.5f);
  const tw::EventMouse outside = mouseAt(tw::Mouse::MOVED, 43.5f, 12);
  EXPECT_TRUE(p_b->isMouseOver(&inside));
  EXPECT_FALSE(p_b->isMouseOver(&outside));
}

TEST_F(ButtonTest, HighlightsUnderTheMouseAndClicksOnlyOnAClick) {
  auto* p_b = new CountingButton;
  auto* p_other = new CountingButton;
  p_other->setPosition(tw::Vector(10, 5));
  const tw::EventMouse over = mouseAt(tw::Mouse::MOVED, 40, 12);
  tw::InputManager::getInstance().onEvent(&over);
  EXPECT_EQ(p_b->getColor(), tw::RED);
  EXPECT_EQ(p_other->getColor(), tw::WHITE);
  EXPECT_EQ(p_b->clicks, 0);
  const tw::EventMouse held = mouseAt(tw::Mouse::PRESSED, 40, 12);
  tw::InputManager::getInstance().onEvent(&held);
  EXPECT_EQ(p_b->clicks, 0);
  tw::EventMouse click = mouseAt(tw::Mouse::CLICKED, 41, 12);
  click.setMouseButton(tw::Mouse::RIGHT); // any button clicks
  EXPECT_EQ(p_b->eventHandler(&click), 1);
  EXPECT_EQ(p_b->clicks, 1);
  EXPECT_EQ(p_other->clicks, 0);
  const tw::EventMouse away = mouseAt(tw::Mouse::CLICKED, 70, 20);
  tw::InputManager::getInstance().onEvent(&away);
  EXPECT_EQ(p_b->getColor(), tw::WHITE);
  EXPECT_EQ(p_b->clicks, 1);
  // View events are not a button's business.
  const tw::EventView view("button", 5, false);
  EXPECT_EQ(p_b->eventHandler(&view), 0);
  EXPECT_EQ(p_b->getValue(), 0);
}

TEST_F(ButtonTest, SerializesItsColours) {
  auto* p_b = new CountingButton;
  const std::string all = p_b->serialize(true);
  EXPECT_EQ(all.substr(all.size() - 34), "highlight-color:1,default-color:7,");
  EXPECT_EQ(p_b->serialize(false), "");
  p_b->setDefaultColor(tw::CYAN);
  EXPECT_EQ(p_b->serialize(false), "default-color:6,");
  auto* p_copy = new CountingButton;
  p_copy->deserialize("highlight-color:3,default-color:2,view_string:Go,");
  EXPECT_EQ(p_copy->getHighlightColor(), tw::YELLOW);
  EXPECT_EQ(p_copy->getDefaultColor(), tw::GREEN);
  EXPECT_EQ(p_copy->getViewString(), "Go");
  EXPECT_TRUE(p_copy->isModified(tw::BUTTON_HIGHLIGHT_COLOR));
}
