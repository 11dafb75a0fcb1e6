#include "LogManager.h"
#include "Object.h"
#include "SceneGraph.h"
#include "WorldManager.h"

#include "TestSupport.h"

using namespace twtest;

namespace {

class SceneGraphTest : public TempDirTest {
protected:
  void SetUp() override {
    TempDirTest::SetUp();
    startLog();
    world.startUp();
  }
  void TearDown() override {
    world.shutDown();
    if (tw::LogManager::getInstance().isStarted()) {
      stopLog();
    }
    TempDirTest::TearDown();
  }

  /// The lists o is in: "active", "solid", "visible<altitude>", "inactive".
  std::vector<std::string> listsOf(const tw::Object* p_o) const {
    const tw::SceneGraph& g = world.getSceneGraph();
    std::vector<std::string> in;
    if (g.activeObjects().contains(p_o)) {
      in.push_back("active");
    }
    if (g.solidObjects().contains(p_o)) {
      in.push_back("solid");
    }
    for (int a = 0; a <= 4; a++) {
      if (g.visibleObjects(a).contains(p_o)) {
        in.push_back("visible" + std::to_string(a));
      }
    }
    if (g.inactiveObjects().contains(p_o)) {
      in.push_back("inactive");
    }
    return in;
  }

  tw::WorldManager& world = tw::WorldManager::getInstance();
};

using Lists = std::vector<std::string>;

} // namespace

TEST_F(SceneGraphTest, NewObjectIsActiveSolidAndVisibleAtTwo) {
  auto* p_o = new tw::Object;
  EXPECT_EQ(listsOf(p_o), (Lists{"active", "solid", "visible2"}));
}

TEST_F(SceneGraphTest, MembershipFollowsEveryChange) {
  auto* p_o = new tw::Object;
  ASSERT_EQ(p_o->setSolidness(tw::SPECTRAL), 0);
  EXPECT_EQ(listsOf(p_o), (Lists{"active", "visible2"}));
  ASSERT_EQ(p_o->setSolidness(tw::SOFT), 0);
  EXPECT_EQ(listsOf(p_o), (Lists{"active", "solid", "visible2"}));
  ASSERT_EQ(p_o->setSolidness(tw::HARD), 0);
  EXPECT_EQ(listsOf(p_o), (Lists{"active", "solid", "visible2"}));
  ASSERT_EQ(p_o->setAltitude(4), 0);
  EXPECT_EQ(listsOf(p_o), (Lists{"active", "solid", "visible4"}));
  ASSERT_EQ(p_o->setVisible(false), 0);
  EXPECT_EQ(listsOf(p_o), (Lists{"active", "solid"}));
  // An invisible object changes altitude without entering a visible list...
  ASSERT_EQ(p_o->setAltitude(1), 0);
  EXPECT_EQ(listsOf(p_o), (Lists{"active", "solid"}));
  // ...and becoming visible puts it in the list of its current altitude.
  ASSERT_EQ(p_o->setVisible(true), 0);
  EXPECT_EQ(listsOf(p_o), (Lists{"active", "solid", "visible1"}));
  ASSERT_EQ(p_o->setActive(false), 0);
  EXPECT_EQ(listsOf(p_o), (Lists{"inactive"}));
  // Changes while inactive are remembered and applied on reactivation.
  ASSERT_EQ(p_o->setSolidness(tw::SPECTRAL), 0);
  ASSERT_EQ(p_o->setAltitude(3), 0);
  EXPECT_EQ(listsOf(p_o), (Lists{"inactive"}));
  ASSERT_EQ(p_o->setActive(true), 0);
  EXPECT_EQ(listsOf(p_o), (Lists{"active", "visible3"}));
  ASSERT_EQ(p_o->setActive(true), 0);
  EXPECT_EQ(listsOf(p_o), (Lists{"active", "visible3"}));
  world.markForDelete(p_o);
  world.update();
  EXPECT_TRUE(world.getAllObjects(true).isEmpty());
  EXPECT_FALSE(contains(stopLog(), "SceneGraph"));
}

TEST_F(SceneGraphTest, SameAltitudeMovesToTheEndOfItsLayer) {
  auto* p_a = new tw::Object;
  auto* p_b = new tw::Object;
  auto* p_c = new tw::Object;
  ASSERT_EQ(p_a->setAltitude(2), 0);
  const tw::ObjectList layer = world.getSceneGraph().visibleObjects(2);
  ASSERT_EQ(layer.getCount(), 3);
  EXPECT_EQ(layer.at(0), p_b);
  EXPECT_EQ(layer.at(1), p_c);
  EXPECT_EQ(layer.at(2), p_a);
}

TEST_F(SceneGraphTest, RangeAndRemovalErrors) {
  tw::SceneGraph g;
  EXPECT_TRUE(g.visibleObjects(5).isEmpty());
  world.shutDown();
  auto* p_outside = new tw::Object;
  EXPECT_EQ(g.removeObject(p_outside), -1);
  EXPECT_EQ(g.insertObject(p_outside), 0);
  EXPECT_EQ(g.updateAltitude(p_outside, 7), -1);
  EXPECT_EQ(g.removeObject(p_outside), 0);
  const auto lines = stopLog();
  EXPECT_TRUE(contains(lines, "SceneGraph::visibleObjects(): Altitude 5 not in [0,4]!"));
  EXPECT_TRUE(contains(lines, "SceneGraph::removeObject(): error removing object!  Pointer is "));
  EXPECT_TRUE(contains(lines, "SceneGraph::updateAltitude(): New altitude 7 not in [0,4]!  No "
                              "update."));
}
