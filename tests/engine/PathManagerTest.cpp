#include "EventPath.h"
#include "GameManager.h"
#include "LogManager.h"
#include "Object.h"
#include "PathFind.h"
#include "PathManager.h"
#include "WorldManager.h"
#include "utility.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <vector>

using tw::Box;
using tw::PathManager;
using tw::Vector;
using twtest::contains;
using twtest::countContaining;

namespace {

/// A clock that moves on by step microseconds every time it is read.
class SteppingClock : public twtest::FakeClock {
public:
  explicit SteppingClock(std::int64_t init_step) : step(init_step) {}
  std::int64_t now() override {
    micros += step;
    return micros;
  }
  std::int64_t step;
};

/// An object that records the path events it receives.
class Seeker : public tw::Object {
public:
  explicit Seeker(const std::string& name, Vector at = Vector(0, 0)) {
    setType(name);
    setPosition(at);
  }

  int eventHandler(const tw::Event* p_event) override {
    if (!p_event->isType(tw::PATH_EVENT)) {
      return Object::eventHandler(p_event);
    }
    const auto* p_path_event = static_cast<const tw::EventPath*>(p_event);
    statuses.push_back(p_path_event->getStatus());
    plies.push_back(getPathFind() ? getPathFind()->getPly() : -1);
    if (p_order) {
      p_order->push_back(getType());
    }
    if (keep_finder) {
      return 1; // never lets go of its search
    }
    const int result = Object::eventHandler(p_event);
    if (on_path) {
      on_path();
    }
    return result;
  }

  std::vector<int> statuses;
  std::vector<int> plies;
  std::vector<std::string>* p_order = nullptr;
  bool keep_finder = false;
  std::function<void()> on_path;
};

class PathManagerTest : public twtest::TempDirTest {
protected:
  void SetUp() override {
    TempDirTest::SetUp();
    twtest::startLog();
    game().setFrameTime(33);
    game().setClock(&still_clock);
    world().startUp();
    world().setBoundary(Box(Vector(0, 0), 80, 24));
    ASSERT_EQ(paths().startUp(), 0);
  }
  void TearDown() override {
    world().shutDown(); // deletes the objects, and with them their searches
    EXPECT_EQ(paths().getFinderCount(), 0);
    paths().shutDown();
    game().setClock(nullptr);
    if (tw::LogManager::getInstance().isStarted()) {
      twtest::stopLog();
    }
    TempDirTest::TearDown();
  }

  static tw::GameManager& game() { return tw::GameManager::getInstance(); }
  static tw::WorldManager& world() { return tw::WorldManager::getInstance(); }
  static PathManager& paths() { return PathManager::getInstance(); }

  static tw::Object* block(int x, int y) {
    auto* p_o = new tw::Object;
    p_o->setType("Wall");
    p_o->setPosition(Vector(static_cast<float>(x), static_cast<float>(y)));
    return p_o;
  }
  /// Shuts the cell (x, y) in with HARD objects, so a search for it floods the world.
  static void enclose(int x, int y) {
    for (int dx = -1; dx <= 1; dx++) {
      for (int dy = -1; dy <= 1; dy++) {
        if (dx != 0 || dy != 0) {
          block(x + dx, y + dy);
        }
      }
    }
  }

  /// Time stands still: a cycle runs every search to its end.
  twtest::FakeClock still_clock;
};

int linesBefore(const std::vector<std::string>& lines, const std::string& text,
                const std::string& until) {
  int n = 0;
  for (const std::string& line : lines) {
    if (line.find(until) != std::string::npos) {
      return n;
    }
    if (line.find(text) != std::string::npos) {
      n++;
    }
  }
  return -1;
}

TEST_F(PathManagerTest, StartUpTakesHalfTheFrameTimeAndRefusesASecondStart) {
  EXPECT_EQ(paths().getMaxCycleTime(), 16);
  EXPECT_EQ(paths().startUp(), -1);

  tw::LogManager::getInstance().setLogLevel(1);
  auto* p_o = new Seeker("Seeker");
  ASSERT_EQ(paths().findPath(p_o, Vector(5, 5)), 0);
  paths().shutDown();
  EXPECT_FALSE(paths().isStarted());
  EXPECT_EQ(paths().getFinderCount(), 1); // searches in progress stay
  game().setFrameTime(35);
  ASSERT_EQ(paths().startUp(), 0);
  EXPECT_EQ(paths().getMaxCycleTime(), 17);

  const auto lines = twtest::stopLog();
  EXPECT_EQ(countContaining(lines, "PathManager::startup(): Warning! PathManager already started."),
            1);
  EXPECT_TRUE(contains(lines, "PathManager::shutDown(): successfully stopped."));
  EXPECT_TRUE(contains(lines, "PathManager::startUp(): successfully started."));
}

TEST_F(PathManagerTest, UnregisterRefusesNullAndUnknownFinders) {
  EXPECT_EQ(paths().unregisterPathFind(nullptr), -1);
  auto* p_o = new Seeker("Seeker");
  tw::PathFind stranger(p_o, 0, 0, 1, 1);
  EXPECT_EQ(paths().unregisterPathFind(&stranger), -1);
  auto* p_other = new Seeker("Other", Vector(3, 3));
  ASSERT_EQ(paths().findPath(p_o, Vector(5, 5)), 0);
  ASSERT_EQ(paths().findPath(p_other, Vector(6, 6)), 0);
  EXPECT_EQ(paths().unregisterPathFind(p_o->getPathFind()), 0);
  EXPECT_EQ(paths().getFinderCount(), 1);
  // Unregistering does not delete: the object still owns its search.
  EXPECT_NE(p_o->getPathFind(), nullptr);

  const auto lines = twtest::stopLog();
  EXPECT_EQ(countContaining(lines, "PathManager::unregisterPathFind(): p_path_find is "), 3);
  EXPECT_EQ(countContaining(lines, "PathManager::unregisterPathFind(): finder is "), 1);
  EXPECT_TRUE(contains(lines, "PathManager::unregisterPathFind(): finder is 1"));
}

TEST_F(PathManagerTest, SearchesTakeOnePlyEachPerPassAndReceiveTheirResult) {
  auto* p_short = new Seeker("Short", Vector(0, 0));
  auto* p_long = new Seeker("Long", Vector(0, 5));
  ASSERT_EQ(paths().findPath(p_short, Vector(2, 0)), 0); // 3 plies
  ASSERT_EQ(paths().findPath(p_long, Vector(4, 5)), 0);  // 5 plies
  EXPECT_EQ(paths().getFinderCount(), 2);
  paths().cycle();

  EXPECT_EQ(p_short->statuses, std::vector<int>{tw::FOUND});
  EXPECT_EQ(p_short->plies, std::vector<int>{3});
  EXPECT_EQ(p_long->statuses, std::vector<int>{tw::FOUND});
  EXPECT_EQ(p_long->plies, std::vector<int>{5});
  EXPECT_EQ(paths().getFinderCount(), 0);
  EXPECT_EQ(p_short->getPathFind(), nullptr);
  EXPECT_TRUE(p_long->isFollowingPath());
  EXPECT_EQ(p_long->getPath().nodes.back(), Vector(4, 5));

  // The short search ends in the third pass, after both had two plies; the long one in the
  // fifth, alone.
  const auto lines = twtest::stopLog();
  const std::string ply = "PathFind::cycleOnce(): ply ";
  EXPECT_EQ(linesBefore(lines, ply, "(Short) got path event."), 5);
  EXPECT_EQ(linesBefore(lines, ply, "(Long) got path event."), 8);
}

TEST_F(PathManagerTest, BudgetEndsTheCycleAndTheSearchGoesOnNextFrame) {
  tw::LogManager::getInstance().setLogLevel(1);
  SteppingClock clock(1000); // a millisecond per reading
  game().setClock(&clock);

  paths().cycle(); // nothing to do, and still within the budget
  enclose(70, 20);
  auto* p_o = new Seeker("Seeker", Vector(0, 0));
  ASSERT_EQ(paths().findPath(p_o, Vector(70, 20)), 0);
  tw::PathFind* p_finder = p_o->getPathFind();
  paths().cycle();
  // A lone search reads the clock twice a ply (after the ply, and before the next pass):
  // 8 plies take the 16 ms, and the check before a ninth ends the cycle.
  EXPECT_EQ(p_finder->getPly(), 8);
  paths().cycle();
  EXPECT_EQ(p_finder->getPly(), 16);
  EXPECT_TRUE(p_o->statuses.empty());

  game().setClock(&still_clock);
  paths().cycle();
  EXPECT_EQ(p_o->statuses, std::vector<int>{tw::NOT_FOUND});
  EXPECT_FALSE(p_o->isFollowingPath());
  EXPECT_EQ(paths().getFinderCount(), 0);

  clock.step = 20000; // the clock shows the budget spent at the first look
  game().setClock(&clock);
  paths().cycle();

  const auto lines = twtest::stopLog();
  EXPECT_EQ(countContaining(lines, "PathManager::cycle(): cycle time 16 exceeded."), 3);
  EXPECT_EQ(linesBefore(lines, "cycle time 16 exceeded.", "PathFind::cycleOnce(): ply 1"), 0);
}

TEST_F(PathManagerTest, NoBudgetRunsNoPly) {
  paths().shutDown();
  game().setFrameTime(1);
  ASSERT_EQ(paths().startUp(), 0);
  EXPECT_EQ(paths().getMaxCycleTime(), 0);
  auto* p_o = new Seeker("Seeker");
  ASSERT_EQ(paths().findPath(p_o, Vector(0, 0)), 0);
  paths().cycle();
  EXPECT_EQ(p_o->getPathFind()->getPly(), 0);
  EXPECT_TRUE(p_o->statuses.empty());
}

TEST_F(PathManagerTest, SearchThatIsNeverReleasedIsRunAgainUntilTheBudgetEnds) {
  tw::LogManager::getInstance().setLogLevel(1);
  SteppingClock clock(1000);
  game().setClock(&clock);
  auto* p_stubborn = new Seeker("Stubborn", Vector(3, 3));
  p_stubborn->keep_finder = true;
  auto* p_next = new Seeker("Next", Vector(6, 6));
  ASSERT_EQ(paths().findPath(p_stubborn, Vector(3, 3)), 0);
  ASSERT_EQ(paths().findPath(p_next, Vector(6, 6)), 0);
  paths().cycle();
  EXPECT_EQ(p_stubborn->statuses.size(), 16u);
  EXPECT_EQ(p_next->getPathFind()->getPly(), 0);
  EXPECT_EQ(paths().getFinderCount(), 2);
  const auto lines = twtest::stopLog();
  EXPECT_TRUE(contains(lines, "PathManager::cycle(): cycle time 16 exceeded."));
}

TEST_F(PathManagerTest, FindPathRefusesWhatItCannotSearch) {
  const float inf = std::numeric_limits<float>::infinity();
  auto* p_o = new Seeker("Seeker", Vector(10, 10));
  EXPECT_EQ(paths().findPath(nullptr, Vector(5, 5)), -1);
  for (const Vector& goal : {Vector(80, 5), Vector(5, 24), Vector(-1, 0), Vector(0, -0.6f),
                             Vector(79.5f, 0), Vector(NAN, 3), Vector(3, inf), Vector(-inf, 3)}) {
    EXPECT_EQ(paths().findPath(p_o, goal), -1) << goal.getX() << "," << goal.getY();
  }
  for (const Vector& start : {Vector(-3, 5), Vector(100, 5), Vector(5, 23.5f), Vector(NAN, 0)}) {
    p_o->setPosition(start);
    EXPECT_EQ(paths().findPath(p_o, Vector(5, 5)), -1) << start.getX() << "," << start.getY();
  }
  EXPECT_EQ(p_o->getPathFind(), nullptr);
  EXPECT_EQ(paths().getFinderCount(), 0);

  // The last cells inside the world, reached by rounding, are accepted.
  p_o->setPosition(Vector(-0.4f, 23.4f));
  EXPECT_EQ(paths().findPath(p_o, Vector(79.4f, 0)), 0);
  EXPECT_EQ(paths().getFinderCount(), 1);

  world().setBoundary(Box(Vector(0, 0), 1e9f, 1e9f)); // too large a grid to hold
  EXPECT_EQ(paths().findPath(p_o, Vector(5, 5)), -1);
  world().setBoundary(Box(Vector(0, 0), 80, 24));
  paths().shutDown();
  EXPECT_EQ(paths().findPath(p_o, Vector(5, 5)), -1);
  EXPECT_EQ(paths().getFinderCount(), 1);

  const auto lines = twtest::stopLog();
  EXPECT_TRUE(contains(lines, "PathManager::findPath(): no object to find a path for."));
  EXPECT_EQ(countContaining(lines, "outside the world."), 12);
  EXPECT_TRUE(contains(lines, "PathManager::findPath(): unable to make a path finder for Object"));
  EXPECT_TRUE(contains(lines, "PathManager not started!"));
}

TEST_F(PathManagerTest, FindPathStartsAtTheObjectsCellAndReplacesAnEarlierSearch) {
  auto* p_o = new Seeker("Seeker", Vector(4.6f, 2.4f));
  ASSERT_EQ(paths().findPath(p_o, Vector(20, 2)), 0);
  tw::PathFind* p_first = p_o->getPathFind();
  ASSERT_NE(p_first, nullptr);
  ASSERT_EQ(paths().findPath(p_o, Vector(7, 2)), 0);
  EXPECT_NE(p_o->getPathFind(), nullptr);
  EXPECT_EQ(paths().getFinderCount(), 1);
  paths().cycle();
  ASSERT_EQ(p_o->statuses, std::vector<int>{tw::FOUND});
  const tw::Path path = p_o->getPath();
  ASSERT_FALSE(path.nodes.empty());
  EXPECT_EQ(path.nodes.front(), Vector(5, 2));
  EXPECT_EQ(path.nodes.back(), Vector(7, 2));
  EXPECT_EQ(path.nodes.size(), 3u);
}

TEST_F(PathManagerTest, ObjectDeletedDuringItsSearchLeavesNothingBehind) {
  SteppingClock clock(1000);
  game().setClock(&clock);
  enclose(70, 20);
  auto* p_o = new Seeker("Seeker", Vector(0, 0));
  auto* p_other = new Seeker("Other", Vector(0, 10));
  ASSERT_EQ(paths().findPath(p_o, Vector(70, 20)), 0);
  ASSERT_EQ(paths().findPath(p_other, Vector(70, 20)), 0);
  paths().cycle();
  EXPECT_GT(p_o->getPathFind()->getPly(), 0);
  ASSERT_EQ(world().markForDelete(p_o), 0);
  world().update();
  EXPECT_EQ(paths().getFinderCount(), 1);
  const int before = p_other->getPathFind()->getPly();
  paths().cycle();
  EXPECT_GT(p_other->getPathFind()->getPly(), before);
  EXPECT_TRUE(p_other->statuses.empty());
}

TEST_F(PathManagerTest, HandlerThatRestartsAnEarlierSearchKeepsThePassInOrder) {
  std::vector<std::string> order;
  enclose(70, 20);
  auto* p_b = new Seeker("B", Vector(0, 0));
  auto* p_a = new Seeker("A", Vector(0, 5));
  auto* p_c = new Seeker("C", Vector(0, 10));
  auto* p_d = new Seeker("D", Vector(0, 15));
  for (Seeker* p_s : {p_b, p_a, p_c, p_d}) {
    p_s->p_order = &order;
  }
  ASSERT_EQ(paths().findPath(p_b, Vector(70, 20)), 0); // long, and never found
  ASSERT_EQ(paths().findPath(p_a, Vector(0, 5)), 0);   // the others end on their first ply
  ASSERT_EQ(paths().findPath(p_c, Vector(0, 10)), 0);
  ASSERT_EQ(paths().findPath(p_d, Vector(0, 15)), 0);
  // When A is done, B is sent somewhere near: its old search leaves the front of the queue.
  p_a->on_path = [&] { ASSERT_EQ(paths().findPath(p_b, Vector(2, 0)), 0); };
  paths().cycle();
  EXPECT_EQ(order, (std::vector<std::string>{"A", "C", "D", "B"}));
  EXPECT_EQ(p_b->statuses, std::vector<int>{tw::FOUND});
  EXPECT_EQ(p_b->getPath().nodes.back(), Vector(2, 0));
  EXPECT_EQ(paths().getFinderCount(), 0);
}

/// Runs frames (path manager, then world) until p_o has no search and no path left, or the
/// frame limit is reached; fails on the first frame on which p_o overlaps one of walls.
int followUntilDone(tw::Object* p_o, const std::vector<tw::Object*>& walls, int limit) {
  for (int frame = 0; frame < limit; frame++) {
    PathManager::getInstance().cycle();
    tw::WorldManager::getInstance().update();
    for (const tw::Object* p_wall : walls) {
      if (tw::boxIntersectsBox(tw::getWorldBox(p_o), tw::getWorldBox(p_wall))) {
        ADD_FAILURE() << "frame " << frame << ": at (" << p_o->getPosition().getX() << ", "
                      << p_o->getPosition().getY() << ") over the wall at ("
                      << p_wall->getPosition().getX() << ", " << p_wall->getPosition().getY()
                      << ")";
        return frame;
      }
    }
    if (!p_o->getPathFind() && !p_o->isFollowingPath()) {
      return frame;
    }
  }
  return limit;
}

class PathFollowingTest : public PathManagerTest {
protected:
  /// An object on an 80 x 24 world that must go round the lower end of a wall at x = 40.
  void walk(Vector from, Vector goal, float speed) {
    game().setClock(&clock);
    std::vector<tw::Object*> walls;
    for (int y = 0; y <= 20; y++) {
      walls.push_back(block(40, y));
    }
    // SOFT: the world would let it through the wall, only its path keeps it off.
    auto* p_o = new Seeker("Walker", from);
    p_o->setSolidness(tw::SOFT);
    p_o->setSpeed(speed);
    ASSERT_EQ(paths().findPath(p_o, goal), 0);

    const int frames = followUntilDone(p_o, walls, 2000);
    EXPECT_LT(frames, 2000);
    EXPECT_EQ(p_o->statuses, std::vector<int>{tw::FOUND});
    EXPECT_TRUE(tw::boxContainsPosition(tw::getWorldBox(p_o), goal))
        << "ended at (" << p_o->getPosition().getX() << ", " << p_o->getPosition().getY() << ")";
    bool below_wall = false;
    for (const Vector& node : p_o->getPath().nodes) {
      below_wall = below_wall || (node.getX() == 40 && node.getY() >= 21);
    }
    EXPECT_TRUE(below_wall);
  }

  SteppingClock clock{100}; // a search spreads over a few frames
};

TEST_F(PathFollowingTest, ObjectWalksRoundAWallToItsGoal) {
  walk(Vector(10, 5), Vector(70, 5), 0.5f);
}

TEST_F(PathFollowingTest, ObjectWalksRoundAWallAtFullSpeed) {
  walk(Vector(5, 12), Vector(75, 12), 1.0f);
}

// An object that turned before standing on a node would cut across the wall's end here.
TEST_F(PathFollowingTest, ObjectWalksRoundATightCorner) {
  walk(Vector(38, 18), Vector(42, 18), 0.25f);
}

} // namespace
