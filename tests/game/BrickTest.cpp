#include "Ball.h"
#include "Brick.h"
#include "Mode.h"
#include "shared.h"

#include "ResourceManager.h"
#include "Sprite.h"
#include "TestSupport.h"

using tw::Vector;

namespace {

/// A game world without a window, the real sprites and sounds loaded; the test drives it.
class Bricks : public twtest::TempDirTest {
protected:
  void SetUp() override {
    TempDirTest::SetUp();
    twtest::copyIn({"sprites", "sounds"});
    twtest::startLog();
    ASSERT_EQ(tw::ResourceManager::getInstance().startUp() + world.startUp(), 0);
    world.setBoundary(tw::Box(Vector(0, 0), 80, 40)), loadResources();
  }
  void TearDown() override {
    world.shutDown(), tw::ResourceManager::getInstance().shutDown();
    tw::LogManager::getInstance().shutDown(), TempDirTest::TearDown();
  }
  int count(const std::string& type) const { return world.objectsOfType(type).getCount(); }
  /// The ball (or another object) runs into the brick.
  static void hit(tw::Object* p_brick, tw::Object* p_by) {
    const tw::EventCollision c(p_brick->getPosition(), p_by, p_brick);
    EXPECT_EQ(p_brick->eventHandler(&c), 1);
  }
  tw::WorldManager& world = tw::WorldManager::getInstance();
};

// The game's arenas hold default bricks only; the other kinds come back as they were when a
// timed game brings back the bricks it lost, so they are checked here.
TEST_F(Bricks, LoseAHitPointPerBallRecolourAndExplode) {
  const struct {
    int kind, hit_points;
    const char* sprite;
    float drift; ///< per update
  } kinds[] = {{BRICK_DEFAULT, 1, "brick-default", 0},
               {BRICK_STRONG, 2, "brick-strong", 0},
               {BRICK_SUPER, 3, "brick-super", 0},
               {BRICK_MOVING, 1, "brick-moving", -.25f}};
  auto* p_ball = new Ball(Vector(0, 0));
  auto* p_other = new Brick(BRICK_DEFAULT, Vector(60, 30));
  for (int i = 0; i < 4; i++) {
    SCOPED_TRACE(kinds[i].sprite);
    auto* p_brick = new Brick(kinds[i].kind, Vector(20, 5));
    EXPECT_EQ(p_brick->getSpriteName() + p_brick->getType(),
              kinds[i].sprite + std::string("Brick"));
    EXPECT_EQ(p_brick->getSolidness() * 100 + p_brick->getSpriteSlowdown(), tw::HARD * 100 + 30);
    EXPECT_EQ(p_brick->getBox(), tw::Box(Vector(0, 0), 4, 1));
    world.update();
    EXPECT_EQ(p_brick->getPosition(), Vector(20 + kinds[i].drift, 5));
    hit(p_brick, p_other); // only the ball hurts
    for (int left = kinds[i].hit_points - 1; left > 0; left--) {
      hit(p_brick, p_ball);
      EXPECT_EQ(p_brick->getSprite()->getColor(), left == 1 ? tw::RED : tw::YELLOW) << left;
    }
    EXPECT_EQ(p_brick->getHitPoints() * 10 + count("Explosion"), 10 + i);
    hit(p_brick, p_ball);
    world.update();
    EXPECT_EQ(count("Brick") * 10 + count("Explosion"), 11 + i);
  }
}

} // namespace
