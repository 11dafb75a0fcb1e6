#include "TestSupport.h"

using namespace twtest;
using SceneGraphTest = WorldTest;

/// The lists p_o is in: "active", "solid", "visible<altitude>", "inactive".
static std::string listsOf(const tw::Object* p_o) {
  const tw::SceneGraph& g = tw::WorldManager::getInstance().getSceneGraph();
  std::string in = g.activeObjects().contains(p_o) ? "active " : "";
  in += g.solidObjects().contains(p_o) ? "solid " : "";
  for (int a = 0; a <= 4; a++)
    in += g.visibleObjects(a).contains(p_o) ? "visible" + std::to_string(a) + " " : "";
  return in + (g.inactiveObjects().contains(p_o) ? "inactive " : "");
}

TEST_F(SceneGraphTest, MembershipFollowsEveryChangeAndErrorsAreLogged) {
  auto* p_o = new tw::Object;
  const std::pair<std::function<int()>, const char*> steps[] = {
      {[] { return 0; }, "active solid visible2 "},
      {[&] { return p_o->setSolidness(tw::SPECTRAL); }, "active visible2 "},
      {[&] { return p_o->setSolidness(tw::SOFT); }, "active solid visible2 "},
      {[&] { return p_o->setSolidness(tw::HARD); }, "active solid visible2 "},
      {[&] { return p_o->setAltitude(4); }, "active solid visible4 "},
      {[&] { return p_o->setVisible(false); }, "active solid "},
      {[&] { return p_o->setAltitude(1); }, "active solid "},
      {[&] { return p_o->setVisible(true) + p_o->setVisible(true); }, "active solid visible1 "},
      {[&] { return p_o->setActive(false); }, "inactive "},
      {[&] { return p_o->setSolidness(tw::SPECTRAL) + p_o->setAltitude(3); }, "inactive "},
      {[&] { return p_o->setActive(true) + p_o->setActive(true); }, "active visible3 "},
      {[&] { return p_o->setVisible(false) + p_o->setActive(false); }, "inactive "},
      {[&] { return p_o->setSolidness(tw::SOFT) + p_o->setActive(true); }, "active solid "},
  };
  for (const auto& [step, lists] : steps) {
    EXPECT_EQ(step(), 0) << lists;
    EXPECT_EQ(listsOf(p_o), lists);
  }
  world.markForDelete(p_o), world.update();
  EXPECT_EQ(listsOf(p_o), "");
  auto *p_a = new tw::Object, *p_b = new tw::Object, *p_c = new tw::Object;
  p_a->setAltitude(2); // the same altitude moves it to the end of its layer, drawn last
  const tw::ObjectList layer = world.getSceneGraph().visibleObjects(2);
  EXPECT_EQ((std::vector{layer.at(0), layer.at(1), layer.at(2), layer.at(3)}),
            (std::vector<tw::Object*>{p_b, p_c, p_a, nullptr}));
  EXPECT_FALSE(contains(linesOf("tarnwick.log"), "SceneGraph")); // the changes all fit
  tw::SceneGraph g;
  EXPECT_TRUE(g.visibleObjects(5).isEmpty() && g.visibleObjects(-1).isEmpty());
  world.shutDown();
  auto* p_outside = new tw::Object;
  EXPECT_EQ((std::vector{g.removeObject(p_outside), g.insertObject(p_outside),
                         g.updateAltitude(p_outside, 7), g.removeObject(p_outside)}),
            (std::vector{-1, 0, -1, 0})); // in order, as a braced list is evaluated
  EXPECT_TRUE(inOrder(stopLog(),
                      {"SceneGraph::visibleObjects(): Altitude 5 not in [0,4]!",
                       "SceneGraph::removeObject(): error removing object!  Pointer is ",
                       "SceneGraph::updateAltitude(): New altitude 7 not in [0,4]!  No update."}));
}
