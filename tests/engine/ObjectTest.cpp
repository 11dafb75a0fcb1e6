#include "EventKeyboard.h"
#include "EventStep.h"
#include "EventView.h"
#include "InputManager.h"
#include "ResourceManager.h"
#include "Sprite.h"
#include "TestSupport.h"

using namespace twtest;
using tw::Vector;
#define XY(v) (v).getX(), (v).getY()

/// Each test logs what it does (at level 10) and compares the log with its file.
struct ObjectTest : WorldTest {
  void SetUp() override { WorldTest::SetUp(), log.setLogLevel(10); }
  void TearDown() override {
    const std::string name = testing::UnitTest::GetInstance()->current_test_info()->name();
    EXPECT_TRUE(
        matchesFile("golden/Object." + name + ".txt", withoutAddresses(withoutTimes(stopLog()))));
    WorldTest::TearDown();
  }
  /// Logs a record an entry a line.
  void put(const std::string& what, const std::string& record) {
    std::istringstream s(what + ":," + record);
    for (std::string e; std::getline(s, e, ',');)
      log.writeLog("  %s", e.c_str());
  }
  void state(const tw::Object* p) {
    const tw::Box b = p->getBox();
    log.writeLog("%d %s at %g,%g dir %g,%g speed %g solid %d altitude %d box %g,%g %gx%g index %d "
                 "%s",
                 p->getId(), p->getType().c_str(), XY(p->getPosition()), XY(p->getDirection()),
                 p->getSpeed(), p->isSolid(), p->getAltitude(), XY(b.getCorner()),
                 b.getHorizontal(), b.getVertical(), p->getSpriteIndex(),
                 p->getSpriteName().c_str());
  }
  tw::LogManager& log = tw::LogManager::getInstance();
};

// Worlds of tens of thousands of objects: an object holds its interests out of line.
static_assert(sizeof(tw::Object) <= 600, "tw::Object has grown past 600 bytes");

TEST_F(ObjectTest, IdsSteeringCheckedSettersAndInterestsByManager) {
  new tw::Object, world.markForDelete(new tw::Object), world.update(), world.shutDown();
  auto* p_out = new tw::Object; // outside the world, the scene graph never hears of it
  log.writeLog("outside %d",
               p_out->setSolidness(tw::SOFT) + p_out->setActive(false) + p_out->setAltitude(3));
  log.writeLog("in world %d", world.getAllObjects(true).getCount());
  world.startUp(), p_out->setVelocity(Vector(3, 4)), state(p_out); // ids are never reused
  log.writeLog("predicted %g,%g", XY(p_out->predictPosition()));
  p_out->setVelocity(Vector(0, 0)), p_out->setPosition(Vector(1, 1)), state(p_out);
  p_out->setSpeed(2), p_out->moveTo(Vector(4, 5)), p_out->moveTo(Vector(1, 1)), state(p_out);
  log.writeLog("checked %d", p_out->setAltitude(5) + p_out->setAltitude(-1) +
                                 p_out->setSolidness(3) + p_out->setAltitude(4) +
                                 p_out->setSolidness(tw::SPECTRAL));
  state(p_out);
  auto* p_o = new WorldProbe("o");
  for (const std::string& type :
       {tw::STEP_EVENT, tw::KEYBOARD_EVENT, tw::VIEW_EVENT, tw::COLLISION_EVENT, tw::OUT_EVENT})
    log.writeLog("%s %d", type.c_str(), p_o->registerInterest(type));
  for (const std::string& type : {tw::STEP_EVENT, tw::MOUSE_EVENT})
    log.writeLog("refused %d", world.registerInterest(p_o, type));
  const tw::EventStep step(0);
  const tw::EventKeyboard key;
  const tw::EventView view("x", 1, true);
  auto send = [&] {
    log.writeLog("sent %d %d %d %d", tw::GameManager::getInstance().onEvent(&step),
                 tw::InputManager::getInstance().onEvent(&key), world.onEvent(&view),
                 world.onEvent(&step));
  };
  send();
  for (int i = 3; i < 100; i++)
    ASSERT_EQ(p_o->registerInterest("game::e" + std::to_string(i)), 0);
  const int extra = p_o->registerInterest("game::extra"), never = p_o->unregisterInterest("never");
  const int e5 = p_o->unregisterInterest("game::e5");
  log.writeLog("%d %d %d %s %d", extra, never, e5, p_o->getEventName(5).c_str(),
               p_o->getEventCount());
  world.markForDelete(p_o), world.update(), send(); // deleting it takes it out of every table
}

TEST_F(ObjectTest, SpriteBoxesAndAnimation) {
  tw::Sprite sprite(4);
  sprite.setWidth(5), sprite.setHeight(3), sprite.setLabel("test");
  for (char c : std::string("abcd"))
    sprite.addFrame(tw::Frame(5, 3, std::string(15, c)));
  auto* p_o = new tw::Object;
  p_o->setSprite(&sprite), state(p_o), p_o->setCentered(false), state(p_o);
  p_o->setCentered(true), p_o->setSpriteSlowdown(3), state(p_o);
  for (int i = 0; i < 13; i++)
    p_o->draw(), state(p_o);
  p_o->setSpriteSlowdown(0), p_o->draw(), state(p_o);                      // frozen
  p_o->setSpriteSlowdown(1), p_o->setSpriteIndex(2000000000), p_o->draw(); // wraps from outside
  state(p_o), p_o->setSpriteSlowdownCount(2147483647), p_o->draw(), state(p_o);
  p_o->setSprite(nullptr), state(p_o); // the box stays; the sprite goes
  tw::Sprite dot(1); // a one-cell sprite's box is a point: the next cell is out of reach
  dot.setWidth(1), dot.setHeight(1), dot.addFrame(tw::Frame(1, 1, "o")), dot.setLabel("dot");
  auto* p_near = new tw::Object;
  p_near->setSprite(&dot), p_near->setPosition(Vector(1, 0)), p_o->setCentered(false);
  p_o->setSprite(&sprite), state(p_o), p_o->setSprite(&dot), p_near->setCentered(true);
  for (const tw::Object* p : {p_o, p_near}) // centred or not, setSprite or setCentered
    log.writeLog("dot box %g,%g %g %g", XY(p->getBox().getCorner()), p->getBox().getHorizontal(),
                 p->getBox().getVertical());
  log.writeLog("%d %d", world.getCollisions(p_o, Vector(0, 0)).getCount(),
               world.getCollisions(p_o, Vector(1, 0)).getCount()),
      world.shutDown();
}

TEST_F(ObjectTest, RecordsHoldWhatChangedRoundTripAndSurviveHostileText) {
  auto *p_a = new tw::Object, *p_b = new tw::Object;
  log.writeLog("modified %d", p_a->isModified()), put("new", p_a->serialize(false));
  log.writeLog("modified %d", p_a->isModified());
  p_a->setDirection(Vector(1, 0)), p_a->moveTo(Vector(5, 5)), p_a->setSpriteName("");
  put("steered", p_a->serialize(false)); // steering is no change of record
  p_a->registerInterest(tw::STEP_EVENT), p_a->setSpeed(1.5f), put("step", p_a->serialize(false));
  p_a->setVelocity(Vector(0, -2)), p_a->setSpriteName("x"), put("sprite", p_a->serialize(false));
  p_a->setPosition(Vector(2, 2)), put("moved", p_a->serialize(false));
  p_a->setType("Saucer"), p_a->setPosition(Vector(12.25f, -3.5f)), p_a->setAltitude(3);
  p_a->setVelocity(Vector(0.6f, 0.8f)), p_a->setAcceleration(Vector(0.25f, -1));
  p_a->setSolidness(tw::SOFT), p_a->setNoSoft(true);
  p_a->setBox(tw::Box(Vector(-1.5f, 0), 3, 0.99f)), p_a->setTransparency('#');
  p_a->setSpriteSlowdown(4), p_a->setSpriteSlowdownCount(2), p_a->setCentered(false);
  p_a->registerInterest("game::x"), p_a->setVisible(false);
  const std::string record = p_a->serialize(true);
  put("all", record), p_b->setId(7), p_b->deserialize(record);
  EXPECT_EQ(p_b->serialize(true), record); // read back whole
  log.writeLog("in lists %d %d", world.getSceneGraph().visibleObjects(3).contains(p_b),
               world.getSceneGraph().solidObjects().contains(p_b)),
      state(p_b);
  world.markForDelete(p_a), world.markForDelete(p_b), world.update(); // frees "game::x"
  auto* p_o = new tw::Object;
  p_o->deserialize("altitude:7,solidness:1,x_direction:0.6,y_direction:0.8,sprite_index:2,"
                   "box-corner-x:1,box-corner-y:2,box-horizontal:3,sprite_name:nothing,");
  p_o->deserialize("pos-x:1,pos-y:2,fpos-x:3.5,fpos-y:4.5,is_visible:false,type:T");
  state(p_o), put("read", p_o->serialize(true));
  p_o = new tw::Object, p_o->registerInterest(tw::STEP_EVENT), log.setLogLevel(0);
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
    log.writeLog("hostile %d", p_o->deserialize(hostile)), log.writeLog("%d", p_o->getEventCount());
  put("after", p_o->serialize(true)); // "is_active:tr" is not "true"
  p_o->setActive(true), p_o->setVelocity(Vector(1, 0)), world.update(), world.draw();
  state(p_o); // still usable: it moves, draws and leaves
  log.writeLog("none %d", p_o->deserialize("event_count:0"));
  log.writeLog("%d", p_o->getEventCount());
}

/// Each change's result and the lists the object is in after it, then the errors' lines.
TEST_F(ObjectTest, SceneGraphListsFollowEveryChange) {
  auto* p_o = new tw::Object;
  auto lists = [&](int result) {
    const tw::SceneGraph& g = world.getSceneGraph();
    std::string in;
    for (int a = 0; a <= 4; a++)
      in += g.visibleObjects(a).contains(p_o) ? " visible" + std::to_string(a) : "";
    log.writeLog("%d%s%s%s%s", result, g.activeObjects().contains(p_o) ? " active" : "",
                 g.solidObjects().contains(p_o) ? " solid" : "", in.c_str(),
                 g.inactiveObjects().contains(p_o) ? " inactive" : "");
  };
  lists(0), lists(p_o->setSolidness(tw::SPECTRAL)), lists(p_o->setSolidness(tw::SOFT));
  lists(p_o->setSolidness(tw::HARD)), lists(p_o->setAltitude(4)), lists(p_o->setVisible(false));
  lists(p_o->setAltitude(1)), lists(p_o->setVisible(true) + p_o->setVisible(true));
  lists(p_o->setActive(false)), lists(p_o->setSolidness(tw::SPECTRAL) + p_o->setAltitude(3));
  lists(p_o->setActive(true) + p_o->setActive(true));
  lists(p_o->setVisible(false) + p_o->setActive(false));
  lists(p_o->setSolidness(tw::SOFT) + p_o->setActive(true));
  world.markForDelete(p_o), world.update(), lists(0);
  auto* p_a = new tw::Object;
  new tw::Object, new tw::Object, p_a->setAltitude(2); // the same altitude: to the end, drawn last
  const tw::ObjectList layer = world.getSceneGraph().visibleObjects(2);
  log.writeLog("%d %d %d %d", layer.at(0)->getId(), layer.at(1)->getId(), layer.at(2)->getId(),
               layer.getCount());
  tw::SceneGraph g;
  log.writeLog("%d", g.visibleObjects(5).isEmpty() + g.visibleObjects(-1).isEmpty());
  world.shutDown();
  auto* p_outside = new tw::Object;
  for (int r : {g.removeObject(p_outside), g.insertObject(p_outside),
                g.updateAltitude(p_outside, 7), g.removeObject(p_outside)})
    log.writeLog("%d", r); // in order, as a braced list is evaluated
}

using ObjectRecordTest = WorldTest;

// The sprite and its centring size the box too; a box of the object's own comes back over them.
TEST_F(ObjectRecordTest, ABoxComesBackWhateverTheSpriteAndItsCentring) {
  tw::ResourceManager& rm = tw::ResourceManager::getInstance();
  ASSERT_EQ(rm.startUp(), 0);
  writeFile("ship.txt", "frames 1\nwidth 5\nheight 3\ncolor red\n<===>\n<===>\n<===>\nend\neof\n");
  ASSERT_EQ(rm.loadSprite("ship.txt", "ship"), 0);
  const struct {
    bool centred;
    bool own_box;
    tw::Box expected;
  } cases[] = {{true, true, tw::Box(Vector(-1, -0.5f), 2.5f, 1)},
               {false, true, tw::Box(Vector(-1, -0.5f), 2.5f, 1)},
               {true, false, tw::Box(Vector(-2, -1), 4, 2)},
               {false, false, tw::Box(Vector(0, 0), 4, 2)}};
  for (const auto& c : cases) {
    auto *p_a = new tw::Object, *p_b = new tw::Object;
    p_a->setSprite(rm.getSprite("ship")), p_a->setCentered(c.centred);
    if (c.own_box)
      p_a->setBox(tw::Box(Vector(-1, -0.5f), 2.5f, 1));
    const std::string record = p_a->serialize(true);
    p_b->deserialize(record);
    const tw::Box box = p_b->getBox();
    EXPECT_EQ(box.getCorner().getX(), c.expected.getCorner().getX()) << record;
    EXPECT_EQ(box.getCorner().getY(), c.expected.getCorner().getY()) << record;
    EXPECT_EQ(box.getHorizontal(), c.expected.getHorizontal()) << record;
    EXPECT_EQ(box.getVertical(), c.expected.getVertical()) << record;
    EXPECT_EQ(p_b->serialize(true), record);
  }
  rm.shutDown();
}
