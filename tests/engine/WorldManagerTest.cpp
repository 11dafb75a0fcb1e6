#include "EventCollision.h"
#include "EventView.h"
#include "LogManager.h"
#include "Object.h"
#include "WorldManager.h"

#include "TestSupport.h"

#include <functional>

using namespace twtest;

namespace {

std::vector<std::string> events; // "<name>:<type>[:<other name>]"

/// Records every event it receives; hooks let a test act inside the handler.
class Probe : public tw::Object {
public:
  explicit Probe(std::string init_name, tw::Vector where = tw::Vector(),
                 tw::Solidness solidness = tw::HARD)
      : name(std::move(init_name)) {
    setPosition(where);
    setSolidness(solidness);
    setType("Probe");
  }
  ~Probe() override {
    if (on_destroy) {
      on_destroy();
    }
  }
  int eventHandler(const tw::Event* p_e) override {
    std::string entry = name + ":" + p_e->getType();
    if (p_e->isType(tw::COLLISION_EVENT)) {
      const auto* p_c = static_cast<const tw::EventCollision*>(p_e);
      const tw::Object* p_other = p_c->getObject1() == this ? p_c->getObject2() : p_c->getObject1();
      entry += ":" + static_cast<const Probe*>(p_other)->name;
    }
    events.push_back(entry);
    if (on_event) {
      on_event(p_e);
    }
    return 1;
  }
  std::string name;
  std::function<void(const tw::Event*)> on_event;
  std::function<void()> on_destroy;
};

class WorldManagerTest : public TempDirTest {
protected:
  void SetUp() override {
    TempDirTest::SetUp();
    startLog();
    world.startUp();
    world.setBoundary(tw::Box(tw::Vector(0, 0), 80, 24));
    world.setView(tw::Box(tw::Vector(0, 0), 80, 24));
    events.clear();
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

using Events = std::vector<std::string>;

} // namespace

TEST_F(WorldManagerTest, HardBlocksHardAndBothHearOfIt) {
  auto* p_mover = new Probe("m", tw::Vector(10, 10));
  new Probe("wall", tw::Vector(11, 10));
  p_mover->setVelocity(tw::Vector(1, 0));
  world.update();
  EXPECT_EQ(p_mover->getPosition(), tw::Vector(10, 10));
  EXPECT_EQ(events, (Events{"m:tw::collision:wall", "wall:tw::collision:m"}));
  EXPECT_EQ(world.moveObject(p_mover, tw::Vector(11, 10)), -1);
}

TEST_F(WorldManagerTest, CollisionCarriesTheDestination) {
  auto* p_mover = new Probe("m", tw::Vector(10, 10));
  new Probe("wall", tw::Vector(11, 10));
  tw::Vector seen;
  p_mover->on_event = [&](const tw::Event* p_e) {
    seen = static_cast<const tw::EventCollision*>(p_e)->getPosition();
  };
  world.moveObject(p_mover, tw::Vector(10.75f, 10));
  EXPECT_EQ(seen, tw::Vector(10.75f, 10));
}

TEST_F(WorldManagerTest, SoftIsPassedThroughButStillCollides) {
  auto* p_hard = new Probe("h", tw::Vector(10, 10));
  new Probe("soft", tw::Vector(11, 10), tw::SOFT);
  EXPECT_EQ(world.moveObject(p_hard, tw::Vector(11, 10)), 0);
  EXPECT_EQ(events, (Events{"h:tw::collision:soft", "soft:tw::collision:h"}));
  events.clear();
  p_hard->setNoSoft(true);
  EXPECT_EQ(world.moveObject(p_hard, tw::Vector(11.5f, 10)), -1);
  EXPECT_EQ(p_hard->getPosition(), tw::Vector(11, 10));
  EXPECT_EQ(events.size(), 2u);

  auto* p_soft_mover = new Probe("sm", tw::Vector(20, 10), tw::SOFT);
  new Probe("h2", tw::Vector(21, 10));
  events.clear();
  EXPECT_EQ(world.moveObject(p_soft_mover, tw::Vector(21, 10)), 0);
  EXPECT_EQ(events, (Events{"sm:tw::collision:h2", "h2:tw::collision:sm"}));
}

TEST_F(WorldManagerTest, SpectralNeverCollides) {
  auto* p_ghost = new Probe("g", tw::Vector(10, 10), tw::SPECTRAL);
  new Probe("h", tw::Vector(11, 10));
  EXPECT_EQ(world.moveObject(p_ghost, tw::Vector(11, 10)), 0);
  auto* p_h2 = new Probe("h2", tw::Vector(13, 10));
  EXPECT_EQ(world.moveObject(p_h2, tw::Vector(11, 10.5f)), -1); // into h, not the ghost
  EXPECT_EQ(events, (Events{"h2:tw::collision:h", "h:tw::collision:h2"}));
}

TEST_F(WorldManagerTest, EveryCollidingObjectHearsEvenAfterTheMoveIsRefused) {
  auto* p_m = new Probe("m", tw::Vector(10, 10));
  new Probe("a", tw::Vector(11, 10));
  new Probe("b", tw::Vector(11, 10.5f), tw::SOFT);
  EXPECT_EQ(world.moveObject(p_m, tw::Vector(11, 10)), -1);
  EXPECT_EQ(events, (Events{"m:tw::collision:a", "a:tw::collision:m", "m:tw::collision:b",
                            "b:tw::collision:m"}));
}

TEST_F(WorldManagerTest, OneOutEventWhenLeavingTheBoundary) {
  auto* p_o = new Probe("o", tw::Vector(78, 5), tw::SPECTRAL);
  p_o->setVelocity(tw::Vector(1, 0));
  for (int i = 0; i < 6; i++) {
    world.update();
  }
  EXPECT_EQ(events, (Events{"o:tw::out"}));
  // Coming back in sends nothing; leaving again sends one more.
  world.moveObject(p_o, tw::Vector(40, 5));
  world.moveObject(p_o, tw::Vector(-5, 5));
  EXPECT_EQ(events, (Events{"o:tw::out", "o:tw::out"}));
}

TEST_F(WorldManagerTest, DeletionHappensOnceAtTheEndOfTheUpdate) {
  int destroyed = 0;
  auto* p_a = new Probe("a", tw::Vector(10, 10));
  auto* p_b = new Probe("b", tw::Vector(11, 10));
  p_b->on_destroy = [&] { destroyed++; };
  p_a->setVelocity(tw::Vector(1, 0));
  // a collides with b during the walk and marks it (twice); b is gone by the end of update.
  p_a->on_event = [&](const tw::Event*) {
    EXPECT_EQ(world.markForDelete(p_b), 0);
    EXPECT_EQ(world.markForDelete(p_b), 0);
  };
  world.update();
  EXPECT_EQ(destroyed, 1);
  EXPECT_FALSE(world.getAllObjects(true).contains(p_b));
  EXPECT_EQ(world.markForDelete(nullptr), -1);
  EXPECT_TRUE(contains(stopLog(), "WorldManager::markForDelete(): unable to add object (nil) to "
                                  "deletions list"));
  startLog();
}

TEST_F(WorldManagerTest, MarkedAfterTheUpdateGoesInTheNextOne) {
  auto* p_a = new Probe("a");
  int destroyed = 0;
  p_a->on_destroy = [&] { destroyed++; };
  world.update();
  world.markForDelete(p_a);
  world.draw(); // still there, still drawn
  EXPECT_EQ(destroyed, 0);
  world.update();
  EXPECT_EQ(destroyed, 1);
}

TEST_F(WorldManagerTest, MarkedObjectsStillMoveAndCollideUntilTheEnd) {
  auto* p_a = new Probe("a", tw::Vector(10, 10));
  auto* p_b = new Probe("b", tw::Vector(20, 10));
  new Probe("c", tw::Vector(21.5f, 10));
  p_a->setVelocity(tw::Vector(1, 0));
  p_b->setVelocity(tw::Vector(1, 0));
  world.markForDelete(p_b);
  world.update();
  EXPECT_EQ(events, (Events{"b:tw::collision:c", "c:tw::collision:b"}));
  EXPECT_EQ(p_a->getPosition(), tw::Vector(11, 10));
  EXPECT_EQ(world.getAllObjects().getCount(), 2);
}

TEST_F(WorldManagerTest, ObjectsCreatedAndDestroyedDuringTheWalkAreSafe) {
  auto* p_a = new Probe("a", tw::Vector(10, 10));
  auto* p_b = new Probe("b", tw::Vector(11, 10));
  auto* p_c = new Probe("c", tw::Vector(30, 10));
  p_a->setVelocity(tw::Vector(1, 0));
  p_c->setVelocity(tw::Vector(1, 0));
  Probe* p_made = nullptr;
  p_a->on_event = [&](const tw::Event*) {
    // Against the rules, but it must not crash the walk: b is destroyed outright, and c,
    // which the walk has not reached yet, too.
    delete p_b;
    delete p_c;
    p_made = new Probe("new", tw::Vector(50, 10));
    p_made->setVelocity(tw::Vector(1, 0));
    world.markForDelete(p_a);
  };
  world.update();
  ASSERT_NE(p_made, nullptr);
  EXPECT_EQ(p_made->getPosition(), tw::Vector(50, 10)); // first moves in the next update
  EXPECT_EQ(world.getAllObjects().getCount(), 1);
  world.update();
  EXPECT_EQ(p_made->getPosition(), tw::Vector(51, 10));
}

// An object made in a handler must not be mistaken for one destroyed earlier in the same
// walk, as it would be if it were given that object's address.
TEST_F(WorldManagerTest, ObjectMadeDuringTheWalkIsNotTakenForADestroyedOne) {
  auto* p_a = new Probe("a", tw::Vector(10, 10));
  auto* p_b = new Probe("b", tw::Vector(11, 10));
  auto* p_c = new Probe("c", tw::Vector(30, 10));
  p_a->setVelocity(tw::Vector(1, 0));
  p_c->setVelocity(tw::Vector(1, 0));
  const void* old_b = p_b;
  Probe* p_d = nullptr;
  p_a->on_event = [&](const tw::Event*) {
    if (!p_d) {
      delete p_b;
      p_d = new Probe("d", tw::Vector(31, 10));
    }
  };
  world.update();
  ASSERT_NE(p_d, nullptr);
  EXPECT_NE(static_cast<const void*>(p_d), old_b);
  // c runs into d: both hear of it and c stays put.
  EXPECT_TRUE(contains(events, "c:tw::collision:d"));
  EXPECT_TRUE(contains(events, "d:tw::collision:c"));
  EXPECT_EQ(p_c->getPosition(), tw::Vector(30, 10));
}

TEST_F(WorldManagerTest, DestructorsMayMarkOrDestroyOthers) {
  auto* p_a = new Probe("a");
  auto* p_b = new Probe("b");
  auto* p_c = new Probe("c");
  auto* p_d = new Probe("d");
  p_a->on_destroy = [&] {
    delete p_b; // also marked: must not be deleted twice
    world.markForDelete(p_c);
  };
  world.markForDelete(p_a);
  world.markForDelete(p_b);
  world.update();
  EXPECT_EQ(world.getAllObjects().getCount(), 1);
  EXPECT_TRUE(world.getAllObjects().contains(p_d));
}

TEST_F(WorldManagerTest, InactiveObjectsNeitherMoveNorCollideButAreDeletedAtShutDown) {
  auto* p_sleeper = new Probe("s", tw::Vector(10, 10));
  p_sleeper->setVelocity(tw::Vector(1, 0));
  p_sleeper->setActive(false);
  auto* p_m = new Probe("m", tw::Vector(12, 10));
  world.update();
  EXPECT_EQ(p_sleeper->getPosition(), tw::Vector(10, 10));
  EXPECT_EQ(world.moveObject(p_m, tw::Vector(10, 10)), 0);
  EXPECT_TRUE(events.empty());
  int destroyed = 0;
  p_sleeper->on_destroy = [&] { destroyed++; };
  world.shutDown();
  EXPECT_EQ(destroyed, 1);
  EXPECT_TRUE(world.getAllObjects(true).isEmpty());
  world.startUp();
}

TEST_F(WorldManagerTest, ObjectsOfTypeAndAllObjects) {
  auto* p_a = new Probe("a");
  auto* p_b = new tw::Object;
  auto* p_c = new Probe("c");
  p_b->setType("Ball");
  p_c->setType("Ball");
  auto* p_d = new tw::Object;
  p_d->setType("Ball");
  p_d->setActive(false);
  auto* p_e = new tw::Object;
  p_e->setType("Balls");
  const tw::ObjectList balls = world.objectsOfType("Ball");
  ASSERT_EQ(balls.getCount(), 2);
  EXPECT_EQ(balls.at(0), p_b);
  EXPECT_EQ(balls.at(1), p_c);
  EXPECT_EQ(world.getAllObjects().getCount(), 4);
  const tw::ObjectList all = world.getAllObjects(true);
  ASSERT_EQ(all.getCount(), 5);
  EXPECT_EQ(all.at(0), p_a);
  EXPECT_EQ(all.at(4), p_d);
}

TEST_F(WorldManagerTest, InterestValidity) {
  auto* p_o = new Probe("o");
  EXPECT_EQ(p_o->registerInterest(tw::COLLISION_EVENT), -1);
  EXPECT_EQ(p_o->registerInterest(tw::OUT_EVENT), -1);
  EXPECT_EQ(world.registerInterest(p_o, tw::STEP_EVENT), -1);
  EXPECT_EQ(p_o->registerInterest(tw::VIEW_EVENT), 0);
  EXPECT_EQ(p_o->registerInterest("game::custom"), 0);
  const tw::EventView v("x", 1, true);
  EXPECT_EQ(world.onEvent(&v), 1);
  const auto lines = stopLog();
  EXPECT_TRUE(contains(lines, "WorldManager::isValid(): Event tw::collision handled "
                              "automatically."));
  EXPECT_TRUE(contains(lines, "WorldManager::isValid(): Event tw::out handled automatically."));
  EXPECT_TRUE(contains(lines, "WorldManager::isValid(): WorldManager does not handle tw::step"));
  startLog();
}

TEST_F(WorldManagerTest, AccelerationActsFromTheNextMove) {
  auto* p_o = new Probe("o", tw::Vector(10, 10), tw::SPECTRAL);
  p_o->setVelocity(tw::Vector(1, 0));
  p_o->setAcceleration(tw::Vector(1, 0));
  world.update();
  EXPECT_EQ(p_o->getPosition(), tw::Vector(11, 10));
  world.update();
  EXPECT_EQ(p_o->getPosition(), tw::Vector(13, 10));
  EXPECT_FLOAT_EQ(p_o->getSpeed(), 3);
  // Decelerating through zero reverses the direction.
  p_o->setAcceleration(tw::Vector(-4, 0));
  world.update();
  EXPECT_EQ(p_o->getDirection(), tw::Vector(-1, 0));
  EXPECT_FLOAT_EQ(p_o->getSpeed(), 1);
}

TEST_F(WorldManagerTest, ViewFollowsWithSlackAndStaysInTheBoundary) {
  world.setBoundary(tw::Box(tw::Vector(0, 0), 200, 100));
  world.setView(tw::Box(tw::Vector(0, 0), 80, 24));
  world.setViewSlack(tw::Vector(0.5f, 0.5f));
  auto* p_o = new Probe("o", tw::Vector(40, 12), tw::SPECTRAL);
  world.setViewFollowing(p_o);
  EXPECT_EQ(world.getView().getCorner(), tw::Vector(0, 0));
  // Free zone on x: 40 +- 20; moving inside it leaves the view alone.
  world.moveObject(p_o, tw::Vector(59, 12));
  EXPECT_EQ(world.getView().getCorner(), tw::Vector(0, 0));
  // Five cells past the zone's right edge: the view moves five cells.
  world.moveObject(p_o, tw::Vector(65, 12));
  EXPECT_EQ(world.getView().getCorner(), tw::Vector(5, 0));
  // Far past the boundary's end the view stops at it.
  world.moveObject(p_o, tw::Vector(500, 12));
  EXPECT_EQ(world.getView().getCorner(), tw::Vector(120, 0));
  world.moveObject(p_o, tw::Vector(-50, -50));
  EXPECT_EQ(world.getView().getCorner(), tw::Vector(0, 0));
  // Stop following: moves leave the view where it is.
  world.setViewFollowing(nullptr);
  world.moveObject(p_o, tw::Vector(150, 80));
  EXPECT_EQ(world.getView().getCorner(), tw::Vector(0, 0));
  // A followed object that is deleted stops the following.
  world.setViewFollowing(p_o);
  world.markForDelete(p_o);
  world.update();
  EXPECT_EQ(world.getViewFollowing(), nullptr);
}

TEST_F(WorldManagerTest, WorldAndViewCoordinates) {
  world.setView(tw::Box(tw::Vector(5, 3), 80, 24));
  EXPECT_EQ(tw::worldToView(tw::Vector(15, 5)), tw::Vector(10, 2));
  EXPECT_EQ(tw::viewToWorld(tw::Vector(10, 2)), tw::Vector(15, 5));
}

TEST_F(WorldManagerTest, ShutDownDeletesEverythingAndStartUpResets) {
  new Probe("in");
  world.setViewSlack(tw::Vector(1, 1));
  world.shutDown();
  auto* p_outside = new Probe("outside");
  int destroyed = 0;
  p_outside->on_destroy = [&] { destroyed++; };
  world.shutDown();
  EXPECT_EQ(destroyed, 1);
  world.startUp();
  EXPECT_EQ(world.getBoundary(), tw::Box());
  EXPECT_EQ(world.getViewSlack(), tw::Vector(0, 0));
}
