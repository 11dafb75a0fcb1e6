#include "EventPath.h"
#include "PathFind.h"
#include "PathManager.h"
#include "TestSupport.h"
#include "utility.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

using tw::Box;
using tw::Vector;
using twtest::contains;
using twtest::countContaining;

namespace {

/// A clock that moves on by step microseconds every time it is read.
struct SteppingClock : twtest::FakeClock {
  explicit SteppingClock(std::int64_t init_step) : step(init_step) {}
  std::int64_t now() override { return micros += step; }
  std::int64_t step;
};

std::string got; ///< "Type:status@ply " for every path event, in order

/// An object that records the path events it receives, with its finder's ply.
struct Seeker : tw::Object {
  explicit Seeker(const std::string& name, Vector at = Vector(0, 0)) {
    setType(name), setPosition(at);
  }
  int eventHandler(const tw::Event* p_event) override {
    if (p_event->isType(tw::PATH_EVENT)) {
      got += getType() + ":" +
             std::to_string(static_cast<const tw::EventPath*>(p_event)->getStatus()) + "@" +
             std::to_string(getPathFind() ? getPathFind()->getPly() : -1) + " ";
      if (keep_finder) {
        return 1; // never lets go of its search
      }
    }
    const int result = Object::eventHandler(p_event);
    return on_path ? on_path(), result : result;
  }
  bool keep_finder = false;
  std::function<void()> on_path;
};

/// A started path manager over an 80 x 24 world, with a 33 ms frame and a clock standing still
/// (a cycle runs every search to its end).
class PathManagerTest : public twtest::WorldTest {
protected:
  void SetUp() override {
    WorldTest::SetUp(), got.clear();
    game.setFrameTime(33), game.setClock(&still_clock);
    ASSERT_EQ(paths.startUp(), 0);
    p_mover = new tw::Object, p_mover->setSolidness(tw::SOFT); // in no other search's way
  }
  void TearDown() override {
    world.shutDown(); // deletes the objects, and with them their searches
    EXPECT_EQ(paths.getFinderCount(), 0);
    paths.shutDown(), game.setClock(nullptr), WorldTest::TearDown();
  }
  static tw::Object* block(int x, int y) {
    auto* p_o = new tw::Object;
    p_o->setPosition(Vector(x, y));
    return p_o;
  }
  static void probe(int x, int y, int solidness = tw::HARD) {
    new twtest::WorldProbe("", Vector(x, y), solidness);
  }
  /// Runs a search to its end: the status of every ply (or their count and the last), the path.
  std::string search(int x0, int y0, int x1, int y1) {
    tw::PathFind finder(p_mover, x0, y0, x1, y1);
    std::string out;
    for (int status = tw::INCOMPLETE; status == tw::INCOMPLETE && out.size() < 100000;) {
      out += std::to_string(status = finder.cycleOnce());
    }
    out = out.size() > 40 ? std::to_string(out.size()) + " plies, " + out.back() : out;
    for (const Vector& node : finder.getPath().nodes) {
      out += " " + std::to_string(int(node.getX())) + "," + std::to_string(int(node.getY()));
    }
    return out + (finder.getPath().index == 0 ? "" : " index not 0");
  }
  /// Shuts the cell (70, 20) in with HARD objects, so a search for it floods the world.
  static void enclose() {
    for (int i = 0; i < 9; i += i == 3 ? 2 : 1) {
      block(69 + i % 3, 19 + i / 3);
    }
  }

  tw::GameManager& game = tw::GameManager::getInstance();
  tw::PathManager& paths = tw::PathManager::getInstance();
  twtest::FakeClock still_clock;
  tw::Object* p_mover = nullptr; ///< what the searches move
};

/// Lines containing text before the first containing until.
int linesBefore(const std::vector<std::string>& lines, const std::string& text,
                const std::string& until) {
  int n = 0;
  for (auto it = lines.begin(); it != lines.end() && it->find(until) == std::string::npos; it++) {
    n += it->find(text) != std::string::npos;
  }
  return n;
}

TEST_F(PathManagerTest, SearchesFindTheShortestPathPlyByPly) {
  EXPECT_EQ(search(0, 0, 3, 0), "1112 0,0 1,0 2,0 3,0");
  // Its first two plies, after the time and frame number: neighbours outside the world are
  // skipped silently, the open set is scanned from its end, only a strictly better path counts.
  std::vector<std::string> lines = twtest::stopLog();
  std::string plies;
  auto it = std::find_if(lines.begin(), lines.end(), [](auto& l) { return l.find("---") < 99; });
  for (int n = 0; n < 38 && it != lines.end(); n++, it++) {
    plies += it->substr(14) + "\n";
  }
  EXPECT_TRUE(twtest::matchesFile("pathfind-plies.txt", plies));
  EXPECT_TRUE(contains(lines, "PathFind::getPath(): (0,0) (1,0) (2,0) (3,0) "));
  twtest::startLog();
  EXPECT_EQ(search(5, 7, 5, 7), "2 5,7");
  EXPECT_FALSE(contains(logLines(), "Examining neighbor"));
  EXPECT_EQ(search(0, 0, 2, 2), "112 0,0 1,1 2,2"); // the diagonal is preferred
  EXPECT_EQ(search(5, 5, 7, 6), "112 5,5 6,6 7,6"); // of equal costs, the cell added last
  EXPECT_EQ(search(1, 1, 5, 3), "111112 1,1 2,1 3,2 4,3 5,3"); // an equal way found later wins
  EXPECT_TRUE(
      twtest::inOrder(logLines(), {"PathFind::cycleOnce(): done. FOUND.",
                                   "PathFind::getPath(): (5,7) ", "Lowest (6,6), cost 2.41"}));
}

TEST_F(PathManagerTest, HardObjectsBlockAndSoftOrSpectralOnesDoNot) {
  probe(1, 0);
  EXPECT_EQ(search(0, 0, 2, 0), "11112 0,0 0,1 1,1 2,1 2,0"); // round the block, not its corners
  EXPECT_EQ(search(0, 0, 1, 1), "112 0,0 0,1 1,1");
  probe(0, 1); // two blocks touching at their corners close the way
  EXPECT_EQ(search(0, 0, 1, 1).substr(0, 5), "0 0,0");
  EXPECT_TRUE(contains(logLines(), "\t\tCollision (Probe)"));
  probe(21, 0, tw::SOFT);
  probe(21, 1, tw::SPECTRAL);
  EXPECT_EQ(search(20, 0, 22, 0) + search(20, 0, 21, 1), "112 20,0 21,0 22,012 20,0 21,1");
  for (int y = 0; y < 20; y++) { // a mover three cells wide keeps off the wall's neighbours
    probe(10, y);
  }
  p_mover->setBox(Box(Vector(-1.5f, -0.5f), 2.99f, 0.99f));
  tw::PathFind finder(p_mover, 5, 5, 15, 5);
  while (finder.cycleOnce() == tw::INCOMPLETE) {
  }
  for (const Vector& node : finder.getPath().nodes) {
    EXPECT_TRUE(node.getY() >= 20 || node.getX() <= 8 || node.getX() >= 12)
        << node.getX() << "," << node.getY();
  }
  EXPECT_EQ(finder.getPath().nodes.back(), Vector(15, 5));
}

TEST_F(PathManagerTest, EnclosedEndFloodsTheReachableCellsAndIsNotFound) {
  world.setBoundary(Box(Vector(0, 0), 20, 10));
  for (int i = 0; i < 9; i += i == 3 ? 2 : 1) {
    probe(9 + i % 3, 4 + i / 3);
  }
  // Every cell but the ring and its centre is expanded once; the path still ends.
  EXPECT_EQ(search(0, 0, 10, 5).substr(0, 16), "191 plies, 0 0,0");
  const std::vector<std::string> lines = twtest::stopLog();
  EXPECT_EQ(twtest::countContaining(lines, "PathFind::cycleOnce(): done. NOT_FOUND."), 1);
  EXPECT_FALSE(contains(lines, "Examining neighbor (10, 5)"));
}

TEST_F(PathManagerTest, ChangingBoundaryNeverTakesTheSearchOffItsGrid) {
  world.setBoundary(Box(Vector(0, 0), 30, 10));
  tw::PathFind grown(p_mover, 0, 0, 29, 9), shrunk(p_mover, 0, 0, 29, 9);
  EXPECT_EQ(grown.getColumns() * 100 + grown.getRows(), 3010);
  world.setBoundary(Box(Vector(0, 0), 200, 100));
  while (grown.cycleOnce() == tw::INCOMPLETE) {
  }
  EXPECT_EQ(grown.getPath().nodes.back(), Vector(29, 9));
  world.setBoundary(Box(Vector(0, 0), 30, 10));
  for (int i = 0; i < 3; i++) {
    shrunk.cycleOnce();
  }
  world.setBoundary(Box(Vector(0, 0), 10, 5)); // the goal is now outside the world
  tw::LogManager::getInstance().writeLog("shrunk");
  while (shrunk.cycleOnce() == tw::INCOMPLETE) {
  }
  // Neighbours examined lie inside both the grid (30 x 10) and the world as it is.
  int columns = 30, rows = 10, examined = 0, x = -1, y = -1;
  for (const std::string& line : twtest::stopLog()) {
    columns = line.find(" shrunk") != std::string::npos ? 10 : columns;
    rows = columns == 10 ? 5 : rows;
    const auto at = line.find("Examining neighbor (");
    if (at != std::string::npos &&
        std::sscanf(line.c_str() + at, "Examining neighbor (%d, %d)", &x, &y) == 2) {
      examined++;
      ASSERT_TRUE(x >= 0 && x < columns && y >= 0 && y < rows) << line;
    }
  }
  EXPECT_GT(examined, 0);
  for (const Box& boundary : {Box(Vector(0, 0), 0, 0), Box(Vector(0, 0), -5, 10),
                              Box(Vector(0, 0), NAN, 10), Box(Vector(0, 0), 1e30f, 1e30f)}) {
    world.setBoundary(boundary); // no usable size: nothing found
    EXPECT_EQ(search(0, 0, 3, 0), "0 0,0");
  }
}

TEST_F(PathManagerTest, StartUpTakesHalfTheFrameTimeAndUnregisterRefusesStrangers) {
  EXPECT_EQ(paths.getMaxCycleTime() * 10 + paths.startUp(), 159);
  tw::LogManager::getInstance().setLogLevel(1);
  auto* p_o = new Seeker("Seeker");
  auto* p_other = new Seeker("Other", Vector(3, 3));
  tw::PathFind stranger(p_o, 0, 0, 1, 1);
  EXPECT_EQ(paths.unregisterPathFind(nullptr) + paths.unregisterPathFind(&stranger), -2);
  ASSERT_EQ(paths.findPath(p_o, Vector(5, 5)) + paths.findPath(p_other, Vector(6, 6)), 0);
  EXPECT_EQ(paths.unregisterPathFind(p_o->getPathFind()), 0);
  EXPECT_EQ(paths.getFinderCount(), 1);
  EXPECT_NE(p_o->getPathFind(), nullptr); // unregistering does not delete
  paths.shutDown();
  EXPECT_FALSE(paths.isStarted());
  EXPECT_EQ(paths.getFinderCount(), 1); // searches in progress stay
  game.setFrameTime(35);
  ASSERT_EQ(paths.startUp(), 0);
  EXPECT_EQ(paths.getMaxCycleTime(), 17);
  const auto lines = twtest::stopLog();
  EXPECT_EQ(countContaining(lines, "PathManager::unregisterPathFind(): p_path_find is "), 3);
  EXPECT_EQ(countContaining(lines, "PathManager::unregisterPathFind(): finder is "), 1);
  EXPECT_TRUE(
      twtest::inOrder(lines, {"PathManager::startup(): Warning! PathManager already started.",
                              "PathManager::unregisterPathFind(): finder is 1",
                              "PathManager::shutDown(): successfully stopped.",
                              "PathManager::startUp(): successfully started."}));
}

TEST_F(PathManagerTest, SearchesTakeOnePlyEachPerPassAndReceiveTheirResult) {
  auto* p_short = new Seeker("Short", Vector(0, 0));
  auto* p_long = new Seeker("Long", Vector(0, 5));
  ASSERT_EQ(paths.findPath(p_short, Vector(2, 0)) + paths.findPath(p_long, Vector(4, 5)), 0);
  paths.cycle();
  EXPECT_EQ(got + std::to_string(paths.getFinderCount()), "Short:2@3 Long:2@5 0");
  EXPECT_TRUE(p_short->getPathFind() == nullptr && p_long->isFollowingPath());
  EXPECT_EQ(p_long->getPath().nodes.back(), Vector(4, 5));
  // The short search ends in the third pass, after both had two plies; the long in the fifth.
  const auto lines = twtest::stopLog();
  EXPECT_EQ(linesBefore(lines, "PathFind::cycleOnce(): ply ", "(Short) got path event."), 5);
  EXPECT_EQ(linesBefore(lines, "PathFind::cycleOnce(): ply ", "(Long) got path event."), 8);
}

TEST_F(PathManagerTest, BudgetEndsTheCycleAndTheSearchGoesOnNextFrame) {
  tw::LogManager::getInstance().setLogLevel(1);
  SteppingClock clock(1000); // a millisecond per reading
  game.setClock(&clock);
  paths.cycle(); // nothing to do, and still within the budget
  enclose();
  auto* p_o = new Seeker("Seeker", Vector(0, 0));
  auto* p_stubborn = new Seeker("Stubborn", Vector(3, 3));
  ASSERT_EQ(paths.findPath(p_o, Vector(70, 20)), 0);
  tw::PathFind* p_finder = p_o->getPathFind();
  // A lone search reads the clock twice a ply (after the ply, and before the next pass):
  // 8 plies take the 16 ms, and the check before a ninth ends the cycle.
  paths.cycle();
  EXPECT_EQ(p_finder->getPly(), 8);
  paths.cycle();
  EXPECT_EQ(got + std::to_string(p_finder->getPly()), "16");
  game.setClock(&still_clock), paths.cycle();
  EXPECT_EQ(got, "Seeker:0@1910 ");
  EXPECT_FALSE(p_o->isFollowingPath());
  clock.step = 20000; // the clock shows the budget spent at the first look
  game.setClock(&clock), paths.cycle();
  clock.step = 1000; // a search never released is run again until the budget ends
  p_stubborn->keep_finder = true;
  auto* p_next = new Seeker("Next", Vector(6, 6));
  ASSERT_EQ(paths.findPath(p_stubborn, Vector(3, 3)) + paths.findPath(p_next, Vector(6, 6)), 0);
  got.clear(), paths.cycle();
  std::string again; // its event in every pass, the ply counting on
  for (int ply = 1; ply <= 16; ply++) {
    again += "Stubborn:2@" + std::to_string(ply) + " ";
  }
  EXPECT_EQ(got, again);
  EXPECT_EQ(p_next->getPathFind()->getPly(), 0);
  const auto lines = twtest::stopLog();
  EXPECT_EQ(countContaining(lines, "PathManager::cycle(): cycle time 16 exceeded."), 4);
  EXPECT_EQ(linesBefore(lines, "cycle time 16 exceeded.", "PathFind::cycleOnce(): ply 1"), 0);
  paths.shutDown(), game.setFrameTime(1);
  ASSERT_EQ(paths.startUp(), 0);
  paths.cycle(); // no budget runs no ply
  EXPECT_EQ(p_next->getPathFind()->getPly(), 0);
  p_stubborn->keep_finder = false;
  // A recorded session counts its budget in plies, which a replay repeats, whatever the time.
  paths.shutDown(), game.setFrameTime(33), paths.startUp();
  ASSERT_EQ(game.getRecording().record("session.rec", 1, 33, 80, 24), 0);
  ASSERT_EQ(paths.findPath(p_o, Vector(70, 20)), 0);
  paths.cycle(), game.getRecording().stop(0);
  ASSERT_NE(p_o->getPathFind(), nullptr);
  EXPECT_EQ(p_o->getPathFind()->getPly(), 1598); // and a ply each for the two short searches
}

TEST_F(PathManagerTest, FindPathRefusesWhatItCannotSearchAndReplacesAnEarlierSearch) {
  const float inf = INFINITY;
  auto* p_o = new Seeker("Seeker", Vector(10, 10));
  EXPECT_EQ(paths.findPath(nullptr, Vector(5, 5)), -1);
  for (const Vector& goal : {Vector(80, 5), Vector(5, 24), Vector(-1, 0), Vector(0, -0.6f),
                             Vector(79.5f, 0), Vector(NAN, 3), Vector(3, inf), Vector(-inf, 3)}) {
    EXPECT_EQ(paths.findPath(p_o, goal), -1) << goal.getX() << "," << goal.getY();
  }
  for (const Vector& start : {Vector(-3, 5), Vector(100, 5), Vector(5, 23.5f), Vector(NAN, 0)}) {
    p_o->setPosition(start);
    EXPECT_EQ(paths.findPath(p_o, Vector(5, 5)), -1) << start.getX() << "," << start.getY();
  }
  EXPECT_EQ(paths.getFinderCount(), 0);
  p_o->setPosition(Vector(-0.4f, 23.4f)); // the last cells inside, reached by rounding
  EXPECT_EQ(paths.findPath(p_o, Vector(79.4f, 0)), 0);
  world.setBoundary(Box(Vector(0, 0), 1e9f, 1e9f)); // too large a grid to hold
  EXPECT_EQ(paths.findPath(p_o, Vector(5, 5)), -1);
  world.setBoundary(Box(Vector(0, 0), 80, 24));
  p_o->setPosition(Vector(4.6f, 2.4f)); // from the object's cell, replacing the search
  ASSERT_EQ(paths.findPath(p_o, Vector(7, 2)) * 10 + paths.getFinderCount(), 1);
  paths.cycle();
  EXPECT_EQ(got, "Seeker:2@3 ");
  EXPECT_EQ(p_o->getPath().nodes, (std::vector<Vector>{Vector(5, 2), Vector(6, 2), Vector(7, 2)}));
  paths.shutDown();
  EXPECT_EQ(paths.findPath(p_o, Vector(5, 5)), -1);
  const auto lines = twtest::stopLog();
  EXPECT_EQ(countContaining(lines, "outside the world."), 12);
  EXPECT_TRUE(
      twtest::inOrder(lines, {"PathManager::findPath(): no object to find a path for.",
                              "PathManager::findPath(): unable to make a path finder for Object",
                              "PathManager not started!"}));
}

TEST_F(PathManagerTest, DeletedObjectsAndRestartedSearchesKeepThePassInOrder) {
  enclose();
  std::vector<Seeker*> s; // B, A, C, D at x = 0, y = 0, 5, 10, 15, and one deleted while searching
  for (const char* name : {"B", "A", "C", "D", "Gone"}) {
    s.push_back(new Seeker(name, Vector(0, 5.0f * s.size())));
  }
  ASSERT_EQ(paths.findPath(s[4], Vector(70, 20)) + paths.findPath(s[0], Vector(70, 20)), 0);
  auto restart = [&] { // the others end on their first ply
    for (int i = 1; i < 4; i++) {
      ASSERT_EQ(paths.findPath(s[i], Vector(0, 5.0f * i)), 0);
    }
  };
  restart();
  SteppingClock clock(1000);
  game.setClock(&clock), paths.cycle();
  EXPECT_GT(s[4]->getPathFind()->getPly(), 0);
  ASSERT_EQ(world.markForDelete(s[4]), 0);
  world.update();
  EXPECT_EQ(paths.getFinderCount(), 1);
  // When A is done, B is sent somewhere near: its old search leaves the front of the queue.
  restart(), got.clear();
  s[1]->on_path = [&] { ASSERT_EQ(paths.findPath(s[0], Vector(2, 0)), 0); };
  game.setClock(&still_clock), paths.cycle();
  EXPECT_EQ(got + std::to_string(paths.getFinderCount()), "A:2@1 C:2@1 D:2@1 B:2@3 0");
  EXPECT_EQ(s[0]->getPath().nodes.back(), Vector(2, 0));
}

// Objects go round the lower end of a wall at x = 40 to their goals. SOFT: the world would let
// them through the wall, only their paths keep them off it.
TEST_F(PathManagerTest, ObjectsWalkRoundAWallToTheirGoals) {
  SteppingClock clock(100); // a search spreads over a few frames
  game.setClock(&clock);
  std::vector<tw::Object*> walls;
  for (int y = 0; y <= 20; y++) {
    walls.push_back(block(40, y));
  }
  const float walks[][5] = {{10, 5, 70, 5, 0.5f}, {5, 12, 75, 12, 1}, {38, 18, 42, 18, 0.25f}};
  for (const auto& w : walks) {
    auto* p_o = new Seeker("Walker", Vector(w[0], w[1]));
    p_o->setSolidness(tw::SOFT), p_o->setSpeed(w[4]), got.clear();
    ASSERT_EQ(paths.findPath(p_o, Vector(w[2], w[3])), 0);
    int frame = 0;
    for (; frame < 2000 && (p_o->getPathFind() || p_o->isFollowingPath()); frame++) {
      paths.cycle(), world.update();
      for (const tw::Object* p_wall : walls) {
        ASSERT_FALSE(tw::boxIntersectsBox(tw::getWorldBox(p_o), tw::getWorldBox(p_wall)))
            << "frame " << frame << " at " << p_o->getPosition().getX() << ","
            << p_o->getPosition().getY();
      }
    }
    EXPECT_EQ(got.substr(0, 9) + (frame < 2000 ? "" : " stuck"), "Walker:2@");
    EXPECT_TRUE(tw::boxContainsPosition(tw::getWorldBox(p_o), Vector(w[2], w[3])));
    const auto& nodes = p_o->getPath().nodes;
    EXPECT_TRUE(std::any_of(nodes.begin(), nodes.end(), [](const Vector& node) {
      return node.getX() == 40 && node.getY() >= 21; // below the wall
    }));
  }
}

} // namespace
