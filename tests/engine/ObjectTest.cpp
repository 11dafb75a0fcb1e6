#include "EventKeyboard.h"
#include "EventStep.h"
#include "EventView.h"
#include "InputManager.h"
#include "Sprite.h"
#include "TestSupport.h"

using namespace twtest;
using tw::Box;
using tw::Vector;
using ObjectTest = WorldTest;

TEST_F(ObjectTest, IdsSteeringCheckedSettersAndInterestsByManager) {
  auto *p_a = new tw::Object, *p_b = new tw::Object;
  const int id = p_a->getId(), id_b = p_b->getId();
  world.markForDelete(p_b), world.update(), world.shutDown();
  tw::LogManager::getInstance().setLogLevel(2);
  auto* p_out = new tw::Object; // outside the world, the scene graph never hears of it
  EXPECT_EQ(p_out->setSolidness(tw::SOFT) + p_out->setActive(false) + p_out->setAltitude(3), 0);
  world.startUp();
  EXPECT_EQ((std::vector{id_b, p_out->getId(), world.getAllObjects(true).getCount()}),
            (std::vector{id + 1, id + 2, 0})); // ids are never reused
  p_out->setVelocity(Vector(3, 4));
  EXPECT_EQ(p_out->getType() + std::to_string(p_out->getSpeed()), "Object5.000000");
  EXPECT_EQ(p_out->getDirection() + p_out->predictPosition(), Vector(3.6f, 4.8f));
  p_out->setVelocity(Vector(0, 0)), p_out->setPosition(Vector(1, 1));
  EXPECT_EQ(p_out->getVelocity() + p_out->getDirection(), Vector(0, 0));
  p_out->setSpeed(2), p_out->moveTo(Vector(4, 5));
  EXPECT_EQ(p_out->getDirection(), Vector(0.6f, 0.8f));
  p_out->moveTo(Vector(1, 1));
  EXPECT_EQ(p_out->getDirection() + Vector(p_out->getSpeed(), 0), Vector(2, 0));
  EXPECT_EQ(p_out->setAltitude(5) + p_out->setAltitude(-1) + p_out->setSolidness(3), -3);
  EXPECT_EQ(p_out->setAltitude(4) + p_out->setSolidness(tw::SPECTRAL) + p_out->getAltitude(), 4);
  EXPECT_FALSE(p_out->isSolid());
  auto* p_o = new WorldProbe("o");
  for (const std::string& type : {tw::STEP_EVENT, tw::KEYBOARD_EVENT, tw::VIEW_EVENT})
    ASSERT_EQ(p_o->registerInterest(type), 0);
  EXPECT_EQ(p_o->registerInterest(tw::COLLISION_EVENT) + p_o->registerInterest(tw::OUT_EVENT) +
                world.registerInterest(p_o, tw::STEP_EVENT) +
                world.registerInterest(p_o, tw::MOUSE_EVENT),
            -4);
  const tw::EventStep step(0);
  const tw::EventKeyboard key;
  const tw::EventView view("x", 1, true);
  auto sent = [&] {
    return std::vector{tw::GameManager::getInstance().onEvent(&step),
                       tw::InputManager::getInstance().onEvent(&key), world.onEvent(&view),
                       world.onEvent(&step)};
  };
  EXPECT_EQ(sent(), (std::vector{1, 1, 1, 0}));
  for (int i = 3; i < 100; i++)
    ASSERT_EQ(p_o->registerInterest("game::e" + std::to_string(i)), 0);
  EXPECT_EQ(p_o->registerInterest("game::extra") + p_o->unregisterInterest("never"), -2);
  EXPECT_EQ(p_o->unregisterInterest("game::e5"), 0);
  EXPECT_EQ(p_o->getEventName(5) + std::to_string(p_o->getEventCount()), "game::e699");
  world.markForDelete(p_o), world.update(); // deleting it takes it out of every table
  EXPECT_EQ(sent(), (std::vector{0, 0, 0, 0}));
  const auto lines = stopLog();
  EXPECT_FALSE(contains(lines, "SceneGraph"));
  EXPECT_TRUE(inOrder(
      lines, {"WorldManager::insertObject(): Not adding Object " + std::to_string(id + 2),
              "                              because WorldManager not started.",
              "Object::moveTo(after): (4.00, 5.00), speed 2.00, dir (0.60, 0.80)",
              "Object::setAltitude(): Altitude 5 not in range [0,4].  Ignored.",
              "Object::setSolidness(): Solidness 3 not one of HARD, SOFT or SPECTRAL.",
              "WorldManager::isValid(): Event tw::collision handled automatically.",
              "WorldManager::isValid(): Event tw::out handled automatically.",
              "WorldManager::isValid(): WorldManager does not handle tw::step",
              "WorldManager::isValid(): WorldManager does not handle tw::mouse",
              "Object::registerInterest(): maximum (100) reached, cannot register for event "
              "'game::extra'",
              "Object::unregisterInterest(): event 'never' not previously registered"}));
}

TEST_F(ObjectTest, SpriteBoxesAndAnimation) {
  tw::Sprite sprite(4);
  sprite.setWidth(5), sprite.setHeight(3), sprite.setLabel("test");
  for (char c : std::string("abcd"))
    sprite.addFrame(tw::Frame(5, 3, std::string(15, c)));
  auto* p_o = new tw::Object;
  p_o->setSprite(&sprite);
  EXPECT_EQ(p_o->getBox(), Box(Vector(-2.5f, -1.5f), 5, 3));
  EXPECT_EQ(p_o->getSpriteName(), "test");
  p_o->setCentered(false);
  EXPECT_EQ(p_o->getBox(), Box(Vector(0, 0), 4, 2));
  p_o->setCentered(true), p_o->setSpriteSlowdown(3);
  EXPECT_EQ(p_o->getBox(), Box(Vector(-2.5f, -1.5f), 4, 2));
  std::string seen;
  for (int i = 0; i < 13; i++)
    seen += std::to_string(p_o->getSpriteIndex()), p_o->draw();
  p_o->setSpriteSlowdown(0), p_o->draw();                                  // frozen
  p_o->setSpriteSlowdown(1), p_o->setSpriteIndex(2000000000), p_o->draw(); // wraps from outside
  seen += std::to_string(p_o->getSpriteIndex());
  p_o->setSpriteSlowdownCount(2147483647), p_o->draw();
  EXPECT_EQ(seen + std::to_string(p_o->getSpriteIndex()), "000111222333001");
  p_o->setSprite(nullptr); // the box stays; only the sprite goes
  EXPECT_EQ(p_o->getBox(), Box(Vector(-2.5f, -1.5f), 4, 2));
  world.shutDown();
}

TEST_F(ObjectTest, RecordsHoldWhatChangedRoundTripAndSurviveHostileText) {
  auto *p_a = new tw::Object, *p_b = new tw::Object;
  tw::LogManager::getInstance().setLogLevel(10), p_a->setId(0);
  EXPECT_TRUE(p_a->isModified());
  std::string whole = p_a->serialize(false); // the record of a new object, an entry a line
  std::replace(whole.begin(), whole.end(), ',', '\n');
  EXPECT_TRUE(matchesFile("object-record.txt", whole));
  EXPECT_FALSE(p_a->isModified());
  p_a->setDirection(Vector(1, 0)), p_a->moveTo(Vector(5, 5)), p_a->setSpriteName("");
  EXPECT_EQ(p_a->serialize(false), ""); // steering is no change of record
  p_a->registerInterest(tw::STEP_EVENT), p_a->setSpeed(1.5f);
  EXPECT_EQ(p_a->serialize(false), "event_count:1,event_name[0]:tw::step,speed:1.5,");
  p_a->setVelocity(Vector(0, -2)), p_a->setSpriteName("x");
  EXPECT_EQ(p_a->serialize(false), "sprite_name:x,sprite_center:true,sprite_transparency:0,"
                                   "sprite_index:0,sprite_slowdown:1,sprite_slowdown_count:0,"
                                   "x_direction:0,y_direction:-1,speed:2,");
  p_a->setPosition(Vector(2, 2));
  EXPECT_EQ(p_a->serialize(false), "pos-x:2,pos-y:2,");
  p_a->setType("Saucer"), p_a->setPosition(Vector(12.25f, -3.5f)), p_a->setAltitude(3);
  p_a->setVelocity(Vector(0.6f, 0.8f)), p_a->setAcceleration(Vector(0.25f, -1));
  p_a->setSolidness(tw::SOFT), p_a->setNoSoft(true), p_a->setBox(Box(Vector(-1.5f, 0), 3, 0.99f));
  p_a->setTransparency('#'), p_a->setSpriteSlowdown(4), p_a->setSpriteSlowdownCount(2);
  p_a->setCentered(false), p_a->registerInterest("game::x"), p_a->setVisible(false);
  const std::string record = p_a->serialize(true);
  EXPECT_EQ(record.substr(0, 5), "id:0,"); // all, whatever changed
  ASSERT_EQ(p_b->deserialize(record), 0);
  EXPECT_EQ(p_b->serialize(true), record);
  EXPECT_EQ(p_b->getPosition(), Vector(12.25f, -3.5f));
  EXPECT_FALSE(world.getSceneGraph().visibleObjects(3).contains(p_b));
  EXPECT_TRUE(world.getSceneGraph().solidObjects().contains(p_b));
  world.markForDelete(p_a), world.markForDelete(p_b), world.update(); // frees "game::x"
  auto* p_o = new tw::Object;
  p_o->deserialize("altitude:7,solidness:1,x_direction:0.6,y_direction:0.8,sprite_index:2,"
                   "box-corner-x:1,box-corner-y:2,box-horizontal:3,sprite_name:nothing,");
  EXPECT_EQ(p_o->getAltitude() + p_o->getSolidness() + p_o->getSpriteIndex(), 5);
  EXPECT_EQ(p_o->getDirection() * 10 + Vector(p_o->getSpeed(), 0), Vector(6, 8));
  EXPECT_EQ(p_o->getBox(), Box(Vector(-0.5f, -0.5f), 0.99f, 0.99f));
  EXPECT_EQ(p_o->getSpriteName() + (p_o->getSprite() ? "+" : "-"), "nothing-");
  p_o->deserialize("pos-x:1,pos-y:2,fpos-x:3.5,fpos-y:4.5,is_visible:false,type:T");
  EXPECT_EQ(p_o->getPosition() + Vector(p_o->isVisible() + 2 * p_o->isActive(), 0),
            Vector(5.5f, 4.5f));
  EXPECT_TRUE(
      inOrder(stopLog(),
              {"Object::isModified(): 0 is true", "Object::isModified(): 13 is false",
               "Object::deserialize(): sprite_name is 'nothing'",
               "Object::Match(): Object " + std::to_string(p_o->getId()) +
                   " (Object), Sprite 'nothing' not found",
               "Object::deserialize(): box not complete, so ignoring.",
               "Object::deserialize(): position not complete, so ignoring.",
               "Object::deserialize(): altitude is 7",
               "Object::setAltitude(): Altitude 7 not in range [0,4].  Ignored.",
               "Object::deserialize(): x_direction is 0.60", "Object::deserialize(): type is T"}));
  p_o = new tw::Object;
  p_o->registerInterest(tw::STEP_EVENT);
  std::string flood = "event_count:1000000,";
  for (int i = 0; i < 300; i++)
    flood += "event_name[" + std::to_string(i) + "]:game::e" + std::to_string(i) + ",";
  for (const std::string& hostile :
       {std::string(",,,:::,,:"), std::string("id:5,is_active:tr"), std::string(1 << 20, 'x'),
        std::string(1 << 19, ':') + "," + std::string(1 << 19, ','),
        std::string("event_count:-5,event_name[0]:tw::step"), flood,
        std::string("solidness:99,altitude:-2147483648,sprite_index:99999999999999999999"),
        std::string("pos-x:nan,pos-y:inf,speed:1e999,x_acceleration:-nan,box-corner-x:nan,"
                    "box-corner-y:1,box-horizontal:1,box-vertical:1"),
        std::string("id:,sprite_transparency:,sprite_slowdown:-3,type:")})
    EXPECT_EQ(p_o->deserialize(hostile) + (p_o->getEventCount() > 100), 0);
  EXPECT_EQ(p_o->getEventCount() + p_o->getSolidness() + p_o->getSpeed(), 100);
  EXPECT_EQ(p_o->getBox(), Box(p_o->getPosition() + Vector(-0.5f, -0.5f), 0.99f, 0.99f));
  EXPECT_FALSE(p_o->isActive()); // "is_active:tr" is not "true"
  p_o->setActive(true), p_o->setVelocity(Vector(1, 0)), world.update(), world.draw();
  EXPECT_EQ(p_o->getPosition(), Vector(1, 0)); // still usable: it moves, draws and leaves
  EXPECT_EQ(p_o->deserialize("event_count:0") + p_o->getEventCount(), 0);
}
