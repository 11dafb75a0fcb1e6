#include "PathFind.h"
#include "TestSupport.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

using tw::Box;
using tw::Vector;
using twtest::contains;

namespace {

/// An 80 x 24 world with an object to move.
class PathFindTest : public twtest::WorldTest {
protected:
  void SetUp() override { WorldTest::SetUp(), p_mover = new tw::Object; }
  static void block(int x, int y, int solidness = tw::HARD) {
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
  tw::Object* p_mover = nullptr;
};

TEST_F(PathFindTest, SearchesFindTheShortestPathPlyByPly) {
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

TEST_F(PathFindTest, HardObjectsBlockAndSoftOrSpectralOnesDoNot) {
  block(1, 0);
  EXPECT_EQ(search(0, 0, 2, 0), "11112 0,0 0,1 1,1 2,1 2,0"); // round the block, not its corners
  EXPECT_EQ(search(0, 0, 1, 1), "112 0,0 0,1 1,1");
  block(0, 1); // two blocks touching at their corners close the way
  EXPECT_EQ(search(0, 0, 1, 1).substr(0, 5), "0 0,0");
  EXPECT_TRUE(contains(logLines(), "\t\tCollision (Probe)"));
  block(21, 0, tw::SOFT);
  block(21, 1, tw::SPECTRAL);
  EXPECT_EQ(search(20, 0, 22, 0) + search(20, 0, 21, 1), "112 20,0 21,0 22,012 20,0 21,1");
  for (int y = 0; y < 20; y++) { // a mover three cells wide keeps off the wall's neighbours
    block(10, y);
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

TEST_F(PathFindTest, EnclosedEndFloodsTheReachableCellsAndIsNotFound) {
  world.setBoundary(Box(Vector(0, 0), 20, 10));
  for (int i = 0; i < 9; i += i == 3 ? 2 : 1) {
    block(9 + i % 3, 4 + i / 3);
  }
  // Every cell but the ring and its centre is expanded once; the path still ends.
  EXPECT_EQ(search(0, 0, 10, 5).substr(0, 16), "191 plies, 0 0,0");
  const std::vector<std::string> lines = twtest::stopLog();
  EXPECT_EQ(twtest::countContaining(lines, "PathFind::cycleOnce(): done. NOT_FOUND."), 1);
  EXPECT_FALSE(contains(lines, "Examining neighbor (10, 5)"));
}

TEST_F(PathFindTest, ChangingBoundaryNeverTakesTheSearchOffItsGrid) {
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

} // namespace
