#include "EventCollision.h"
#include "Sprite.h"
#include "TestSupport.h"
#include "utility.h"

#include <cmath>
#include <random>

using namespace twtest;
using tw::Box;
using tw::Vector;

static std::mt19937 rng;
static int next_name = 0;
static auto pick = [](int n) { return static_cast<int>(rng() % n); };
static auto uniform = [](float lo, float hi) { return lo + (hi - lo) * pick(1001) / 1000.0f; };

static std::string names(const tw::ObjectList& list) {
  std::string text;
  for (int i = 0; i < list.getCount(); i++)
    text += static_cast<const WorldProbe*>(list.at(i))->name + " ";
  return text;
}

/// Expects the world's answer to be the plain one: every solid object but p that p would
/// overlap at where, in the order of the solid list. Returns whether there was any.
static bool expectSameAsScan(const tw::Object* p, Vector where) {
  tw::ObjectList expected;
  const tw::ObjectList solid = tw::WorldManager::getInstance().getSceneGraph().solidObjects();
  for (int i = 0; i < solid.getCount(); i++)
    if (solid.at(i) != p && solid.at(i)->isSolid() &&
        tw::boxIntersectsBox(tw::getWorldBox(p, where), tw::getWorldBox(solid.at(i))))
      expected.add(solid.at(i));
  EXPECT_EQ(names(tw::WorldManager::getInstance().getCollisions(p, where)), names(expected))
      << static_cast<const WorldProbe*>(p)->name << " at " << where.getX() << "," << where.getY();
  return !expected.isEmpty();
}

/// Mostly small boxes, some on half cells (their edges meet exactly, often on the borders of
/// grid squares), some empty, reversed, wide, endless or not a number.
static Box randomBox() {
  const Box odd[] = {Box(), Box(Vector(), -uniform(0, 3), 1), Box(Vector(-30, 0), 60, 1),
                     Box(Vector(), INFINITY, 1), Box(Vector(NAN, 0), 1, 1)};
  const int kind = pick(20);
  return kind < 5 ? odd[kind]
         : kind < 8
             ? Box(Vector(pick(9) * 0.5f - 2, pick(9) * 0.5f - 2), pick(9) * 0.5f, pick(9) * 0.5f)
             : Box(Vector(-uniform(0, 1.5f), -uniform(0, 1.5f)), uniform(0, 3), uniform(0, 3));
}

/// Mostly in or near an 80 x 40 boundary, often on whole cells, some far out.
static Vector randomPlace() {
  const int kind = pick(20);
  return kind == 0   ? Vector(1e13f, -1e13f)
         : kind == 1 ? Vector(-5000, 3)
         : kind < 6  ? Vector(pick(89) - 4, pick(49) - 4)
                     : Vector(uniform(-10, 90), uniform(-10, 50));
}

static WorldProbe* anyObject() {
  const tw::ObjectList all = tw::WorldManager::getInstance().getAllObjects(true);
  return static_cast<WorldProbe*>(all.at(pick(all.getCount())));
}

static void mutate(WorldProbe* p);

/// A moving object of random kind that, in some of its collisions, changes the other object.
static WorldProbe* makeActor() {
  const int s = pick(10);
  auto* p = new WorldProbe(std::to_string(next_name++), randomPlace(),
                           s < 6   ? tw::HARD
                           : s < 9 ? tw::SOFT
                                   : tw::SPECTRAL);
  p->setBox(randomBox()), p->setNoSoft(pick(4) == 0);
  p->setVelocity(Vector(uniform(-0.6f, 0.6f), uniform(-0.6f, 0.6f)));
  p->on_event = [p](const tw::Event* p_e) {
    const auto* p_c = dynamic_cast<const tw::EventCollision*>(p_e);
    if (p_c && p_c->getObject1() == p && pick(4) == 0)
      expectSameAsScan(p, p_c->getPosition()), mutate(static_cast<WorldProbe*>(p_c->getObject2()));
  };
  return p;
}

/// One change of a random kind, through every way in which a world box changes.
static void mutate(WorldProbe* p) {
  static tw::Sprite wide(1), tall(1);
  if (wide.getFrameCount() == 0)
    wide.setWidth(7), wide.setHeight(1), wide.addFrame(tw::Frame(7, 1, "1234567")),
        tall.setWidth(3), tall.setHeight(5), tall.addFrame(tw::Frame(3, 5, "abcdefghijklmno"));
  const Box b = randomBox();
  const Vector at = randomPlace();
  switch (pick(12)) {
  case 0:
  case 1:
    return p->setPosition(p->getPosition() + Vector(uniform(-1.5f, 1.5f), uniform(-1.5f, 1.5f)));
  case 2:
    return p->setPosition(at);
  case 3:
    return p->setBox(b);
  case 4: // as a saved object is read back: the box, and maybe the place
    p->deserialize("box-corner-x:" + tw::toString(b.getCorner().getX()) +
                   ",box-corner-y:" + tw::toString(b.getCorner().getY()) +
                   ",box-horizontal:" + tw::toString(b.getHorizontal()) + ",box-vertical:" +
                   tw::toString(b.getVertical()) + (pick(2) ? ",pos-x:" : ",x:") +
                   tw::toString(at.getX()) + ",pos-y:" + tw::toString(at.getY()));
    return;
  case 5:
    return (void)p->setActive(!p->isActive());
  case 6:
    return (void)p->setSolidness(pick(3));
  case 7:
    return pick(2) ? p->setSprite(pick(2) ? &wide : &tall) : p->setCentered(!p->isCentered());
  case 8:
    return (void)tw::WorldManager::getInstance().markForDelete(p);
  case 9:
    delete p;
    return;
  default:
    makeActor();
  }
}

using CollisionGridTest = WorldTest;

TEST_F(CollisionGridTest, AnswersAsTheScanDoesWhateverChangesTheWorld) {
  for (unsigned seed = 1; seed <= 4; seed++) {
    rng.seed(seed);
    world.setBoundary(Box(Vector(), 80, 40));
    for (int i = 0; i < 300; i++)
      makeActor();
    int hits = 0;
    for (int round = 0; round < 13; round++) {
      world.setCollisionGrid(seed % 2 || round, 0); // even seeds turn it on in a full world
      world.update();
      const tw::ObjectList all = world.getAllObjects(true);
      for (int i = 0; i < all.getCount(); i++) {
        const Vector here = all.at(i)->getPosition();
        for (Vector at :
             {here, here + Vector(uniform(-3, 3), uniform(-3, 3)), Vector(uniform(-45, 45), 0)})
          hits += expectSameAsScan(all.at(i), at);
      }
      for (int i = 0; i < 60; i++)
        mutate(anyObject());
    }
    EXPECT_TRUE(world.usesCollisionGrid());
    EXPECT_GT(hits, 1000) << "seed " << seed << ": too few overlaps to tell anything";
    world.shutDown(), world.startUp();
  }
}

TEST_F(CollisionGridTest, EdgesOnSquareBordersFarAndEndlessBoxes) {
  world.setCollisionGrid(true, 0);
  auto* p_m = new WorldProbe("m");
  p_m->setBox(Box(Vector(), 1, 1));
  const std::pair<Vector, Box> made[] = {
      {{2, 0}, Box(Vector(), 0.5f, 0.5f)}, // squares are two cells wide
      {{-2, 1}, Box()},
      {{3.0e12f, -7.0e11f}, Box(Vector(-0.5f, -0.5f), 0.99f, 0.99f)},
      {{100, 5}, Box(Vector(), INFINITY, 1)},
      {{50, 5}, Box(Vector(), 1, NAN)}};
  for (int i = 0; i < 5; i++)
    (new WorldProbe(std::to_string(i), made[i].first))->setBox(made[i].second);
  const std::pair<Vector, const char*> cases[] = {{{1, 0}, "0 "},
                                                  {{0.99f, 0}, ""},
                                                  {{2.5f, -1}, "0 "},
                                                  {{-3, 0}, "1 "},
                                                  {{-2, 1}, "1 "},
                                                  {{-3.01f, 0}, ""},
                                                  {{3.0e12f, -7.0e11f}, "2 "},
                                                  {{5.0e9f, 5}, "3 "},
                                                  {{150, 5.5f}, "3 "},
                                                  {{50, 5}, "4 "},
                                                  {{50, 3}, ""}};
  for (const auto& [where, expected] : cases) {
    EXPECT_EQ(names(world.getCollisions(p_m, where)), expected) << where.getX();
    expectSameAsScan(p_m, where);
  }
  // A box over thousands of squares: the grid leaves the list as it was, for a scan.
  tw::ObjectList list;
  const tw::SceneGraph& graph = world.getSceneGraph();
  EXPECT_TRUE(graph.solidObjectsNear(tw::getWorldBox(p_m, Vector(1, 0)), p_m, list));
  EXPECT_FALSE(graph.solidObjectsNear(Box(Vector(-500, -500), 1000, 1000), p_m, list));
  EXPECT_FALSE(graph.solidObjectsNear(Box(Vector(NAN, 0), 1, 1), p_m, list));
  EXPECT_EQ(names(list), "0 ");
  EXPECT_EQ(names(world.getCollisions(p_m, Vector(-400, -400))), "");
  p_m->setBox(Box(Vector(-1000, -1000), 2000, 2000));
  EXPECT_EQ(names(world.getCollisions(p_m, Vector(-400, -400))), "0 1 3 4 ");
}

TEST_F(CollisionGridTest, AnswersFollowTheSolidListAsItIsReordered) {
  world.setCollisionGrid(true, 0);
  WorldProbe *a[4], *p_m = new WorldProbe("m");
  for (int i = 0; i < 4; i++)
    a[i] = new WorldProbe(std::to_string(i), Vector(10 + 0.2f * i, 10));
  const std::pair<std::function<void()>, const char*> steps[] = {
      {[] {}, "0 1 2 3 "},
      {[&] { a[0]->setSolidness(tw::SOFT); }, "1 2 3 0 "},
      {[&] { a[1]->setActive(false); }, "2 3 0 "},
      {[&] { a[1]->setActive(true), a[2]->setSolidness(tw::SPECTRAL); }, "3 0 1 "},
      {[&] {
         a[2]->setSolidness(tw::HARD);
         delete a[3];
       },
       "0 1 2 "}};
  for (const auto& [step, expected] : steps) {
    step();
    EXPECT_EQ(names(world.getCollisions(p_m, Vector(10.3f, 10))), expected);
  }
}
