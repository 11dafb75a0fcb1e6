#include "EventCollision.h"
#include "Sprite.h"
#include "TestSupport.h"
#include "utility.h"

#include <cmath>
#include <random>

using namespace twtest;
using tw::Box;
using tw::Vector;
using CollisionGridTest = WorldTest;

static std::mt19937 rng;
static auto pick = [](int n) { return static_cast<int>(rng() % n); };
static auto uniform = [](float lo, float hi) { return lo + (hi - lo) * pick(1001) / 1000.0f; };

static std::string names(const tw::ObjectList& list) {
  std::string text;
  for (int i = 0; i < list.getCount(); i++)
    text += static_cast<const WorldProbe*>(list.at(i))->name + " ";
  return text;
}

/// Mostly small boxes, some on half cells (their edges meet exactly, often on the borders of
/// grid squares), some empty, reversed, wide, over hundreds of squares, endless or not a number.
static Box randomBox() {
  const Box odd[] = {Box(),
                     Box(Vector(), -uniform(0, 3), 1),
                     Box(Vector(-30, 0), 60, 1),
                     Box(Vector(-600, -1), 1200, 2),
                     Box(Vector(), INFINITY, 1),
                     Box(Vector(NAN, 0), 1, 1)};
  const int kind = pick(21);
  return kind < 6 ? odd[kind]
         : kind < 9
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

static tw::Sprite* sprite(int w, int h) {
  auto* p = new tw::Sprite(1);
  return p->setWidth(w), p->setHeight(h), p->addFrame(tw::Frame(w, h, std::string(w * h, 'x'))), p;
}

/// One change of a random kind, through every way in which a world box changes, or a new
/// moving object of random kind that, in some of its collisions, changes the other object.
static void mutate(WorldProbe* p) {
  static tw::Sprite *p_wide = sprite(7, 1), *p_tall = sprite(3, 5);
  const Box b = randomBox();
  const Vector at = randomPlace(), step(uniform(-1.5f, 1.5f), uniform(-1.5f, 1.5f));
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
      [&] { p->setSprite(pick(2) ? p_wide : p_tall); },
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

/// What happens in a random world that changes in every way while it runs, and what the
/// world answers about where its objects are and might go.
static std::string run(unsigned seed, bool use_grid) {
  tw::WorldManager& world = tw::WorldManager::getInstance();
  world.startUp(), world.setBoundary(Box(Vector(), 80, 40)), rng.seed(seed), probe_events.clear();
  for (int i = 0; i < 300; i++)
    mutate(nullptr);
  std::string seen;
  for (int round = 0; round < 13; round++) {
    world.setCollisionGrid(use_grid && (seed % 2 || round), 0); // even seeds: on in a full world
    world.update();
    const tw::ObjectList all = world.getAllObjects(true);
    for (int i = 0; i < all.getCount(); i++) {
      const Vector here = all.at(i)->getPosition();
      for (Vector at :
           {here, here + Vector(uniform(-3, 3), uniform(-3, 3)), Vector(uniform(-45, 45), 0)})
        seen += names(world.getCollisions(all.at(i), at)) + "|";
    }
    for (int i = 0; i < 60; i++) // from a fresh list: a change may delete objects
      mutate(static_cast<WorldProbe*>(
          world.getAllObjects(true).at(pick(world.getAllObjects(true).getCount()))));
  }
  for (const std::string& event : probe_events)
    seen += event + "\n";
  return world.shutDown(), seen;
}

TEST_F(CollisionGridTest, AnswersAsTheScanDoesWhateverChangesTheWorld) {
  for (unsigned seed = 1; seed <= 4; seed++) {
    const std::string plain = run(seed, false);
    EXPECT_GT(std::count(plain.begin(), plain.end(), ' '), 3000) << "too few overlaps";
    EXPECT_EQ(run(seed, true), plain) << "seed " << seed;
  }
  EXPECT_TRUE(world.usesCollisionGrid());
}
