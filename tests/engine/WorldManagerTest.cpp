#include "EventCollision.h"
#include "Sprite.h"
#include "TestSupport.h"
#include "utility.h"

#include <cmath>
#include <random>
#include <vector>

using namespace twtest;
using tw::Box;
using tw::Vector;

/// Each test logs what it does and what the probes hear, and compares the log with its file.
struct WorldManagerTest : WorldTest {
  /// Logs what, then the probes' events since the last call.
  void say(const std::string& what) {
    log.writeLog("%s", what.c_str());
    for (const std::string& s : probe_events)
      log.writeLog("  %s", s.c_str());
    probe_events.clear();
  }
  static std::string at(const tw::Object* p_o) { return xy(p_o->getPosition()); }
  static std::string xy(Vector v) { return tw::toString(v.getX()) + "," + tw::toString(v.getY()); }
  void TearDown() override {
    const std::string name = testing::UnitTest::GetInstance()->current_test_info()->name();
    EXPECT_TRUE(matchesFile("golden/WorldManager." + name + ".txt", withoutTimes(stopLog())));
    WorldTest::TearDown();
  }
  tw::LogManager& log = tw::LogManager::getInstance();
};

TEST_F(WorldManagerTest, CollisionRules) {
  for (int mover : {tw::HARD, tw::SOFT, tw::SPECTRAL})
    for (int other : {tw::HARD, tw::SOFT, tw::SPECTRAL})
      for (bool no_soft : {false, true}) {
        auto *p_m = new WorldProbe("m", Vector(10, 10), mover), *p_o = new WorldProbe("o");
        p_o->setPosition(Vector(11, 10)), p_o->setSolidness(other), p_m->setNoSoft(no_soft);
        p_m->on_event = [&](const tw::Event* p_e) {
          say("to " + xy(static_cast<const tw::EventCollision*>(p_e)->getPosition()));
        };
        const int moved = world.moveObject(p_m, Vector(10.75f, 10));
        say(std::to_string(mover) + " onto " + std::to_string(other) + " no_soft " +
            std::to_string(no_soft) + ": " + std::to_string(moved) + " at " + at(p_m));
        world.markForDelete(p_m), world.markForDelete(p_o), world.update(), probe_events.clear();
      }
  auto* p_m = new WorldProbe("m", Vector(10, 30)); // all that collide hear, moving or not
  new WorldProbe("a", Vector(11, 30)), new WorldProbe("b", Vector(11, 30.5f), tw::SOFT);
  p_m->setVelocity(Vector(1, 0)), world.update(), say("update: " + at(p_m));
}

TEST_F(WorldManagerTest, DeletionAtTheEndOfTheUpdateWhateverHandlersDo) {
  // The observer hears of every object destroyed, however it goes.
  world.setDestroyObserver(
      [](tw::Object* p_o) { probe_events.push_back(p_o->getType() + ":destroyed"); });
  WorldProbe* p[7];
  for (int i = 0; i < 7; i++) // a, c and e move right; a runs into b, c into d once made
    p[i] = new WorldProbe(std::string(1, 'a' + i), Vector(10 + 10 * i - 9 * (i == 1), 10));
  for (int i : {0, 2, 4})
    p[i]->setVelocity(Vector(1, 0));
  p[0]->on_destroy = [&] { delete p[5], world.markForDelete(p[6]); }; // f is marked too
  p[0]->on_event = [&](const tw::Event*) {
    if (!p[3]) { // against the rules, but the walk must survive it
      say("marked " + std::to_string(world.markForDelete(p[0]) + world.markForDelete(p[0]) +
                                     world.markForDelete(p[5])));
      delete p[1], delete p[4], p[3] = new WorldProbe("d", Vector(31, 10));
      p[3]->setVelocity(Vector(1, 0));
    }
  };
  delete p[3], p[3] = nullptr, say("d made and gone");
  world.update(), say("c at " + at(p[2]) + ", d at " + at(p[3])); // d moves from the next one
  world.markForDelete(p[3]), world.draw(), world.update();        // marked after an update: drawn
  say("null: " + std::to_string(world.markForDelete(nullptr)));
  world.setView(Box(Vector(2, 0), 80, 24)); // draws by altitude what meets the view
  for (auto [name, x] : {std::pair("a3", 5.0f),
                         {"b0", 5},
                         {"c2", 5},
                         {"d4", 5},
                         {"e2", 5},
                         {"o0", 1},
                         {"p0", 0.9f},
                         {"h1", 5},
                         {"f1", 82.5f},
                         {"g1", 82.6f}}) {
    auto* p_new = new WorldProbe(name, Vector(x, 5)); // h hidden
    p_new->setAltitude(name[1] - '0'), p_new->setVisible(name[0] != 'h');
  }
  world.draw(), say("drawn");
  world.setDestroyObserver({});
}

TEST_F(WorldManagerTest, OutEventsAccelerationAndInactiveObjects) {
  auto* p_o = new WorldProbe("o", Vector(76, 5), tw::SPECTRAL);
  p_o->setVelocity(Vector(1, 0));
  for (float ax : {1, 1, -4, 0, 0, 0}) // acts from the next move on; through zero reverses
    p_o->setAcceleration(Vector(ax, 0)), world.update(),
        say(at(p_o) + " v " + xy(p_o->getVelocity()));
  say("out again " +
      std::to_string(world.moveObject(p_o, Vector(-5, 5)) + world.moveObject(p_o, Vector(-9, 5))));
  auto *p_s = new WorldProbe("s", Vector(10, 10)), *p_m = new WorldProbe("m", Vector(12, 10));
  auto* p_b = new WorldProbe("b");
  p_s->setVelocity(Vector(1, 0)), p_s->setActive(false), p_m->setType("Ball"), p_b->setType("Ball");
  (new WorldProbe)->setType("Balls"), p_b->setActive(false), p_b->setActive(true), world.update();
  say("inactive stays at " + at(p_s)); // and nothing collides with it
  say("onto inactive " + std::to_string(world.moveObject(p_m, Vector(10, 10))));
  p_s->setType("Ball"), world.markForDelete(p_m), world.update();
  for (const tw::ObjectList& l :
       {world.objectsOfType("Ball"), world.getAllObjects(), world.getAllObjects(true)})
    for (int i = 0; i < l.getCount(); i++)
      say((i ? "  " : "list ") + static_cast<WorldProbe*>(l.at(i))->name + " " +
          l.at(i)->getType());
  world.shutDown(), say("shut down"); // deletes the inactive too
}

TEST_F(WorldManagerTest, ViewFollowsWithSlackWithinTheBoundary) {
  world.setBoundary(Box(Vector(0, 0), 200, 100)), world.setViewSlack(Vector(0.5f, 0.5f));
  auto* p_o = new WorldProbe("o", Vector(40, 12), tw::SPECTRAL);
  auto view = [&](const std::string& what) {
    say(what + ": view " + xy(world.getView().getCorner()));
  };
  // The free zone spans 20 cells each side of the view's centre on x, 6 on y.
  world.setViewFollowing(p_o);
  for (Vector to : {Vector(59, 17), Vector(60, 18), Vector(65, 12), Vector(65, 20), Vector(500, 12),
                    Vector(500, 500), Vector(-50, -50), Vector(30, 30)})
    world.moveObject(p_o, to), view(at(p_o));
  world.setViewFollowing(nullptr), world.moveObject(p_o, Vector(150, 80)), view("unfollowed");
  world.setViewFollowing(p_o), view("followed again");
  say("to view " + xy(tw::worldToView(Vector(115, 70))) + ", back " +
      xy(tw::viewToWorld(Vector(5, 2))));
  world.markForDelete(p_o), world.update(); // a followed object that goes stops the following
  say("following " + std::to_string(world.getViewFollowing() != nullptr));
  new WorldProbe("in"), world.shutDown(), new WorldProbe("outside"), world.shutDown();
  world.startUp(), view("started"), say("slack " + xy(world.getViewSlack()));
}

static std::mt19937 rng;
static int pick(int n) {
  return static_cast<int>(rng() % n);
}
static float uniform(float lo, float hi) {
  return lo + (hi - lo) * pick(1001) / 1000.0f;
}

/// One change of a random kind, through every way in which a world box changes, or a new
/// moving object of random kind that, in some of its collisions, changes the other object.
/// Boxes are mostly small, some on half cells (their edges meet, often on the borders of grid
/// squares), some empty, reversed, wide, over hundreds of squares, endless or not a number;
/// places mostly in or near the 80 x 40 boundary, often on whole cells, some far out.
static void mutate(WorldProbe* p) {
  static tw::Sprite wide(1), tall(1);
  if (wide.getFrameCount() == 0)
    wide.setWidth(7), wide.setHeight(1), wide.addFrame(tw::Frame(7, 1, std::string(7, 'x'))),
        tall.setWidth(3), tall.setHeight(5), tall.addFrame(tw::Frame(3, 5, std::string(15, 'x')));
  const Box odd[] = {Box(),
                     Box(Vector(), -uniform(0, 3), 1),
                     Box(Vector(-30, 0), 60, 1),
                     Box(Vector(-600, -1), 1200, 2),
                     Box(Vector(), INFINITY, 1),
                     Box(Vector(NAN, 0), 1, 1)};
  const int k = pick(21), l = pick(20);
  const Box b =
      k < 6   ? odd[k]
      : k < 9 ? Box(Vector(pick(9) * 0.5f - 2, pick(9) * 0.5f - 2), pick(9) * 0.5f, pick(9) * 0.5f)
              : Box(Vector(-uniform(0, 1.5f), -uniform(0, 1.5f)), uniform(0, 3), uniform(0, 3));
  const Vector at = l == 0   ? Vector(1e13f, -1e13f)
                    : l == 1 ? Vector(-5000, 3)
                    : l < 6  ? Vector(pick(89) - 4, pick(49) - 4)
                             : Vector(uniform(-10, 90), uniform(-10, 50));
  const Vector step(uniform(-1.5f, 1.5f), uniform(-1.5f, 1.5f));
  const std::string record = // as a saved object is read back: the box, and maybe the place
      "box-corner-x:" + tw::toString(b.getCorner().getX()) +
      ",box-corner-y:" + tw::toString(b.getCorner().getY()) +
      ",box-horizontal:" + tw::toString(b.getHorizontal()) +
      ",box-vertical:" + tw::toString(b.getVertical()) + (pick(2) ? ",pos-x:" : ",x:") +
      tw::toString(at.getX()) + ",pos-y:" + tw::toString(at.getY());
  const std::function<void()> changes[] = {
      [&] { p->setPosition(p->getPosition() + step); },
      [&] { p->setPosition(at); },
      [&] { p->setBox(b); },
      [&] { p->deserialize(record); },
      [&] { p->setActive(!p->isActive()); },
      [&] { p->setSolidness(pick(3)); },
      [&] { p->setSprite(pick(2) ? &wide : &tall); },
      [&] { p->setCentered(!p->isCentered()); },
      [&] { tw::WorldManager::getInstance().markForDelete(p); },
      [&] { delete p; }};
  if (p && pick(6) < 5)
    return changes[pick(10)]();
  const int s = pick(10);
  auto* p_new = new WorldProbe(std::to_string(rng()), at, s < 6 ? tw::HARD : s < 9 ? tw::SOFT : 2);
  p_new->setBox(b), p_new->setNoSoft(pick(4) == 0);
  p_new->setVelocity(Vector(uniform(-0.6f, 0.6f), uniform(-0.6f, 0.6f)));
  p_new->on_event = [p_new](const tw::Event* p_e) {
    const auto* p_c = dynamic_cast<const tw::EventCollision*>(p_e);
    if (p_c && p_c->getObject1() == p_new && pick(4) == 0)
      mutate(static_cast<WorldProbe*>(p_c->getObject2()));
  };
}

using CollisionGridTest = WorldTest;

/// What happens in random worlds that change in every way while they run, and what the world
/// answers about where its objects are and might go, with and without the grid.
TEST_F(CollisionGridTest, AnswersAsTheScanDoesWhateverChangesTheWorld) {
  for (unsigned seed = 1; seed <= 4; seed++) {
    std::string seen[2];
    for (int use_grid : {0, 1}) {
      world.startUp(), world.setBoundary(Box(Vector(), 80, 40)), rng.seed(seed);
      for (int i = 0; i < 300; i++)
        mutate(nullptr);
      for (int round = 0; round < 13; round++) {
        world.setCollisionGrid(use_grid && (seed % 2 || round), 0); // even seeds: in a full world
        world.update();
        const tw::ObjectList all = world.getAllObjects(true);
        for (int i = 0; i < all.getCount(); i++)
          for (Vector to : {all.at(i)->getPosition(),
                            all.at(i)->getPosition() + Vector(uniform(-3, 3), uniform(-3, 3)),
                            Vector(uniform(-45, 45), 0)}) {
            const tw::ObjectList list = world.getCollisions(all.at(i), to);
            for (int j = 0; j < list.getCount(); j++)
              seen[use_grid] += static_cast<const WorldProbe*>(list.at(j))->name + " ";
            seen[use_grid] += "|";
          }
        for (int i = 0; i < 60; i++) // from a fresh list: a change may delete objects
          mutate(static_cast<WorldProbe*>(
              world.getAllObjects(true).at(pick(world.getAllObjects(true).getCount()))));
      }
      for (const std::string& event : probe_events)
        seen[use_grid] += event + "\n";
      world.shutDown(), probe_events.clear();
    }
    EXPECT_GT(std::count(seen[0].begin(), seen[0].end(), ' '), 3000) << "too few overlaps";
    EXPECT_EQ(seen[1], seen[0]) << "seed " << seed;
  }
  EXPECT_TRUE(world.usesCollisionGrid());
}

/// Hundreds of objects crowded on a few grid squares leave them in random order (deleted,
/// marked, made SPECTRAL, deactivated, moved away) while the grid answers as the scan does.
TEST_F(CollisionGridTest, CrowdedSquaresEmptyInAnyOrder) {
  world.setCollisionGrid(true, 0), rng.seed(5);
  std::vector<WorldProbe*> crowd;
  for (int i = 0; i < 600; i++) {
    crowd.push_back(new WorldProbe(std::to_string(i), Vector(4 + pick(3) * 0.5f, 4 + pick(2)),
                                   pick(4) ? tw::HARD : tw::SOFT));
    if (pick(3) == 0)
      crowd.back()->setBox(Box(Vector(-2, -2), 3.5f, 3.5f)); // over up to nine squares
  }
  auto* p_asker = new WorldProbe("?", Vector(), tw::SPECTRAL);
  auto answers = [&](int min_solid) { // below min_solid solid objects, the scan answers
    world.setCollisionGrid(true, min_solid);
    std::string s;
    for (Vector to : {Vector(4, 4), Vector(5.5f, 5), Vector(2.5f, 3), Vector(7, 6)}) {
      const tw::ObjectList list = world.getCollisions(p_asker, to);
      for (int j = 0; j < list.getCount(); j++)
        s += static_cast<const WorldProbe*>(list.at(j))->name + " ";
      s += "|";
    }
    return s;
  };
  while (!crowd.empty()) {
    for (int i = 0; i < 40 && !crowd.empty(); i++) {
      const auto k = static_cast<std::size_t>(pick(static_cast<int>(crowd.size())));
      WorldProbe* p = crowd[k];
      const int change = pick(5);
      if (change < 2) {
        crowd.erase(crowd.begin() + static_cast<long>(k));
        change ? world.markForDelete(p) : (delete p, 0);
      } else if (change == 2) {
        p->setSolidness(pick(2) ? tw::SPECTRAL : tw::HARD);
      } else if (change == 3) {
        p->setActive(!p->isActive());
      } else {
        p->setPosition(p->getPosition().getX() > 30 ? Vector(4, 5) : Vector(60, 30));
      }
    }
    world.update();
    const std::string by_grid = answers(0);
    ASSERT_EQ(by_grid, answers(1 << 30)) << crowd.size() << " left";
  }
  EXPECT_EQ(answers(0), "||||");
}

using MassDeletionTest = WorldTest;

/// Hundreds of objects marked in reverse order go in that order; a destructor that deletes a
/// marked object or marks another one on its way out changes the order as it would for few.
TEST_F(MassDeletionTest, MarkedObjectsGoInOrderWhateverTheirDestructorsDo) {
  std::vector<WorldProbe*> p;
  for (int i = 0; i < 306; i++)
    p.push_back(new WorldProbe(std::to_string(i)));
  std::vector<std::string> expected;
  for (int i = 299; i >= 0; i--) {
    expected.push_back(std::to_string(i) + ":gone");
    if (i % 50 == 0 && i > 0) { // takes its neighbour along, and has a late one marked
      p[static_cast<std::size_t>(i)]->on_destroy = [&p, &w = world, i] {
        delete p[static_cast<std::size_t>(i - 1)], w.markForDelete(p[300 + i / 50]);
      };
      expected.push_back(std::to_string(i - 1) + ":gone"), i--;
    }
  }
  for (int i = 5; i >= 1; i--)
    expected.push_back(std::to_string(300 + i) + ":gone");
  for (int i = 299; i >= 0; i--)
    EXPECT_EQ(world.markForDelete(p[static_cast<std::size_t>(i)]), 0);
  EXPECT_EQ(world.markForDelete(p[7]), 0); // once only
  world.update();
  EXPECT_EQ(probe_events, expected);
  probe_events.clear(), world.shutDown(); // the one left unmarked goes at shut-down
  EXPECT_EQ(probe_events, std::vector<std::string>{"300:gone"});
  EXPECT_EQ(world.getAllObjects(true).getCount(), 0);
}
