#include "EventKeyboard.h"
#include "EventStep.h"
#include "GameManager.h"
#include "InputManager.h"
#include "LogManager.h"
#include "Object.h"
#include "Sprite.h"
#include "WorldManager.h"

#include "TestSupport.h"

using namespace twtest;

namespace {

class ObjectTest : public TempDirTest {
protected:
  void SetUp() override {
    TempDirTest::SetUp();
    startLog();
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

/// A sprite of the given size whose frames hold one letter each.
tw::Sprite* makeSprite(int w, int h, int frames) {
  auto* p_s = new tw::Sprite(frames);
  p_s->setWidth(w);
  p_s->setHeight(h);
  p_s->setLabel("test");
  for (int i = 0; i < frames; i++) {
    p_s->addFrame(tw::Frame(w, h, std::string(w * h, static_cast<char>('a' + i))));
  }
  return p_s;
}

} // namespace

TEST_F(ObjectTest, IdsAreConsecutiveAndNeverReused) {
  auto* p_a = new tw::Object;
  auto* p_b = new tw::Object;
  EXPECT_EQ(p_b->getId(), p_a->getId() + 1);
  world.markForDelete(p_b);
  world.update();
  EXPECT_EQ((new tw::Object)->getId(), p_a->getId() + 2);
  EXPECT_EQ(p_a->getType(), "Object");
}

TEST_F(ObjectTest, ObjectsMadeBeforeTheWorldStartsStayOutside) {
  world.shutDown();
  tw::LogManager::getInstance().setLogLevel(2);
  auto* p_o = new tw::Object;
  EXPECT_EQ(world.getAllObjects(true).getCount(), 0);
  // Changing it touches no world list.
  EXPECT_EQ(p_o->setSolidness(tw::SOFT), 0);
  EXPECT_EQ(p_o->setActive(false), 0);
  EXPECT_EQ(p_o->setAltitude(3), 0);
  world.startUp();
  EXPECT_EQ(world.getAllObjects(true).getCount(), 0);
  const auto lines = stopLog();
  const std::string refusal =
      "WorldManager::insertObject(): Not adding Object " + std::to_string(p_o->getId());
  EXPECT_TRUE(contains(lines, refusal));
  EXPECT_TRUE(contains(lines, "                              because WorldManager not started."));
  EXPECT_FALSE(contains(lines, "SceneGraph"));
  // Shut-down deletes objects outside the world too (the leak checker would say otherwise).
}

TEST_F(ObjectTest, VelocityDirectionAndSpeed) {
  tw::Object& o = *new tw::Object;
  o.setVelocity(tw::Vector(3, 4));
  EXPECT_FLOAT_EQ(o.getSpeed(), 5);
  EXPECT_FLOAT_EQ(o.getDirection().getX(), 0.6f);
  EXPECT_FLOAT_EQ(o.getDirection().getY(), 0.8f);
  EXPECT_FLOAT_EQ(o.getVelocity().getX(), 3);
  EXPECT_FLOAT_EQ(o.predictPosition().getY(), 4);
  o.setVelocity(tw::Vector(0, 0));
  EXPECT_EQ(o.getSpeed(), 0);
  EXPECT_EQ(o.getDirection(), tw::Vector(0, 0));
}

TEST_F(ObjectTest, MoveToSteersWithoutChangingSpeed) {
  auto* p_o = new tw::Object;
  p_o->setPosition(tw::Vector(1, 1));
  p_o->setSpeed(2);
  p_o->moveTo(tw::Vector(4, 5));
  EXPECT_FLOAT_EQ(p_o->getDirection().getX(), 0.6f);
  EXPECT_FLOAT_EQ(p_o->getDirection().getY(), 0.8f);
  EXPECT_FLOAT_EQ(p_o->getSpeed(), 2);
  p_o->moveTo(tw::Vector(1, 1));
  EXPECT_EQ(p_o->getDirection(), tw::Vector(0, 0));
  EXPECT_FLOAT_EQ(p_o->getSpeed(), 2);
  EXPECT_TRUE(contains(stopLog(), "Object::moveTo(after): (4.00, 5.00), speed 2.00, dir (0.60, "
                                  "0.80)"));
}

TEST_F(ObjectTest, AHundredInterestsAtMost) {
  auto* p_o = new tw::Object;
  for (int i = 0; i < 100; i++) {
    ASSERT_EQ(p_o->registerInterest("game::e" + std::to_string(i)), 0);
  }
  EXPECT_EQ(p_o->registerInterest("game::extra"), -1);
  EXPECT_EQ(p_o->getEventCount(), 100);
  EXPECT_EQ(p_o->unregisterInterest("never"), -1);
  EXPECT_EQ(p_o->unregisterInterest("game::e5"), 0);
  EXPECT_EQ(p_o->getEventCount(), 99);
  EXPECT_EQ(p_o->getEventName(5), "game::e6");
  const auto lines = stopLog();
  EXPECT_TRUE(contains(lines, "Object::registerInterest(): maximum (100) reached, cannot register "
                              "for event 'game::extra'"));
  EXPECT_TRUE(contains(lines, "Object::unregisterInterest(): event 'never' not previously "
                              "registered"));
}

TEST_F(ObjectTest, InterestsGoToTheManagerOfTheirType) {
  auto* p_o = new tw::Object;
  EXPECT_EQ(p_o->registerInterest(tw::STEP_EVENT), 0);
  EXPECT_EQ(p_o->registerInterest(tw::KEYBOARD_EVENT), 0);
  EXPECT_EQ(p_o->registerInterest(tw::VIEW_EVENT), 0);
  EXPECT_EQ(p_o->registerInterest(tw::COLLISION_EVENT), -1);
  EXPECT_EQ(p_o->getEventCount(), 3);
  const tw::EventStep step(0);
  EXPECT_EQ(tw::GameManager::getInstance().onEvent(&step), 1);
  tw::EventKeyboard key;
  EXPECT_EQ(tw::InputManager::getInstance().onEvent(&key), 1);
  EXPECT_EQ(tw::WorldManager::getInstance().onEvent(&step), 0);
  // Deleting the object takes it out of every table.
  world.markForDelete(p_o);
  world.update();
  EXPECT_EQ(tw::GameManager::getInstance().onEvent(&step), 0);
  EXPECT_EQ(tw::InputManager::getInstance().onEvent(&key), 0);
}

TEST_F(ObjectTest, SpriteBoxes) {
  tw::Sprite* p_sprite = makeSprite(5, 3, 1);
  auto* p_o = new tw::Object;
  p_o->setSprite(p_sprite);
  EXPECT_EQ(p_o->getBox(), tw::Box(tw::Vector(-2.5f, -1.5f), 5, 3));
  EXPECT_EQ(p_o->getSpriteName(), "test");
  p_o->setCentered(false);
  EXPECT_EQ(p_o->getBox(), tw::Box(tw::Vector(0, 0), 4, 2));
  p_o->setCentered(true);
  EXPECT_EQ(p_o->getBox(), tw::Box(tw::Vector(-2.5f, -1.5f), 4, 2));
  p_o->setSprite(nullptr); // the box stays; only the sprite goes
  EXPECT_EQ(p_o->getBox(), tw::Box(tw::Vector(-2.5f, -1.5f), 4, 2));
  world.shutDown();
  delete p_sprite;
}

TEST_F(ObjectTest, AnimationAdvancesEverySlowdownDraws) {
  tw::Sprite* p_sprite = makeSprite(1, 1, 4);
  auto* p_o = new tw::Object;
  p_o->setSprite(p_sprite);
  p_o->setSpriteSlowdown(3);
  std::vector<int> seen;
  for (int i = 0; i < 13; i++) {
    seen.push_back(p_o->getSpriteIndex());
    p_o->draw();
  }
  EXPECT_EQ(seen, (std::vector<int>{0, 0, 0, 1, 1, 1, 2, 2, 2, 3, 3, 3, 0}));
  p_o->setSpriteSlowdown(0);
  p_o->draw();
  p_o->draw();
  EXPECT_EQ(p_o->getSpriteIndex(), 0);
  // Out-of-range indexes (from outside data) wrap instead of running away.
  p_o->setSpriteSlowdown(1);
  p_o->setSpriteIndex(2000000000);
  p_o->draw();
  EXPECT_EQ(p_o->getSpriteIndex(), 0);
  p_o->setSpriteSlowdownCount(2147483647);
  p_o->draw();
  EXPECT_EQ(p_o->getSpriteIndex(), 1);
  world.shutDown();
  delete p_sprite;
}

TEST_F(ObjectTest, SolidnessAndAltitudeAreChecked) {
  auto* p_o = new tw::Object;
  EXPECT_EQ(p_o->setAltitude(5), -1);
  EXPECT_EQ(p_o->setAltitude(-1), -1);
  EXPECT_EQ(p_o->getAltitude(), 2);
  EXPECT_EQ(p_o->setSolidness(3), -1);
  EXPECT_EQ(p_o->getSolidness(), tw::HARD);
  EXPECT_EQ(p_o->setAltitude(4), 0);
  EXPECT_EQ(p_o->setSolidness(tw::SPECTRAL), 0);
  EXPECT_FALSE(p_o->isSolid());
  const auto lines = stopLog();
  EXPECT_TRUE(contains(lines, "Object::setAltitude(): Altitude 5 not in range [0,4].  Ignored."));
  EXPECT_TRUE(contains(lines, "Object::setSolidness(): Solidness 3 not one of HARD, SOFT or "
                              "SPECTRAL."));
}

TEST_F(ObjectTest, ModifiedFlags) {
  auto* p_o = new tw::Object;
  tw::LogManager::getInstance().setLogLevel(10);
  EXPECT_TRUE(p_o->isModified());
  p_o->serialize();
  EXPECT_FALSE(p_o->isModified());
  p_o->setDirection(tw::Vector(1, 0));
  p_o->moveTo(tw::Vector(5, 5));
  EXPECT_FALSE(p_o->isModified()); // steering is not a change of record
  p_o->setSpriteName("");
  EXPECT_FALSE(p_o->isModified(tw::ATTR_SPRITE));
  p_o->setSpriteName("x");
  EXPECT_TRUE(p_o->isModified(tw::ATTR_SPRITE));
  p_o->setVelocity(tw::Vector(1, 1));
  EXPECT_TRUE(p_o->isModified(tw::ATTR_SPEED));
  EXPECT_TRUE(p_o->isModified(tw::ATTR_DIRECTION));
  EXPECT_FALSE(p_o->isModified(tw::ATTR_POSITION));
  p_o->setPosition(tw::Vector(2, 2));
  EXPECT_TRUE(p_o->isModified(tw::ATTR_POSITION));
  const auto lines = stopLog();
  // A new object reports index 0 at once; a clean one logs all fourteen indexes.
  EXPECT_TRUE(contains(lines, "Object::isModified(): 0 is true"));
  EXPECT_TRUE(contains(lines, "Object::isModified(): 13 is false"));
}
