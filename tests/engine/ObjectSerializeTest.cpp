#include "LogManager.h"
#include "Object.h"
#include "WorldManager.h"

#include "TestSupport.h"

using namespace twtest;

namespace {

class ObjectSerializeTest : public TempDirTest {
protected:
  void SetUp() override {
    TempDirTest::SetUp();
    startLog();
    tw::LogManager::getInstance().setLogLevel(10);
    world.startUp();
  }
  void TearDown() override {
    world.shutDown();
    if (tw::LogManager::getInstance().isStarted()) {
      stopLog();
    }
    TempDirTest::TearDown();
  }
  tw::WorldManager& world = tw::WorldManager::getInstance();
};

} // namespace

TEST_F(ObjectSerializeTest, NewObjectWritesTheWholeRecordOnce) {
  auto* p_o = new tw::Object;
  const std::string id = std::to_string(p_o->getId());
  EXPECT_EQ(p_o->serialize(false),
            "id:" + id +
                ",is_active:true,is_visible:true,event_count:0,box-corner-x:-0.5,"
                "box-corner-y:-0.5,box-horizontal:0.99,box-vertical:0.99,pos-x:0,pos-y:0,"
                "type:Object,sprite_name:,sprite_center:true,sprite_transparency:0,"
                "sprite_index:0,sprite_slowdown:1,sprite_slowdown_count:0,altitude:2,"
                "solidness:0,no_soft:false,x_direction:0,y_direction:0,speed:0,"
                "x_acceleration:0,y_acceleration:0,");
  EXPECT_EQ(p_o->serialize(false), "");
  p_o->registerInterest(tw::STEP_EVENT);
  p_o->setSpeed(1.5f);
  EXPECT_EQ(p_o->serialize(false), "event_count:1,event_name[0]:tw::step,speed:1.5,");
  EXPECT_EQ(p_o->serialize(true).substr(0, 4 + id.size()), "id:" + id + ",");
  EXPECT_EQ(p_o->serialize(false), "");
}

TEST_F(ObjectSerializeTest, RoundTripIntoAnotherObject) {
  auto* p_a = new tw::Object;
  p_a->setType("Saucer");
  p_a->setPosition(tw::Vector(12.25f, -3.5f));
  p_a->setVelocity(tw::Vector(0.6f, 0.8f));
  p_a->setAcceleration(tw::Vector(0.25f, -1));
  p_a->setAltitude(3);
  p_a->setSolidness(tw::SOFT);
  p_a->setNoSoft(true);
  p_a->setBox(tw::Box(tw::Vector(-1.5f, -0.5f), 3, 0.99f));
  p_a->setTransparency('#');
  p_a->setSpriteSlowdown(4);
  p_a->registerInterest(tw::STEP_EVENT);
  p_a->registerInterest("game::custom");
  p_a->setVisible(false);

  auto* p_b = new tw::Object;
  ASSERT_EQ(p_b->deserialize(p_a->serialize(true)), 0);
  EXPECT_EQ(p_b->getId(), p_a->getId());
  EXPECT_EQ(p_b->getType(), "Saucer");
  EXPECT_EQ(p_b->getPosition(), tw::Vector(12.25f, -3.5f));
  EXPECT_EQ(p_b->getDirection(), p_a->getDirection());
  EXPECT_FLOAT_EQ(p_b->getSpeed(), 1);
  EXPECT_EQ(p_b->getAcceleration(), tw::Vector(0.25f, -1));
  EXPECT_EQ(p_b->getAltitude(), 3);
  EXPECT_EQ(p_b->getSolidness(), tw::SOFT);
  EXPECT_TRUE(p_b->getNoSoft());
  EXPECT_EQ(p_b->getBox(), tw::Box(tw::Vector(-1.5f, -0.5f), 3, 0.99f));
  EXPECT_EQ(p_b->getTransparency(), '#');
  EXPECT_EQ(p_b->getSpriteSlowdown(), 4);
  EXPECT_FALSE(p_b->isVisible());
  ASSERT_EQ(p_b->getEventCount(), 2);
  EXPECT_EQ(p_b->getEventName(1), "game::custom");
  // The copy is in the scene graph's lists its new values call for.
  EXPECT_FALSE(world.getSceneGraph().visibleObjects(3).contains(p_b));
  EXPECT_TRUE(world.getSceneGraph().solidObjects().contains(p_b));
}

TEST_F(ObjectSerializeTest, EachKeyIsLoggedAndCheckedBySetters) {
  auto* p_o = new tw::Object;
  p_o->deserialize("altitude:7,solidness:1,x_direction:0.6,y_direction:0.8,"
                   "box-corner-x:1,box-corner-y:2,box-horizontal:3,sprite_name:nothing,");
  EXPECT_EQ(p_o->getAltitude(), 2);
  EXPECT_EQ(p_o->getSolidness(), tw::SOFT);
  EXPECT_EQ(p_o->getDirection(), tw::Vector(0.6f, 0.8f));
  EXPECT_EQ(p_o->getSpeed(), 0);
  EXPECT_EQ(p_o->getBox(), tw::Box(tw::Vector(-0.5f, -0.5f), 0.99f, 0.99f));
  EXPECT_EQ(p_o->getSpriteName(), "nothing");
  EXPECT_EQ(p_o->getSprite(), nullptr);
  const auto lines = stopLog();
  EXPECT_TRUE(contains(lines, "Object::deserialize(): altitude is 7"));
  EXPECT_TRUE(contains(lines, "Object::setAltitude(): Altitude 7 not in range [0,4].  Ignored."));
  EXPECT_TRUE(contains(lines, "Object::deserialize(): box not complete, so ignoring."));
  EXPECT_TRUE(contains(lines, "Object::deserialize(): position not complete, so ignoring."));
  EXPECT_TRUE(contains(lines, "Object::Match(): Object " + std::to_string(p_o->getId()) +
                                  " (Object), Sprite 'nothing' not found"));
  EXPECT_TRUE(contains(lines, "Object::deserialize(): x_direction is 0.60"));
  EXPECT_TRUE(contains(lines, "Object::deserialize(): sprite_name is 'nothing'"));
}

TEST_F(ObjectSerializeTest, HostileRecordsLeaveAUsableObject) {
  auto* p_o = new tw::Object;
  p_o->registerInterest(tw::STEP_EVENT);
  std::string flood = "event_count:1000000,";
  for (int i = 0; i < 300; i++) {
    flood += "event_name[" + std::to_string(i) + "]:game::e" + std::to_string(i) + ",";
  }
  const std::string records[] = {
      "",
      ",,,:::,,:",
      "id:",
      "id:5,is_active:tr",
      std::string(1 << 20, 'x'),
      std::string(1 << 20, ','),
      std::string(1 << 19, ':') + "," + std::string(1 << 19, ','),
      "event_count:-5,event_name[0]:tw::step",
      flood,
      "solidness:99,altitude:-2147483648,sprite_index:99999999999999999999",
      "pos-x:nan,pos-y:inf,speed:1e999,x_acceleration:-nan,box-corner-x:nan,box-corner-y:1,"
      "box-horizontal:1,box-vertical:1",
      "sprite_transparency:,sprite_slowdown:-3,type:",
  };
  for (const std::string& record : records) {
    EXPECT_EQ(p_o->deserialize(record), 0);
    EXPECT_LE(p_o->getEventCount(), 100);
  }
  EXPECT_EQ(p_o->getEventCount(), 100);
  EXPECT_EQ(p_o->getSolidness(), tw::HARD);
  EXPECT_EQ(p_o->getPosition(), tw::Vector(0, 0));
  EXPECT_EQ(p_o->getSpeed(), 0);
  EXPECT_EQ(p_o->getBox(), tw::Box(tw::Vector(-0.5f, -0.5f), 0.99f, 0.99f));
  // Still usable: it moves, draws and leaves the world cleanly.
  EXPECT_FALSE(p_o->isActive()); // "is_active:tr" is not "true"
  ASSERT_EQ(p_o->setActive(true), 0);
  p_o->setVelocity(tw::Vector(1, 0));
  world.update();
  world.draw();
  EXPECT_EQ(p_o->getPosition(), tw::Vector(1, 0));
  EXPECT_EQ(p_o->deserialize("event_count:0"), 0);
  EXPECT_EQ(p_o->getEventCount(), 0);
}
