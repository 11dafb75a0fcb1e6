#include "EventCollision.h"
#include "LogManager.h"
#include "Object.h"
#include "Sprite.h"
#include "WorldManager.h"
#include "utility.h"

#include "TestSupport.h"

#include <cmath>
#include <limits>
#include <random>
#include <sstream>
#include <string>
#include <vector>

using namespace twtest;

namespace {

std::vector<std::string> trace;

/// An object with a name that stays the same from one run of a scenario to the next.
class Actor : public tw::Object {
public:
  explicit Actor(int init_name) : name(init_name) { setType("Actor"); }
  int eventHandler(const tw::Event* p_e) override {
    if (p_e->isType(tw::COLLISION_EVENT)) {
      const auto* p_c = static_cast<const tw::EventCollision*>(p_e);
      const auto* p_other = static_cast<const Actor*>(
          p_c->getObject1() == this ? p_c->getObject2() : p_c->getObject1());
      trace.push_back(std::to_string(name) + " hit " + std::to_string(p_other->name));
    } else {
      trace.push_back(std::to_string(name) + " " + p_e->getType());
    }
    if (on_event) {
      on_event(this, p_e);
    }
    return 1;
  }
  int name;
  void (*on_event)(Actor*, const tw::Event*) = nullptr;
};

std::string names(const tw::ObjectList& list) {
  std::string text;
  for (int i = 0; i < list.getCount(); i++) {
    text += std::to_string(static_cast<const Actor*>(list.at(i))->name) + " ";
  }
  return text;
}

class CollisionGridTest : public TempDirTest {
protected:
  void SetUp() override {
    TempDirTest::SetUp();
    startLog();
    world.startUp();
    world.setBoundary(tw::Box(tw::Vector(0, 0), 80, 40));
    // The grid answers for every world, however small.
    world.setCollisionGrid(true, 0);
    trace.clear();
  }
  void TearDown() override {
    world.shutDown();
    stopLog();
    TempDirTest::TearDown();
  }

  /// The plain answer: every solid object but p_o overlapping p_o's box at where, in the
  /// order of the solid list.
  static tw::ObjectList scan(const tw::Object* p_o, tw::Vector where) {
    tw::ObjectList list;
    const tw::Box box = tw::getWorldBox(p_o, where);
    const tw::ObjectList solid = tw::WorldManager::getInstance().getSceneGraph().solidObjects();
    for (int i = 0; i < solid.getCount(); i++) {
      tw::Object* p_other = solid.at(i);
      if (p_other != p_o && p_other->isSolid() &&
          tw::boxIntersectsBox(box, tw::getWorldBox(p_other))) {
        list.add(p_other);
      }
    }
    return list;
  }

  /// Compares the world's answer with the scan's for every object of the world at a few
  /// places each; returns how many answers were not empty.
  int expectSameAnswers(std::mt19937& rng) {
    std::uniform_real_distribution<float> near(-3, 3);
    const tw::ObjectList all = world.getAllObjects(true);
    int hits = 0;
    for (int i = 0; i < all.getCount(); i++) {
      const tw::Object* p_o = all.at(i);
      const tw::Vector here = p_o->getPosition();
      for (const tw::Vector& where :
           {here, here + tw::Vector(near(rng), near(rng)), tw::Vector(near(rng) * 15, 0)}) {
        const tw::ObjectList expected = scan(p_o, where);
        const tw::ObjectList got = world.getCollisions(p_o, where);
        EXPECT_EQ(names(got), names(expected))
            << "object " << static_cast<const Actor*>(p_o)->name << " at (" << where.getX() << ", "
            << where.getY() << ")";
        hits += expected.isEmpty() ? 0 : 1;
      }
    }
    return hits;
  }

  tw::WorldManager& world = tw::WorldManager::getInstance();
};

/// A box of random kind: mostly small, some empty, reversed, wide or not finite.
tw::Box randomBox(std::mt19937& rng) {
  std::uniform_int_distribution<int> kind(0, 19);
  std::uniform_real_distribution<float> size(0, 3);
  std::uniform_int_distribution<int> half(-4, 4);
  const float inf = std::numeric_limits<float>::infinity();
  switch (kind(rng)) {
  case 0:
    return tw::Box(tw::Vector(0, 0), 0, 0);
  case 1:
    return tw::Box(tw::Vector(0, 0), -size(rng), size(rng));
  case 2:
    return tw::Box(tw::Vector(-30, 0), 60, 1); // wider than the grid files in squares
  case 3:
    return tw::Box(tw::Vector(0, 0), inf, 1);
  case 4:
    return tw::Box(tw::Vector(std::nanf(""), 0), 1, 1);
  case 5:
  case 6:
  case 7:
    // Corners and edges on half cells, so that edges meet exactly, often on square borders.
    return tw::Box(tw::Vector(half(rng) * 0.5f, half(rng) * 0.5f),
                   static_cast<float>(half(rng) + 4) * 0.5f,
                   static_cast<float>(half(rng) + 4) * 0.5f);
  default:
    return tw::Box(tw::Vector(-size(rng) / 2, -size(rng) / 2), size(rng), size(rng));
  }
}

/// A position of random kind: mostly in or near the boundary, some far out.
tw::Vector randomPlace(std::mt19937& rng) {
  std::uniform_int_distribution<int> kind(0, 19);
  std::uniform_real_distribution<float> x(-10, 90), y(-10, 50);
  std::uniform_int_distribution<int> cell_x(-4, 84), cell_y(-4, 44);
  switch (kind(rng)) {
  case 0:
    return tw::Vector(1.0e13f, -1.0e13f);
  case 1:
    return tw::Vector(-5000.0f, 3.0f);
  case 2:
  case 3:
  case 4:
  case 5:
    return tw::Vector(static_cast<float>(cell_x(rng)), static_cast<float>(cell_y(rng)));
  default:
    return tw::Vector(x(rng), y(rng));
  }
}

int next_name = 0;

Actor* makeActor(std::mt19937& rng) {
  auto* p_a = new Actor(next_name++);
  std::uniform_int_distribution<int> solidness(0, 9);
  const int s = solidness(rng);
  p_a->setSolidness(s < 6 ? tw::HARD : s < 9 ? tw::SOFT : tw::SPECTRAL);
  p_a->setBox(randomBox(rng));
  p_a->setPosition(randomPlace(rng));
  return p_a;
}

/// One change of a random kind to a random object of the world.
void mutate(std::mt19937& rng) {
  tw::WorldManager& world = tw::WorldManager::getInstance();
  const tw::ObjectList all = world.getAllObjects(true);
  if (all.isEmpty()) {
    makeActor(rng);
    return;
  }
  std::uniform_int_distribution<int> pick(0, all.getCount() - 1);
  std::uniform_int_distribution<int> kind(0, 10);
  auto* p_a = static_cast<Actor*>(all.at(pick(rng)));
  std::uniform_real_distribution<float> step(-1.5f, 1.5f);
  switch (kind(rng)) {
  case 0:
  case 1:
  case 2:
    p_a->setPosition(p_a->getPosition() + tw::Vector(step(rng), step(rng)));
    break;
  case 3:
    p_a->setPosition(randomPlace(rng));
    break;
  case 4:
    p_a->setBox(randomBox(rng));
    break;
  case 5: {
    // Through the text form, as a saved object is read back: the box, and maybe the place.
    const tw::Box b = randomBox(rng);
    std::ostringstream record;
    record << "box-corner-x:" << b.getCorner().getX() << ",box-corner-y:" << b.getCorner().getY()
           << ",box-horizontal:" << b.getHorizontal() << ",box-vertical:" << b.getVertical() << ",";
    if (rng() % 2 == 0) {
      const tw::Vector p = randomPlace(rng);
      record << "pos-x:" << p.getX() << ",pos-y:" << p.getY() << ",";
    }
    p_a->deserialize(record.str());
    break;
  }
  case 6:
    p_a->setActive(!p_a->isActive());
    break;
  case 7:
    p_a->setSolidness(static_cast<int>(rng() % 3));
    break;
  case 10: {
    // A sprite sizes the box; centring moves it.
    static tw::Sprite wide_sprite(1), tall_sprite(1);
    if (wide_sprite.getFrameCount() == 0) {
      wide_sprite.setWidth(7);
      wide_sprite.setHeight(1);
      wide_sprite.addFrame(tw::Frame(7, 1, "1234567"));
      tall_sprite.setWidth(3);
      tall_sprite.setHeight(5);
      tall_sprite.addFrame(tw::Frame(3, 5, "abcdefghijklmno"));
    }
    if (rng() % 2 == 0) {
      p_a->setSprite(rng() % 2 == 0 ? &wide_sprite : &tall_sprite);
    } else {
      p_a->setCentered(!p_a->isCentered());
    }
    break;
  }
  case 8:
    delete p_a;
    break;
  default:
    makeActor(rng);
    break;
  }
}

} // namespace

TEST_F(CollisionGridTest, RandomWorldsAnswerAsTheScanDoes) {
  for (unsigned seed = 1; seed <= 4; seed++) {
    std::mt19937 rng(seed);
    for (int i = 0; i < 300; i++) {
      makeActor(rng);
    }
    int hits = 0;
    for (int round = 0; round < 12; round++) {
      hits += expectSameAnswers(rng);
      for (int i = 0; i < 60; i++) {
        mutate(rng);
      }
    }
    hits += expectSameAnswers(rng);
    EXPECT_GT(hits, 1000) << "seed " << seed << ": too few overlaps to tell anything";
    world.shutDown();
    world.startUp();
    world.setBoundary(tw::Box(tw::Vector(0, 0), 80, 40));
  }
}

TEST_F(CollisionGridTest, TheGridAnswersForSmallBoxesOnly) {
  auto* p_a = new Actor(0);
  auto* p_b = new Actor(1);
  p_b->setPosition(tw::Vector(0.5f, 0));
  const tw::SceneGraph& graph = world.getSceneGraph();
  tw::ObjectList list;
  ASSERT_TRUE(graph.solidObjectsNear(tw::getWorldBox(p_a), p_a, list));
  EXPECT_EQ(names(list), "1 ");
  // A box over thousands of squares: the caller scans instead, and list stays as it was.
  EXPECT_FALSE(graph.solidObjectsNear(tw::Box(tw::Vector(-500, -500), 1000, 1000), p_a, list));
  EXPECT_FALSE(graph.solidObjectsNear(tw::Box(tw::Vector(std::nanf(""), 0), 1, 1), p_a, list));
  EXPECT_EQ(names(list), "1 ");
  EXPECT_EQ(names(world.getCollisions(p_a, tw::Vector(-400, -400))), "");
  p_b->setBox(tw::Box(tw::Vector(-1000, -1000), 2000, 2000));
  EXPECT_EQ(names(world.getCollisions(p_a, tw::Vector(-400, -400))), "1 ");
}

TEST_F(CollisionGridTest, EdgesThatMeetOnSquareBordersCollide) {
  // Squares are two cells wide: x = 2 and x = -2 are borders between squares.
  auto* p_mover = new Actor(0);
  p_mover->setBox(tw::Box(tw::Vector(0, 0), 1, 1));
  auto* p_right = new Actor(1);
  p_right->setBox(tw::Box(tw::Vector(0, 0), 0.5f, 0.5f));
  p_right->setPosition(tw::Vector(2, 0));
  auto* p_left = new Actor(2);
  p_left->setBox(tw::Box(tw::Vector(0, 0), 0, 0));
  p_left->setPosition(tw::Vector(-2, 1));

  EXPECT_EQ(names(world.getCollisions(p_mover, tw::Vector(1, 0))), "1 "); // 1 + 1 = 2
  EXPECT_EQ(names(world.getCollisions(p_mover, tw::Vector(0.99f, 0))), "");
  EXPECT_EQ(names(world.getCollisions(p_mover, tw::Vector(2.5f, -1))), "1 "); // corner on corner
  EXPECT_EQ(names(world.getCollisions(p_mover, tw::Vector(-3, 0))), "2 ");    // -3 + 1 = -2
  EXPECT_EQ(names(world.getCollisions(p_mover, tw::Vector(-2, 1))), "2 ");
  EXPECT_EQ(names(world.getCollisions(p_mover, tw::Vector(-3.01f, 0))), "");
}

TEST_F(CollisionGridTest, FarAwayAndUnboundedBoxesAreFound) {
  auto* p_mover = new Actor(0);
  auto* p_far = new Actor(1);
  p_far->setPosition(tw::Vector(3.0e12f, -7.0e11f));
  auto* p_endless = new Actor(2);
  p_endless->setBox(tw::Box(tw::Vector(0, 0), std::numeric_limits<float>::infinity(), 1));
  p_endless->setPosition(tw::Vector(100, 5));
  auto* p_odd = new Actor(3); // an extent that is not a number still overlaps on that axis
  p_odd->setBox(tw::Box(tw::Vector(0, 0), 1, std::nanf("")));
  p_odd->setPosition(tw::Vector(50, 5));

  EXPECT_EQ(names(world.getCollisions(p_mover, tw::Vector(3.0e12f, -7.0e11f))), "1 ");
  EXPECT_EQ(names(world.getCollisions(p_mover, tw::Vector(5.0e9f, 5))), "2 ");
  EXPECT_EQ(names(world.getCollisions(p_mover, tw::Vector(50, 5))), "3 ");
  for (const tw::Vector& where : {tw::Vector(50, 5), tw::Vector(50, 3), tw::Vector(150, 5.5f),
                                  tw::Vector(3.0e12f, -7.0e11f), tw::Vector(0, 0)}) {
    EXPECT_EQ(names(world.getCollisions(p_mover, where)), names(scan(p_mover, where)));
  }
}

TEST_F(CollisionGridTest, AnswersFollowTheSolidListAsItIsReordered) {
  std::vector<Actor*> a;
  for (int i = 0; i < 4; i++) {
    a.push_back(new Actor(i));
    a.back()->setPosition(tw::Vector(10 + 0.2f * static_cast<float>(i), 10));
  }
  auto* p_mover = new Actor(9);
  const tw::Vector spot(10.3f, 10);
  EXPECT_EQ(names(world.getCollisions(p_mover, spot)), "0 1 2 3 ");
  a[0]->setSolidness(tw::SOFT); // taken out of the solid list and appended again
  EXPECT_EQ(names(world.getCollisions(p_mover, spot)), "1 2 3 0 ");
  a[1]->setActive(false);
  EXPECT_EQ(names(world.getCollisions(p_mover, spot)), "2 3 0 ");
  a[1]->setActive(true);
  a[2]->setSolidness(tw::SPECTRAL);
  EXPECT_EQ(names(world.getCollisions(p_mover, spot)), "3 0 1 ");
  a[2]->setSolidness(tw::HARD);
  delete a[3];
  EXPECT_EQ(names(world.getCollisions(p_mover, spot)), "0 1 2 ");
  EXPECT_EQ(names(world.getCollisions(p_mover, spot)), names(scan(p_mover, spot)));
}

TEST_F(CollisionGridTest, TurningTheGridOnFilesTheWorldAsItIs) {
  world.setCollisionGrid(false);
  std::mt19937 rng(7);
  for (int i = 0; i < 200; i++) {
    makeActor(rng);
  }
  for (int i = 0; i < 200; i++) {
    mutate(rng);
  }
  world.setCollisionGrid(true, 0);
  EXPECT_TRUE(world.usesCollisionGrid());
  EXPECT_GT(expectSameAnswers(rng), 100);
  for (int i = 0; i < 200; i++) {
    mutate(rng);
  }
  EXPECT_GT(expectSameAnswers(rng), 100);
}

namespace {

std::mt19937 scenario_rng;
/// Whether handlers destroy objects at once (else they mark them for deletion, and make new
/// ones). Not both in one frame: the world tells an object destroyed during a walk by its
/// address, which a new object may then reuse, and whether it does differs between runs.
bool destroy_at_once = false;

void meddle(Actor* p_self, const tw::Event* p_e);

Actor* makeMeddler() {
  std::uniform_real_distribution<float> x(0, 40), y(0, 20), v(-0.6f, 0.6f);
  auto* p_a = new Actor(next_name++);
  p_a->on_event = meddle;
  const unsigned s = scenario_rng() % 10;
  p_a->setSolidness(s < 6 ? tw::HARD : s < 9 ? tw::SOFT : tw::SPECTRAL);
  p_a->setNoSoft(scenario_rng() % 4 == 0);
  p_a->setPosition(tw::Vector(x(scenario_rng), y(scenario_rng)));
  p_a->setVelocity(tw::Vector(v(scenario_rng), v(scenario_rng)));
  return p_a;
}

/// Inside its collision handler the actor changes the world: moves or resizes itself or
/// the other, deactivates, makes spectral, marks for deletion or destroys the other.
void meddle(Actor* p_self, const tw::Event* p_e) {
  if (p_e->isType(tw::OUT_EVENT)) {
    p_self->setVelocity(p_self->getVelocity() * -1.0f);
    return;
  }
  const auto* p_c = static_cast<const tw::EventCollision*>(p_e);
  if (p_c->getObject1() != p_self) {
    return; // only the mover meddles, once per collision
  }
  auto* p_other = static_cast<Actor*>(p_c->getObject2());
  std::uniform_real_distribution<float> x(0, 40), y(0, 20);
  std::uniform_real_distribution<float> size(0.2f, 2.5f);
  switch (scenario_rng() % 12) {
  case 0:
    p_other->setPosition(tw::Vector(x(scenario_rng), y(scenario_rng)));
    break;
  case 1:
    p_self->setPosition(tw::Vector(x(scenario_rng), y(scenario_rng)));
    break;
  case 2:
    p_other->setBox(tw::Box(tw::Vector(-0.5f, -0.5f), size(scenario_rng), size(scenario_rng)));
    break;
  case 3:
    p_other->setActive(false);
    break;
  case 4:
    p_other->setSolidness(tw::SPECTRAL);
    break;
  case 5:
    p_other->setSolidness(tw::SOFT);
    break;
  case 6:
    tw::WorldManager::getInstance().markForDelete(p_other);
    break;
  case 7:
    if (destroy_at_once) {
      delete p_other;
    } else {
      makeMeddler();
    }
    break;
  default:
    break; // most collisions change nothing
  }
}

/// Runs a busy world for a while and returns every event, in order, then every object's
/// final state.
std::vector<std::string> runScenario(bool use_grid, bool destroy) {
  tw::WorldManager& world = tw::WorldManager::getInstance();
  world.shutDown();
  world.startUp();
  world.setBoundary(tw::Box(tw::Vector(0, 0), 40, 20));
  world.setCollisionGrid(use_grid, 0);
  trace.clear();
  next_name = 0;
  destroy_at_once = destroy;
  scenario_rng.seed(destroy ? 11 : 12);
  for (int i = 0; i < 250; i++) {
    makeMeddler();
  }
  for (int frame = 0; frame < 40; frame++) {
    world.update();
    // Between frames some objects come back, and new ones come.
    const tw::ObjectList inactive = world.getSceneGraph().inactiveObjects();
    for (int i = 0; i < inactive.getCount(); i += 2) {
      inactive.at(i)->setActive(true);
    }
    makeMeddler();
  }
  std::vector<std::string> result = trace;
  const tw::ObjectList all = world.getAllObjects(true);
  for (int i = 0; i < all.getCount(); i++) {
    const auto* p_a = static_cast<const Actor*>(all.at(i));
    std::ostringstream state;
    state << p_a->name << " at " << p_a->getPosition().getX() << "," << p_a->getPosition().getY()
          << " solidness " << p_a->getSolidness() << " active " << p_a->isActive();
    result.push_back(state.str());
  }
  return result;
}

} // namespace

TEST_F(CollisionGridTest, SameEventsAndMovesAsTheScanWhileHandlersChangeTheWorld) {
  for (const bool destroy : {false, true}) {
    const std::vector<std::string> scanned = runScenario(false, destroy);
    const std::vector<std::string> gridded = runScenario(true, destroy);
    ASSERT_GT(scanned.size(), 1000u) << "the scenario must be busy to tell anything";
    ASSERT_EQ(gridded.size(), scanned.size()) << "destroying at once: " << destroy;
    for (std::size_t i = 0; i < scanned.size(); i++) {
      ASSERT_EQ(gridded[i], scanned[i]) << "first difference at line " << i;
    }
  }
}
