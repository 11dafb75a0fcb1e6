#include "LogManager.h"
#include "Object.h"
#include "PathFind.h"
#include "WorldManager.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <initializer_list>
#include <memory>
#include <string>
#include <utility>
#include <vector>

using tw::Box;
using tw::PathFind;
using tw::Vector;
using twtest::contains;
using twtest::countContaining;

namespace {

// Every log line starts with "hh:mm:ss" and the frame number in four columns.
constexpr size_t PREFIX = 14;

std::string body(const std::string& line) {
  return line.size() > PREFIX ? line.substr(PREFIX) : "";
}

/// The lines of the log from the first one that contains from.
std::vector<std::string> bodiesFrom(const std::vector<std::string>& lines,
                                    const std::string& from) {
  std::vector<std::string> out;
  bool on = false;
  for (const std::string& line : lines) {
    on = on || line.find(from) != std::string::npos;
    if (on) {
      out.push_back(body(line));
    }
  }
  return out;
}

std::vector<Vector> cells(std::initializer_list<std::pair<int, int>> list) {
  std::vector<Vector> out;
  for (const auto& c : list) {
    out.emplace_back(static_cast<float>(c.first), static_cast<float>(c.second));
  }
  return out;
}

class PathFindTest : public twtest::TempDirTest {
protected:
  void SetUp() override {
    TempDirTest::SetUp();
    twtest::startLog();
    world().startUp();
    world().setBoundary(Box(Vector(0, 0), 80, 24));
    p_mover = new tw::Object;
    p_mover->setType("Mover");
  }
  void TearDown() override {
    world().shutDown();
    if (tw::LogManager::getInstance().isStarted()) {
      twtest::stopLog();
    }
    TempDirTest::TearDown();
  }

  static tw::WorldManager& world() { return tw::WorldManager::getInstance(); }

  tw::Object* block(int x, int y, tw::Solidness solidness = tw::HARD) {
    auto* p_o = new tw::Object;
    p_o->setType("Wall");
    p_o->setPosition(Vector(static_cast<float>(x), static_cast<float>(y)));
    p_o->setSolidness(solidness);
    return p_o;
  }

  /// Runs the search to its end; the statuses of every ply.
  static std::vector<int> runToEnd(PathFind& finder, int limit = 100000) {
    std::vector<int> statuses;
    int status = tw::INCOMPLETE;
    while (status == tw::INCOMPLETE && static_cast<int>(statuses.size()) < limit) {
      status = finder.cycleOnce();
      statuses.push_back(status);
    }
    return statuses;
  }

  tw::Object* p_mover = nullptr;
};

TEST_F(PathFindTest, StartEqualToEndIsFoundOnTheFirstPly) {
  PathFind finder(p_mover, 5, 7, 5, 7);
  EXPECT_EQ(finder.cycleOnce(), tw::FOUND);
  const tw::Path path = finder.getPath();
  EXPECT_EQ(path.nodes, cells({{5, 7}}));
  EXPECT_EQ(path.index, 0);
  const auto lines = twtest::stopLog();
  EXPECT_FALSE(contains(lines, "Examining neighbor"));
  EXPECT_TRUE(contains(lines, "PathFind::cycleOnce(): done. FOUND."));
  EXPECT_TRUE(contains(lines, "PathFind::getPath(): (5,7) "));
}

TEST_F(PathFindTest, StraightLineTakesOnePlyPerCell) {
  PathFind finder(p_mover, 0, 0, 3, 0);
  EXPECT_EQ(runToEnd(finder),
            (std::vector<int>{tw::INCOMPLETE, tw::INCOMPLETE, tw::INCOMPLETE, tw::FOUND}));
  EXPECT_EQ(finder.getPath().nodes, cells({{0, 0}, {1, 0}, {2, 0}, {3, 0}}));
  const auto lines = twtest::stopLog();
  EXPECT_TRUE(contains(lines, "PathFind::getPath(): (0,0) (1,0) (2,0) (3,0) "));

  // The first two plies line by line: neighbours outside the world are skipped silently,
  // the open set is scanned from its end, and only a strictly better path is recorded.
  const std::vector<std::string> expected = {
      "-------------------------------",
      "PathFind::cycleOnce(): ply 1",
      "\tFinding lowest cost in open set",
      "\tLowest (0,0), cost inf",
      "\tOpen set: ",
      "\tClosed set: (0,0) ",
      "\tExamining neighbor (1, 0)",
      "\t\tin_open new",
      "\t\tbetter path from (0, 0) (from_start 1.00, to_end 3.00)",
      "\tExamining neighbor (0, 1)",
      "\t\tin_open new",
      "\t\tbetter path from (0, 0) (from_start 1.00, to_end 4.16)",
      "\tExamining neighbor (1, 1)",
      "\t\tin_open new",
      "\t\tbetter path from (0, 0) (from_start 1.41, to_end 3.65)",
      "PathFind::cycleOnce(): done. INCOMPLETE.",
      "-------------------------------",
      "PathFind::cycleOnce(): ply 2",
      "\tFinding lowest cost in open set",
      "\tNode (1,1), cost 3.65 to min inf",
      "\tNode (0,1), cost 4.16 to min 3.65",
      "\tNode (1,0), cost 3.00 to min 3.65",
      "\tLowest (1,0), cost 3.00",
      "\tOpen set: (0,1) (1,1) ",
      "\tClosed set: (0,0) (1,0) ",
      "\tExamining neighbor (0, 0)",
      "\t\tin_closed already",
      "\tExamining neighbor (2, 0)",
      "\t\tin_open new",
      "\t\tbetter path from (1, 0) (from_start 2.00, to_end 3.00)",
      "\tExamining neighbor (0, 1)",
      "\t\tin_open already",
      "\tExamining neighbor (1, 1)",
      "\t\tin_open already",
      "\tExamining neighbor (2, 1)",
      "\t\tin_open new",
      "\t\tbetter path from (1, 0) (from_start 2.41, to_end 3.83)",
      "PathFind::cycleOnce(): done. INCOMPLETE.",
  };
  auto got = bodiesFrom(lines, "PathFind::cycleOnce(): ply 1");
  ASSERT_GE(got.size(), expected.size() + 1);
  got.insert(got.begin(), "-------------------------------");
  got.resize(expected.size());
  EXPECT_EQ(got, expected);
}

TEST_F(PathFindTest, DiagonalIsPreferred) {
  PathFind finder(p_mover, 0, 0, 2, 2);
  EXPECT_EQ(runToEnd(finder).back(), tw::FOUND);
  EXPECT_EQ(finder.getPath().nodes, cells({{0, 0}, {1, 1}, {2, 2}}));
}

TEST_F(PathFindTest, EqualCostsGoToTheCellAddedLast) {
  // (6,5) and (6,6) cost the same; (6,6) was added after it and is expanded first.
  PathFind finder(p_mover, 5, 5, 7, 6);
  EXPECT_EQ(runToEnd(finder).size(), 3u);
  EXPECT_EQ(finder.getPath().nodes, cells({{5, 5}, {6, 6}, {7, 6}}));
  const auto lines = twtest::stopLog();
  EXPECT_TRUE(contains(lines, "\tLowest (6,6), cost 2.41"));
}

TEST_F(PathFindTest, EquallyShortWayFoundLaterTakesOverTheParent) {
  // (3,2) is first reached from (2,2); reaching it as cheaply from (2,1) moves its parent.
  PathFind finder(p_mover, 1, 1, 5, 3);
  EXPECT_EQ(runToEnd(finder).back(), tw::FOUND);
  EXPECT_EQ(finder.getPath().nodes, cells({{1, 1}, {2, 1}, {3, 2}, {4, 3}, {5, 3}}));
}

TEST_F(PathFindTest, HardObjectsBlockAndSoftOrSpectralOnesDoNot) {
  tw::Object* p_block = block(1, 0);
  {
    PathFind finder(p_mover, 0, 0, 2, 0);
    EXPECT_EQ(runToEnd(finder).back(), tw::FOUND);
    const auto nodes = finder.getPath().nodes;
    ASSERT_GE(nodes.size(), 3u);
    EXPECT_EQ(nodes.front(), Vector(0, 0));
    EXPECT_EQ(nodes.back(), Vector(2, 0));
    for (size_t i = 0; i < nodes.size(); i++) {
      EXPECT_NE(nodes[i], Vector(1, 0));
      if (i > 0) {
        EXPECT_LE(std::fabs(nodes[i].getX() - nodes[i - 1].getX()), 1.0f);
        EXPECT_LE(std::fabs(nodes[i].getY() - nodes[i - 1].getY()), 1.0f);
      }
    }
  }
  for (const tw::Solidness solidness : {tw::SOFT, tw::SPECTRAL}) {
    ASSERT_EQ(p_block->setSolidness(solidness), 0);
    PathFind finder(p_mover, 0, 0, 2, 0);
    EXPECT_EQ(runToEnd(finder).back(), tw::FOUND);
    EXPECT_EQ(finder.getPath().nodes, cells({{0, 0}, {1, 0}, {2, 0}})) << solidness;
  }
  const auto lines = twtest::stopLog();
  EXPECT_TRUE(contains(lines, "\t\tCollision (Wall)"));
}

TEST_F(PathFindTest, ObstacleTestUsesTheObjectsOwnBox) {
  // A mover three cells wide cannot stand next to the wall's cells either.
  p_mover->setBox(Box(Vector(-1.5f, -0.5f), 2.99f, 0.99f));
  for (int y = 0; y < 20; y++) {
    block(10, y);
  }
  PathFind finder(p_mover, 5, 5, 15, 5);
  EXPECT_EQ(runToEnd(finder).back(), tw::FOUND);
  for (const Vector& node : finder.getPath().nodes) {
    if (node.getY() < 20) {
      EXPECT_TRUE(node.getX() <= 8 || node.getX() >= 12) << node.getX() << "," << node.getY();
    }
  }
}

TEST_F(PathFindTest, DiagonalStepsDoNotSqueezePastHardCorners) {
  // Moving straight from (0,0) to (1,1) would brush the corner of the block at (1,0).
  block(1, 0);
  PathFind around(p_mover, 0, 0, 1, 1);
  EXPECT_EQ(runToEnd(around).back(), tw::FOUND);
  EXPECT_EQ(around.getPath().nodes, cells({{0, 0}, {0, 1}, {1, 1}}));

  // Two blocks touching at their corners close the way.
  block(0, 1);
  PathFind closed(p_mover, 0, 0, 1, 1);
  EXPECT_EQ(runToEnd(closed), (std::vector<int>{tw::NOT_FOUND}));
}

TEST_F(PathFindTest, EnclosedEndFloodsTheReachableCellsAndIsNotFound) {
  world().setBoundary(Box(Vector(0, 0), 20, 10));
  for (int dx = -1; dx <= 1; dx++) {
    for (int dy = -1; dy <= 1; dy++) {
      if (dx != 0 || dy != 0) {
        block(10 + dx, 5 + dy);
      }
    }
  }
  PathFind finder(p_mover, 0, 0, 10, 5);
  const std::vector<int> statuses = runToEnd(finder);
  EXPECT_EQ(statuses.back(), tw::NOT_FOUND);
  // Every cell but the ring and its centre is expanded exactly once.
  EXPECT_EQ(statuses.size(), 20u * 10u - 9u);
  EXPECT_EQ(finder.getPly(), 20 * 10 - 9);
  // The path of a failed search is never followed, but asking for it must still end.
  const tw::Path path = finder.getPath();
  EXPECT_EQ(path.nodes.front(), Vector(0, 0));
  const auto lines = twtest::stopLog();
  EXPECT_EQ(countContaining(lines, "PathFind::cycleOnce(): done. NOT_FOUND."), 1);
  EXPECT_FALSE(contains(lines, "Examining neighbor (10, 5)"));
}

TEST_F(PathFindTest, ChangingBoundaryNeverTakesTheSearchOffItsGrid) {
  const tw::LogManager& log = tw::LogManager::getInstance();
  world().setBoundary(Box(Vector(0, 0), 30, 10));
  auto grown = std::make_unique<PathFind>(p_mover, 0, 0, 29, 9);
  EXPECT_EQ(grown->getColumns(), 30);
  EXPECT_EQ(grown->getRows(), 10);
  world().setBoundary(Box(Vector(0, 0), 200, 100));
  log.writeLog("grown");
  EXPECT_EQ(runToEnd(*grown).back(), tw::FOUND);
  EXPECT_EQ(grown->getPath().nodes.back(), Vector(29, 9));
  grown.reset();

  world().setBoundary(Box(Vector(0, 0), 30, 10));
  auto shrunk = std::make_unique<PathFind>(p_mover, 0, 0, 29, 9);
  for (int i = 0; i < 3; i++) {
    shrunk->cycleOnce();
  }
  // The goal is now outside the world: the search ends without reaching it.
  world().setBoundary(Box(Vector(0, 0), 10, 5));
  log.writeLog("shrunk");
  EXPECT_EQ(runToEnd(*shrunk).back(), tw::NOT_FOUND);
  shrunk.reset();

  // Neighbours examined lie inside both the grid (30 x 10) and the world as it is.
  int columns = 30, rows = 10, examined = 0;
  for (const std::string& line : twtest::stopLog()) {
    if (body(line) == "shrunk") {
      columns = 10;
      rows = 5;
    }
    int x = -1, y = -1;
    const auto at = line.find("Examining neighbor (");
    if (at != std::string::npos &&
        std::sscanf(line.c_str() + at, "Examining neighbor (%d, %d)", &x, &y) == 2) {
      examined++;
      ASSERT_TRUE(x >= 0 && x < columns && y >= 0 && y < rows) << line;
    }
  }
  EXPECT_GT(examined, 0);
}

TEST_F(PathFindTest, WorldWithoutUsableSizeFindsNothing) {
  for (const Box& boundary : {Box(Vector(0, 0), 0, 0), Box(Vector(0, 0), -5, 10),
                              Box(Vector(0, 0), NAN, 10), Box(Vector(0, 0), 1e30f, 1e30f)}) {
    world().setBoundary(boundary);
    PathFind finder(p_mover, 0, 0, 3, 0);
    EXPECT_EQ(finder.getColumns() * finder.getRows(), 0);
    EXPECT_EQ(finder.cycleOnce(), tw::NOT_FOUND);
    EXPECT_EQ(finder.getPath().nodes.front(), Vector(0, 0));
  }
}

} // namespace
