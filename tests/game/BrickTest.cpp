#include "Ball.h"
#include "Brick.h"
#include "Explosion.h"
#include "Mode.h"

#include "GameFixture.h"
#include "ResourceManager.h"
#include "Sprite.h"
#include "WorldManager.h"

using namespace twtest;

namespace {

struct Kind {
  int kind, hit_points;
  const char* sprite;
  float drift; ///< per world update
};

class BrickTest : public GameTest {
protected:
  /// The ball (or another object) runs into the brick.
  static void hit(tw::Object* p_brick, tw::Object* p_by) {
    const tw::EventCollision c(p_brick->getPosition(), p_by, p_brick);
    EXPECT_EQ(p_brick->eventHandler(&c), 1);
  }
  tw::WorldManager& world = tw::WorldManager::getInstance();
  Mode& state = Mode::getInstance();
};

class BrickKinds : public BrickTest, public ::testing::WithParamInterface<Kind> {};

} // namespace

TEST_P(BrickKinds, LosesAHitPointPerBallAndRecolours) {
  const Kind& k = GetParam();
  auto* p_brick = new Brick(k.kind, tw::Vector(20, 5));
  auto* p_ball = new Ball(tw::Vector(0, 0));
  EXPECT_EQ(p_brick->getType(), "Brick");
  EXPECT_EQ(p_brick->getSolidness(), tw::HARD);
  EXPECT_EQ(p_brick->getSpriteName(), k.sprite);
  EXPECT_EQ(p_brick->getSpriteSlowdown(), 30);
  EXPECT_EQ(p_brick->getBox(), tw::Box(tw::Vector(0, 0), 4, 1));
  world.update();
  EXPECT_EQ(p_brick->getPosition(), tw::Vector(20 + k.drift, 5));
  hit(p_brick, new Brick(BRICK_DEFAULT, tw::Vector(40, 5))); // only the ball hurts
  EXPECT_EQ(p_brick->getHitPoints(), k.hit_points);
  const tw::Color colours[] = {tw::RED, tw::RED, tw::YELLOW};
  for (int left = k.hit_points - 1; left > 0; left--) {
    hit(p_brick, p_ball);
    EXPECT_EQ(p_brick->getHitPoints(), left);
    EXPECT_EQ(p_brick->getSprite()->getColor(), colours[left]) << left;
    EXPECT_EQ(count("Explosion"), 0);
  }
  hit(p_brick, p_ball);
  EXPECT_EQ(count("Explosion"), 1);
  world.update();
  EXPECT_EQ(count("Brick"), 1);
}

INSTANTIATE_TEST_SUITE_P(Kinds, BrickKinds,
                         ::testing::Values(Kind{BRICK_DEFAULT, 1, "brick-default", 0},
                                           Kind{BRICK_STRONG, 2, "brick-strong", 0},
                                           Kind{BRICK_SUPER, 3, "brick-super", 0},
                                           Kind{BRICK_MOVING, 1, "brick-moving", -0.25f}));

TEST_F(BrickTest, MovingBrickStopsShortOfAnother) {
  new Brick(BRICK_DEFAULT, tw::Vector(20, 5));
  auto* p_moving = new Brick(BRICK_MOVING, tw::Vector(26, 5));
  for (int i = 0; i < 10; i++) {
    world.update();
  }
  EXPECT_EQ(count("Brick"), 2);
  EXPECT_EQ(count("Explosion"), 0);
  EXPECT_FLOAT_EQ(p_moving->getPosition().getX(), 24.25f);
}

TEST_F(BrickTest, TimedModeBringsBackTheOldestBricksAcrossGames) {
  state.mode = TIMED;
  auto* p_ball = new Ball(tw::Vector(0, 0));
  std::vector<tw::Vector> places;
  for (int i = 0; i < 12; i++) {
    places.emplace_back(10.0f + 6 * (i % 10), 1.0f + 2 * (i / 10));
    auto* p_brick = new Brick(i == 0 ? BRICK_STRONG : BRICK_DEFAULT, places.back());
    for (int hits = p_brick->getHitPoints(); hits > 0; hits--) {
      hit(p_brick, p_ball);
    }
    world.update();
    EXPECT_EQ(count("Brick"), i < 10 ? 0 : i - 9) << i;
  }
  // The eleventh and twelfth brought back the first and second, of their own kinds.
  const auto bricks = ofType("Brick");
  EXPECT_EQ(bricks[0]->getPosition(), places[0]);
  EXPECT_EQ(static_cast<Brick*>(bricks[0])->getHitPoints(), 2);
  EXPECT_EQ(bricks[1]->getPosition(), places[1]);
  // The next game of the run goes on from where this one left off.
  hit(bricks[1], p_ball);
  world.update();
  EXPECT_EQ(ofType("Brick").back()->getPosition(), places[2]);
  // Outside timed mode nothing is recorded nor brought back.
  state.mode = REGULAR;
  hit(ofType("Brick").back(), p_ball);
  world.update();
  EXPECT_EQ(respawnCount(), 13);
  EXPECT_EQ(respawnNext(), 3);
  EXPECT_EQ(count("Brick"), 1);
}

TEST_F(BrickTest, RespawnRecordIsBounded) {
  state.mode = TIMED;
  auto* p_ball = new Ball(tw::Vector(0, 0));
  for (int i = 0; i < RESPAWN_CAPACITY + 20; i++) {
    hit(new Brick(BRICK_DEFAULT, tw::Vector(40, 20)), p_ball);
    world.markForDelete(world.objectsOfType("Brick")); // those brought back go at once
    world.update();
  }
  EXPECT_EQ(respawnCount(), RESPAWN_CAPACITY);
  EXPECT_LE(respawnNext(), RESPAWN_CAPACITY);
}

TEST_F(BrickTest, ExplosionsLiveOneStepPerFrameOfTheirSprite) {
  explodeAll(tw::ObjectList());
  EXPECT_EQ(count("Explosion"), 0);
  tw::ObjectList list;
  for (int i = 0; i < 3; i++) {
    list.add(new Brick(BRICK_DEFAULT, tw::Vector(10.0f + 6 * i, 3)));
  }
  mark();
  explodeAll(list);
  EXPECT_EQ(lookups(marked(), "sound"), "explode explode explode");
  const auto explosions = ofType("Explosion");
  ASSERT_EQ(explosions.size(), 3u);
  EXPECT_EQ(explosions[2]->getPosition(), tw::Vector(22, 3));
  EXPECT_EQ(explosions[0]->getSolidness(), tw::SPECTRAL);
  EXPECT_TRUE(explosions[0]->isCentered());
  const int frames = tw::ResourceManager::getInstance().getSprite("explosion")->getFrameCount();
  EXPECT_EQ(static_cast<Explosion*>(explosions[0])->getTimeToLive(), frames);
  for (int i = 0; i < frames; i++) {
    EXPECT_EQ(count("Explosion"), 3) << i;
    frame(); // the last step marks them; this frame's update deleted the bricks
    EXPECT_EQ(count("Brick"), 0);
  }
  frame();
  EXPECT_EQ(count("Explosion"), 0);
}
