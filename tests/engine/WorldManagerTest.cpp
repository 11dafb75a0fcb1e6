#include "EventCollision.h"
#include "EventView.h"
#include "TestSupport.h"

using namespace twtest;
using Seen = std::vector<std::string>;
using tw::Vector;
using WorldManagerTest = WorldTest;

TEST_F(WorldManagerTest, CollisionRules) {
  const struct {
    int mover, other, result; // result of the move; events when 0 or -1, none when 1
    bool no_soft;
  } cases[] = {{tw::HARD, tw::HARD, -1, false},    {tw::HARD, tw::SOFT, 0, false},
               {tw::HARD, tw::SOFT, -1, true},     {tw::SOFT, tw::HARD, 0, false},
               {tw::SOFT, tw::SOFT, 0, false},     {tw::SOFT, tw::SOFT, -1, true},
               {tw::SPECTRAL, tw::HARD, 1, false}, {tw::SPECTRAL, tw::SOFT, 1, true},
               {tw::HARD, tw::SPECTRAL, 1, true}};
  float y = 0;
  for (const auto& c : cases) {
    probe_events.clear();
    auto* p_m = new WorldProbe("m", Vector(10, y += 2), c.mover);
    new WorldProbe("o", Vector(11, y), c.other);
    Vector at;
    p_m->setNoSoft(c.no_soft);
    p_m->on_event = [&](const tw::Event* p_e) {
      at = static_cast<const tw::EventCollision*>(p_e)->getPosition();
    };
    EXPECT_EQ(world.moveObject(p_m, Vector(10.75f, y)), std::min(c.result, 0)) << y;
    EXPECT_EQ(p_m->getPosition(), Vector(c.result < 0 ? 10 : 10.75f, y)) << y;
    EXPECT_EQ(probe_events,
              (c.result < 1 ? Seen{"m:tw::collision:o", "o:tw::collision:m"} : Seen{}));
    EXPECT_EQ(at, c.result < 1 ? Vector(10.75f, y) : Vector()) << y;
  }
  // Every colliding object hears, even after the move is refused.
  auto* p_m = new WorldProbe("m", Vector(10, 30));
  new WorldProbe("a", Vector(11, 30)), new WorldProbe("b", Vector(11, 30.5f), tw::SOFT);
  probe_events.clear(), p_m->setVelocity(Vector(1, 0)), world.update();
  EXPECT_EQ(p_m->getPosition(), Vector(10, 30));
  EXPECT_EQ(probe_events, (Seen{"m:tw::collision:a", "a:tw::collision:m", "m:tw::collision:b",
                                "b:tw::collision:m"}));
}

TEST_F(WorldManagerTest, DeletionAtTheEndOfTheUpdateWhateverHandlersDo) {
  WorldProbe* p[7];
  for (int i = 0; i < 7; i++) // a, c and e move right; a runs into b, c into d once made
    p[i] = new WorldProbe(std::string(1, 'a' + i), Vector(10 + 10 * i - 9 * (i == 1), 10));
  for (int i : {0, 2, 4})
    p[i]->setVelocity(Vector(1, 0));
  p[0]->on_destroy = [&] { delete p[5], world.markForDelete(p[6]); }; // f is marked too
  p[0]->on_event = [&](const tw::Event*) {
    if (!p[3]) { // against the rules, but the walk must survive it
      EXPECT_EQ(world.markForDelete(p[0]) + world.markForDelete(p[0]) + world.markForDelete(p[5]),
                0);
      delete p[1], delete p[4], p[3] = new WorldProbe("d", Vector(31, 10));
      p[3]->setVelocity(Vector(1, 0));
    }
  };
  delete p[3], p[3] = nullptr, probe_events.clear();
  world.update();
  EXPECT_EQ(probe_events, (Seen{"a:tw::collision:b", "b:gone", "e:gone", "c:tw::collision:d",
                                "d:tw::collision:c", "a:gone", "f:gone", "g:gone"}));
  EXPECT_EQ(p[2]->getPosition(), Vector(30, 10));
  EXPECT_EQ(p[3]->getPosition(), Vector(31, 10)); // first moves in the next update
  probe_events.clear();
  world.markForDelete(p[3]), world.draw(), world.update(); // marked after an update: drawn still
  EXPECT_EQ(probe_events,
            (Seen{"c:draw", "d:draw", "c:tw::collision:d", "d:tw::collision:c", "d:gone"}));
  EXPECT_EQ(world.markForDelete(nullptr), -1);
  EXPECT_TRUE(contains(
      stopLog(), "WorldManager::markForDelete(): unable to add object (nil) to deletions list"));
}

TEST_F(WorldManagerTest, DrawsByAltitudeWhatMeetsTheView) {
  world.setView(tw::Box(Vector(2, 0), 80, 24));
  const std::pair<const char*, float> made[] = {{"a3", 5}, {"b0", 5}, {"c2", 5}, {"d4", 5},
                                                {"e2", 5}, {"o0", 1}, {"h1", 5}, {"f1", 82.5f}};
  for (auto [name, x] : made) { // altitude from the name; h hidden, o outside the view
    auto* p = new WorldProbe(name, Vector(x, 5));
    EXPECT_EQ(p->setAltitude(name[1] - '0') + p->setVisible(name[0] != 'h'), 0);
  }
  world.draw();
  EXPECT_EQ(probe_events, (Seen{"b0:draw", "f1:draw", "c2:draw", "e2:draw", "a3:draw", "d4:draw"}));
}

TEST_F(WorldManagerTest, OutEventsAccelerationAndInactiveObjects) {
  auto* p_o = new WorldProbe("o", Vector(76, 5), tw::SPECTRAL);
  std::vector<float> xs;
  p_o->setVelocity(Vector(1, 0));
  for (float ax : {1, 1, -4}) // acts from the next move on; decelerating through zero reverses
    p_o->setAcceleration(Vector(ax, 0)), world.update(), xs.push_back(p_o->getPosition().getX());
  EXPECT_EQ(xs, (std::vector<float>{77, 79, 82}));
  EXPECT_EQ(p_o->getVelocity(), Vector(-1, 0));
  p_o->setAcceleration(Vector(0, 0)), world.update(), world.update(); // back in: no event
  EXPECT_EQ(world.moveObject(p_o, Vector(-5, 5)) + world.moveObject(p_o, Vector(-9, 5)), 0);
  EXPECT_EQ(probe_events, (Seen{"o:tw::out", "o:tw::out"}));
  auto *p_s = new WorldProbe("s", Vector(10, 10)), *p_m = new WorldProbe("m", Vector(12, 10));
  auto* p_b = new WorldProbe("b");
  p_s->setVelocity(Vector(1, 0)), p_s->setActive(false), p_m->setType("Ball"), p_b->setType("Ball");
  (new WorldProbe)->setType("Balls"), p_b->setActive(false), p_b->setActive(true), world.update();
  EXPECT_EQ(p_s->getPosition(), Vector(10, 10));
  EXPECT_EQ(world.moveObject(p_m, Vector(10, 10)), 0); // nothing collides with it either
  p_s->setType("Ball"), world.markForDelete(p_m), world.update();
  EXPECT_EQ(world.objectsOfType("Ball").at(0), p_b);
  EXPECT_EQ(world.objectsOfType("Ball").getCount() + world.getAllObjects().getCount(), 4);
  EXPECT_EQ(world.getAllObjects(true).at(3), p_s);
  probe_events.clear(), world.shutDown(); // deletes the inactive too
  EXPECT_EQ(probe_events, (Seen{"o:gone", ":gone", "b:gone", "s:gone"}));
}

TEST_F(WorldManagerTest, ViewFollowsWithSlackWithinTheBoundary) {
  world.setBoundary(tw::Box(Vector(0, 0), 200, 100)), world.setViewSlack(Vector(0.5f, 0.5f));
  auto* p_o = new WorldProbe("o", Vector(40, 12), tw::SPECTRAL);
  world.setViewFollowing(p_o);
  // The free zone spans 20 cells each side of the view's centre on x, 6 on y.
  const std::pair<Vector, Vector> moves[] = {{{59, 17}, {0, 0}},      {{65, 12}, {5, 0}},
                                             {{65, 20}, {5, 2}},      {{500, 12}, {120, 2}},
                                             {{500, 500}, {120, 76}}, {{-50, -50}, {0, 0}}};
  for (const auto& [to, corner] : moves) {
    world.moveObject(p_o, to);
    EXPECT_EQ(world.getView().getCorner(), corner) << to.getX() << "," << to.getY();
  }
  world.setViewFollowing(nullptr), world.moveObject(p_o, Vector(150, 80));
  EXPECT_EQ(world.getView().getCorner(), Vector(0, 0));
  world.setViewFollowing(p_o);
  EXPECT_EQ(world.getView().getCorner(), Vector(110, 68));
  EXPECT_EQ(tw::worldToView(Vector(115, 70)) + tw::viewToWorld(Vector(5, 2)), Vector(120, 72));
  world.markForDelete(p_o), world.update(); // a followed object that goes stops the following
  EXPECT_EQ(world.getViewFollowing(), nullptr);
  new WorldProbe("in"), world.shutDown(), new WorldProbe("outside"), world.shutDown();
  EXPECT_EQ(probe_events, (Seen{"o:tw::out", "o:gone", "in:gone", "outside:gone"}));
  world.startUp();
  EXPECT_EQ((std::vector{world.getBoundary(), world.getView()}),
            (std::vector{tw::Box(), tw::Box()}));
  EXPECT_EQ(world.getViewSlack(), Vector(0, 0));
}
