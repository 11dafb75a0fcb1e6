#include "EventCollision.h"
#include "EventPath.h"
#include "PathFind.h"
#include "PathManager.h"
#include "Sprite.h"
#include "TestSupport.h"
#include "utility.h"

#include <cmath>
#include <cstdio>
#include <sstream>

using tw::Box;
using tw::Vector;

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
    return Object::eventHandler(p_event);
  }
  bool keep_finder = false;
};

/// A started path manager over an 80 x 24 world, with a 33 ms frame and a clock standing still
/// (a cycle runs every search to its end); what happens is written to out.
class PathManagerTest : public twtest::WorldTest {
protected:
  void SetUp() override {
    WorldTest::SetUp(), got.clear(), game.setFrameTime(33), game.setClock(&still_clock);
    ASSERT_EQ(paths.startUp(), 0);
    tw::LogManager::getInstance().setLogLevel(15);             // the searches' trace
    p_mover = new tw::Object, p_mover->setSolidness(tw::SOFT); // in no other search's way
  }
  void TearDown() override {
    world.shutDown(); // deletes the objects, and with them their searches
    EXPECT_EQ(paths.getFinderCount(), 0);
    paths.shutDown(), game.setClock(nullptr), WorldTest::TearDown();
  }
  static tw::Object* block(int x, int y, int solidness = tw::HARD) {
    return new twtest::WorldProbe("", Vector(x, y), solidness);
  }
  /// The log lines since the last call, without times and addresses: with detail 2 all, with 1
  /// without those inside a ply, with 0 without the path finders' lines.
  std::string logged(int detail = 2) {
    const auto lines = twtest::linesOf("tarnwick.log");
    std::vector<std::string> fresh;
    for (auto it = lines.begin() + std::min(seen, lines.size()); it != lines.end(); it++) {
      const bool inside = it->find('\t') != it->npos || it->find("---") != it->npos;
      if (detail == 2 || (detail == 1 && !inside) ||
          (!inside && it->find("PathFind::") == it->npos))
        fresh.push_back(*it);
    }
    seen = lines.size();
    return twtest::withoutAddresses(twtest::withoutTimes(fresh));
  }
  /// Runs a search to its end: the status of every ply (or their count and the last), the path.
  static std::string run(tw::PathFind& finder) {
    std::string out;
    for (int status = tw::INCOMPLETE; status == tw::INCOMPLETE && out.size() < 100000;)
      out += std::to_string(status = finder.cycleOnce());
    out = out.size() > 40 ? std::to_string(out.size()) + " plies, " + out.back() : out;
    return out + nodes(finder.getPath()) + "\n";
  }
  std::string search(int x0, int y0, int x1, int y1, bool end_passable = false,
                     tw::PathNeighbors neighbors = tw::NEIGHBORS_8) {
    tw::PathFind finder(p_mover, x0, y0, x1, y1);
    finder.setEndPassable(end_passable), finder.setNeighbors(neighbors);
    return run(finder);
  }
  static std::string nodes(const tw::Path& path) {
    std::string out = path.index == 0 ? "" : " index not 0";
    for (const Vector& node : path.nodes)
      out += " " + std::to_string(int(node.getX())) + "," + std::to_string(int(node.getY()));
    return out;
  }
  /// Shuts the cell (x, y) in with HARD objects, so a search for it floods the world.
  static void enclose(int x = 70, int y = 20) {
    for (int i = 0; i < 9; i += i == 3 ? 2 : 1)
      block(x - 1 + i % 3, y - 1 + i / 3);
  }

  tw::GameManager& game = tw::GameManager::getInstance();
  tw::PathManager& paths = tw::PathManager::getInstance();
  twtest::FakeClock still_clock;
  tw::Object* p_mover = nullptr; ///< what the searches move
  std::ostringstream out;
};

TEST_F(PathManagerTest, SearchesFindTheShortestPathAroundHardObjects) {
  // Straight, start at the end, the diagonal first, of equal costs the cell added last, and an
  // equal way found later.
  const int cases[][4] = {{0, 0, 3, 0}, {5, 7, 5, 7}, {0, 0, 2, 2}, {5, 5, 7, 6}, {1, 1, 5, 3}};
  for (const auto& c : cases)
    out << search(c[0], c[1], c[2], c[3]) << logged();
  // The grid keeps the size it was made with, whatever becomes of the boundary.
  world.setBoundary(Box(Vector(0, 0), 30, 10)), logged();
  tw::PathFind grown(p_mover, 0, 0, 29, 9), shrunk(p_mover, 0, 0, 29, 9);
  out << "grid " << grown.getColumns() << "x" << grown.getRows() << "\n";
  world.setBoundary(Box(Vector(0, 0), 200, 100)), out << run(grown);
  world.setBoundary(Box(Vector(0, 0), 30, 10)), shrunk.cycleOnce(), shrunk.cycleOnce();
  world.setBoundary(Box(Vector(0, 0), 10, 5)), out << run(shrunk); // the goal now outside
  const std::string log = logged();
  out << "outside " << (log.find("neighbor (30,") != log.npos || log.find(", 10)") != log.npos)
      << "\n";
  // An enclosed end: the search floods the reachable cells, and the path still ends.
  world.setBoundary(Box(Vector(0, 0), 20, 10)), enclose(10, 5);
  out << search(0, 0, 10, 5) << "enclosed examined "
      << (logged().find("neighbor (10, 5)") != std::string::npos) << "\n";
  world.setBoundary(Box(Vector(0, 0), 80, 24));
  block(1, 0); // round the block, not its corners; two touching at their corners close the way
  out << search(0, 0, 2, 0) << search(0, 0, 1, 1) << logged();
  block(0, 1), out << search(0, 0, 1, 1) << logged();
  block(21, 0, tw::SOFT), block(21, 1, tw::SPECTRAL); // do not block
  out << search(20, 0, 22, 0) << search(20, 0, 21, 1);
  for (int y = 0; y < 20; y++) // a mover three cells wide keeps off the wall's neighbours
    block(10, y);
  p_mover->setBox(Box(Vector(-1.5f, -0.5f), 2.99f, 0.99f));
  out << search(5, 5, 15, 5), p_mover->setBox(Box(Vector(-0.5f, -0.5f), 0.99f, 0.99f));
  for (const Box& boundary : {Box(Vector(0, 0), 0, 0), Box(Vector(0, 0), -5, 10),
                              Box(Vector(0, 0), NAN, 10), Box(Vector(0, 0), 1e30f, 1e30f)}) {
    world.setBoundary(boundary), out << search(0, 0, 3, 0); // no usable size: nothing found
  }
  EXPECT_TRUE(twtest::matchesFile("golden/PathManagerTest.Searches.txt", out.str()));
}

TEST_F(PathManagerTest, CyclesRunEverySearchAPlyAPassWithinTheBudget) {
  out << "budget " << paths.getMaxCycleTime() << ", again " << paths.startUp() << "\n";
  auto *p_short = new Seeker("Short", Vector(0, 0)), *p_long = new Seeker("Long", Vector(0, 5));
  tw::PathFind stranger(p_short, 0, 0, 1, 1);
  out << paths.unregisterPathFind(nullptr) << paths.unregisterPathFind(&stranger) << "\n";
  // One ply a pass each: the short ends in the third pass, the long in the fifth.
  paths.findPath(p_short, Vector(2, 0)), paths.findPath(p_long, Vector(4, 5)), paths.cycle();
  out << got << paths.getFinderCount() << nodes(p_long->getPath()) << "\n" << logged(1);
  // Unregistering leaves the search with its object; shutting down keeps the searches.
  paths.findPath(p_short, Vector(5, 5)), paths.findPath(p_long, Vector(6, 6));
  out << paths.unregisterPathFind(p_short->getPathFind()) << paths.getFinderCount()
      << (p_short->getPathFind() != nullptr);
  paths.shutDown(), out << paths.getFinderCount() << paths.isStarted() << "\n";
  paths.startUp();
  // The budget ends the cycle: a lone search reads the clock twice a ply.
  SteppingClock clock(1000);                           // a millisecond per reading
  game.setClock(&clock), paths.cycle(), paths.cycle(); // nothing to do, then the long one
  enclose();
  auto *p_o = new Seeker("Seeker"), *p_stubborn = new Seeker("Stubborn", Vector(3, 3));
  got.clear(), paths.findPath(p_o, Vector(70, 20));
  tw::PathFind* p_finder = p_o->getPathFind();
  paths.cycle(), out << "plies " << p_finder->getPly();
  paths.cycle(), out << " " << p_finder->getPly() << "\n" << logged(0);
  game.setClock(&still_clock), paths.cycle(), logged(0);
  out << got << "following " << p_o->isFollowingPath() << "\n";
  clock.step = 20000; // the clock shows the budget spent at the first look
  game.setClock(&clock), paths.cycle();
  clock.step = 1000; // a search never released is run again until the budget ends
  p_stubborn->keep_finder = true;
  auto* p_next = new Seeker("Next", Vector(6, 6));
  paths.findPath(p_stubborn, Vector(3, 3)), paths.findPath(p_next, Vector(6, 6));
  got.clear(), paths.cycle(), out << got << "next " << p_next->getPathFind()->getPly() << "\n";
  p_stubborn->keep_finder = false;
  paths.shutDown(), game.setFrameTime(1), paths.startUp(), paths.cycle(); // no budget, one pass
  out << logged(0) << "next " << p_next->getPathFind()->getPly() << "\n";
  // A recorded session counts its budget in plies, which a replay repeats, whatever the time.
  paths.shutDown(), game.setFrameTime(33), paths.startUp();
  ASSERT_EQ(game.getRecording().record("session.rec", 1, 33, 80, 24), 0);
  paths.findPath(p_o, Vector(70, 20)), paths.cycle(), game.getRecording().stop(0);
  out << "recorded plies " << p_o->getPathFind()->getPly() << "\n";
  // Replayed unpaced, the searches keep the recorded budget.
  paths.shutDown(), game.setFrameTime(0), game.getRecording().replay("session.rec");
  out << "replayed budget " << (paths.startUp(), paths.getMaxCycleTime()) << "\n";
  EXPECT_TRUE(twtest::matchesFile("golden/PathManagerTest.Cycles.txt", out.str() + logged(0)));
}

TEST_F(PathManagerTest, FindPathRefusesWhatItCannotSearch) {
  const float inf = INFINITY;
  auto* p_o = new Seeker("Seeker", Vector(10, 10));
  out << paths.findPath(nullptr, Vector(5, 5));
  for (const Vector& goal : {Vector(80, 5), Vector(5, 24), Vector(-1, 0), Vector(0, -0.6f),
                             Vector(79.5f, 0), Vector(NAN, 3), Vector(3, inf), Vector(-inf, 3)}) {
    out << paths.findPath(p_o, goal);
  }
  for (const Vector& start : {Vector(-3, 5), Vector(100, 5), Vector(5, 23.5f), Vector(NAN, 0)})
    p_o->setPosition(start), out << paths.findPath(p_o, Vector(5, 5));
  p_o->setPosition(Vector(-0.4f, 23.4f)); // the last cells inside, reached by rounding
  out << " corners " << paths.findPath(p_o, Vector(79.4f, 0));
  world.setBoundary(Box(Vector(0, 0), 1e9f, 1e9f)); // too large a grid to hold
  out << " huge " << paths.findPath(p_o, Vector(5, 5)) << "\n";
  world.setBoundary(Box(Vector(0, 0), 80, 24));
  p_o->setPosition(Vector(4.6f, 2.4f)); // from the object's cell, replacing the search
  out << paths.findPath(p_o, Vector(7, 2)) << paths.getFinderCount() << "\n";
  paths.cycle(), out << got << nodes(p_o->getPath()) << "\n" << logged(0);
  // An object deleted while it searches takes its search with it.
  enclose();
  auto* p_gone = new Seeker("Gone", Vector(0, 20));
  SteppingClock clock(1000);
  paths.findPath(p_gone, Vector(70, 20)), game.setClock(&clock), paths.cycle();
  out << "gone plies " << p_gone->getPathFind()->getPly();
  world.markForDelete(p_gone), world.update(),
      out << ", finders " << paths.getFinderCount() << "\n";
  paths.shutDown(), out << paths.findPath(p_o, Vector(5, 5)) << "\n";
  EXPECT_TRUE(twtest::matchesFile("golden/PathManagerTest.FindPath.txt", out.str() + logged(0)));
}

TEST_F(PathManagerTest, AnEndCellMayBeEnteredWhateverStandsThereAndStepsMayKeepToSides) {
  const bool P = true;
  tw::LogManager::getInstance().setLogLevel(14);        // below the searches' trace
  block(3, 0), block(6, 6), block(6, 16), block(5, 16); // targets, and a wall by the last one
  const struct {
    int x0, y0, x1, y1;
    bool end_passable;
    tw::PathNeighbors neighbors;
    const char* outcome; // the last status and the path
  } cases[] = {
      {0, 0, 3, 0, !P, tw::NEIGHBORS_8, "0 0,0 3,0"}, // the whole world searched in vain
      {0, 0, 3, 0, P, tw::NEIGHBORS_8, "2 0,0 1,0 2,0 3,0"},
      {5, 5, 6, 6, P, tw::NEIGHBORS_8, "2 5,5 6,6"},          // past its own corner, onto it
      {5, 15, 6, 16, P, tw::NEIGHBORS_8, "2 5,15 6,15 6,16"}, // not past a wall's corner
      {0, 0, 2, 2, !P, tw::NEIGHBORS_4, "2 0,0 1,0 1,1 1,2 2,2"},
      {5, 5, 6, 6, P, tw::NEIGHBORS_4, "2 5,5 5,6 6,6"},
  };
  for (const auto& c : cases) {
    tw::PathFind finder(p_mover, c.x0, c.y0, c.x1, c.y1);
    finder.setEndPassable(c.end_passable), finder.setNeighbors(c.neighbors);
    int status = tw::INCOMPLETE;
    for (int plies = 0; status == tw::INCOMPLETE && plies < 5000; plies++)
      status = finder.cycleOnce();
    EXPECT_EQ(std::to_string(status) + nodes(finder.getPath()), c.outcome)
        << c.x0 << "," << c.y0 << " to " << c.x1 << "," << c.y1;
  }
  // Searches ending often keep the log small: their trace is written from level 15 on.
  logged();
  auto* p_o = new Seeker("Seeker", Vector(0, 5));
  paths.findPath(p_o, Vector(3, 0)), paths.cycle();
  const std::string log = logged();
  EXPECT_EQ(got, "Seeker:2@8 ");
  EXPECT_NE(log.find("PathFind::getPath(): (0,5) (1,4) (2,3) (2,2) (3,1) (3,0)"), log.npos);
  for (const char* trace : {"PathFind::cycleOnce", "Examining", "unregisterPathFind"})
    EXPECT_EQ(log.find(trace), log.npos) << trace << " in\n" << log;
}

TEST_F(PathManagerTest, FollowersArriveOnEveryNodeWhateverTheirSpeedBoxAndDirection) {
  tw::Sprite one_cell(1); // a one-cell sprite's box is a point
  one_cell.setWidth(1), one_cell.setHeight(1), one_cell.addFrame(tw::Frame(1, 1, "m"));
  tw::Path path;
  path.nodes = {Vector(10, 10), Vector(11, 11), Vector(11, 14), Vector(8, 14),
                Vector(7, 13),  Vector(10, 12), Vector(10, 10)};
  for (const float speed : {0.125f, 0.25f, 0.3f, 1.0f, 1.7f, 3.5f}) {
    for (const int box : {0, 1, 3}) { // the sprite's point, the default cell, three cells wide
      auto* p_o = new tw::Object;
      p_o->setSolidness(tw::SPECTRAL), p_o->setPosition(path.nodes[0]), p_o->setSpeed(speed);
      if (box == 0)
        p_o->setSprite(&one_cell);
      if (box == 3)
        p_o->setBox(Box(Vector(-1.5f, -0.5f), 2.99f, 0.99f));
      p_o->setPath(path);
      std::string reached; // every node the object stood on as it moved on from it
      for (int step = 0; step < 500 && p_o->isFollowingPath(); step++) {
        const int index = p_o->getPath().index;
        world.update();
        if (p_o->getPath().index != index)
          reached += p_o->getPosition() == path.nodes[index] ? std::to_string(index) : "x";
      }
      EXPECT_EQ(reached, "0123456") << "speed " << speed << ", box " << box;
      world.markForDelete(p_o), world.update();
    }
  }
}

/// Follows the paths it finds to the player, and tells what it bumped into.
struct Chaser : tw::Object {
  int eventHandler(const tw::Event* p_event) override {
    if (p_event->isType(tw::COLLISION_EVENT)) {
      const auto* p_c = static_cast<const tw::EventCollision*>(p_event);
      bumped += (p_c->getObject1() == this ? p_c->getObject2() : p_c->getObject1())->getType();
      return 1;
    }
    return Object::eventHandler(p_event);
  }
  std::string bumped;
};

TEST_F(PathManagerTest, AOneCellChaserFindsAndCatchesAHardPlayerThroughAMaze) {
  const char* const maze[] = {"###########", //
                              "#C   #    #", //
                              "# ## # ## #", //
                              "#  #   #P #", //
                              "## ##### ##", //
                              "#         #", //
                              "###########"};
  tw::Sprite one_cell(1); // both HARD, with a one-cell sprite's box: a point
  one_cell.setWidth(1), one_cell.setHeight(1), one_cell.addFrame(tw::Frame(1, 1, "@"));
  tw::Object* p_player = new tw::Object;
  Chaser* p_chaser = new Chaser;
  for (int y = 0; y < 7; y++) {
    for (int x = 0; maze[y][x] != '\0'; x++) {
      if (maze[y][x] == '#')
        block(x, y)->setType("Wall");
      if (maze[y][x] != '#' && maze[y][x] != ' ')
        (maze[y][x] == 'P' ? p_player : static_cast<tw::Object*>(p_chaser))
            ->setPosition(Vector(x, y));
    }
  }
  p_player->setType("Player"), p_player->setSprite(&one_cell);
  p_chaser->setSprite(&one_cell), p_chaser->setSpeed(0.25f);
  ASSERT_EQ(paths.findPath(p_chaser, p_player->getPosition()), 0);
  int steps = 0;
  for (; steps < 1000 && p_chaser->bumped.empty(); steps++)
    paths.cycle(), world.update();
  EXPECT_EQ(p_chaser->bumped, "Player");
  EXPECT_LE((p_chaser->getPosition() - p_player->getPosition()).getMagnitude(), 1.0f);
  // A step of a quarter cell: four steps a side, six a diagonal, and the turn at the end.
  const tw::Path path = p_chaser->getPath();
  int most = 1;
  for (std::size_t i = 1; i < path.nodes.size(); i++)
    most += path.nodes[i].getX() != path.nodes[i - 1].getX() &&
                    path.nodes[i].getY() != path.nodes[i - 1].getY()
                ? 6
                : 4;
  EXPECT_LE(steps, most) << nodes(path);
  EXPECT_EQ(nodes(path), " index not 0 1,1 1,2 1,3 2,4 3,5 4,5 5,5 6,5 7,5 8,4 8,3"); // on him
}

} // namespace
