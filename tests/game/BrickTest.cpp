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

class BrickTest : public GameTest {
protected:
  /// Lets the ball hit the brick through a real collision event.
  void hit(Brick* p_brick, tw::Object* p_by) {
    const tw::EventCollision c(p_brick->getPosition(), p_by, p_brick);
    p_brick->eventHandler(&c);
  }
  tw::WorldManager& world = tw::WorldManager::getInstance();
  Mode& state = Mode::getInstance();
};

} // namespace

TEST_F(BrickTest, KindsDecideHitPointsSpriteAndMovement) {
  auto* p_default = new Brick(BRICK_DEFAULT, tw::Vector(10, 1));
  auto* p_moving = new Brick(BRICK_MOVING, tw::Vector(30, 1));
  EXPECT_EQ(p_default->getHitPoints(), 1);
  EXPECT_EQ(p_default->getSpriteName(), "brick-default");
  EXPECT_EQ(p_default->getBox(), tw::Box(tw::Vector(0, 0), 4, 1));
  EXPECT_EQ(p_default->getSpriteSlowdown(), 30);
  EXPECT_EQ(p_moving->getSpriteName(), "brick-moving");
  world.update();
  EXPECT_EQ(p_moving->getPosition(), tw::Vector(29.75f, 1));
  EXPECT_EQ(p_default->getPosition(), tw::Vector(10, 1));
}

TEST_F(BrickTest, SuperBrickTakesThreeHitsAndRecolours) {
  auto* p_brick = new Brick(BRICK_SUPER, tw::Vector(20, 5));
  auto* p_ball = new Ball(tw::Vector(22, 7));
  tw::Sprite* p_sprite = tw::ResourceManager::getInstance().getSprite("brick-super");
  hit(p_brick, p_ball);
  EXPECT_EQ(p_brick->getHitPoints(), 2);
  EXPECT_EQ(p_sprite->getColor(), tw::YELLOW);
  hit(p_brick, p_ball);
  EXPECT_EQ(p_sprite->getColor(), tw::RED);
  EXPECT_EQ(count("Explosion"), 0);
  hit(p_brick, p_ball);
  EXPECT_EQ(count("Explosion"), 1);
  world.update();
  EXPECT_EQ(count("Brick"), 0);
}

TEST_F(BrickTest, OnlyTheBallHurts) {
  auto* p_brick = new Brick(BRICK_DEFAULT, tw::Vector(20, 5));
  auto* p_other = new Brick(BRICK_MOVING, tw::Vector(26, 5));
  hit(p_brick, p_other);
  EXPECT_EQ(p_brick->getHitPoints(), 1);
  // A moving brick drifting into another stops there without harm.
  for (int i = 0; i < 10; i++) {
    world.update();
  }
  EXPECT_EQ(count("Brick"), 2);
  EXPECT_EQ(count("Explosion"), 0);
  EXPECT_FLOAT_EQ(p_other->getPosition().getX(), 24.25f); // just short of the other's box
}

TEST_F(BrickTest, TimedModeBringsBackTheOldestBricksAcrossGames) {
  state.mode = TIMED;
  auto* p_ball = new Ball(tw::Vector(0, 0));
  std::vector<tw::Vector> places;
  for (int i = 0; i < 12; i++) {
    places.emplace_back(10.0f + 6 * (i % 10), 1.0f + 2 * (i / 10));
    hit(new Brick(BRICK_DEFAULT, places.back()), p_ball);
    world.update();
  }
  // The first ten stay away; the eleventh and twelfth brought back the first and second.
  const auto bricks = ofType("Brick");
  ASSERT_EQ(bricks.size(), 2u);
  EXPECT_EQ(bricks[0]->getPosition(), places[0]);
  EXPECT_EQ(bricks[1]->getPosition(), places[1]);
  EXPECT_EQ(respawnCount(), 12);
  EXPECT_EQ(respawnNext(), 2);
  // The next game of the run goes on from where this one left off.
  hit(static_cast<Brick*>(bricks[0]), p_ball);
  world.update();
  const auto later = ofType("Brick");
  ASSERT_EQ(later.size(), 2u);
  EXPECT_EQ(later[1]->getPosition(), places[2]);
  // Outside timed mode nothing is recorded.
  state.mode = REGULAR;
  hit(static_cast<Brick*>(later[1]), p_ball);
  EXPECT_EQ(respawnCount(), 13);
}

TEST_F(BrickTest, RespawnRecordIsBounded) {
  state.mode = TIMED;
  auto* p_ball = new Ball(tw::Vector(0, 0));
  for (int i = 0; i < RESPAWN_CAPACITY + 20; i++) {
    hit(new Brick(BRICK_DEFAULT, tw::Vector(40, 20)), p_ball);
    world.update();
    // Bricks brought back are destroyed again at once, so the record keeps filling.
    for (tw::Object* p_o : ofType("Brick")) {
      world.markForDelete(p_o);
    }
    world.update();
  }
  EXPECT_EQ(respawnCount(), RESPAWN_CAPACITY);
  EXPECT_LE(respawnNext(), RESPAWN_CAPACITY);
}

TEST_F(BrickTest, ExplosionLivesAsManyStepsAsItsSpriteHasFrames) {
  auto* p_explosion = new Explosion;
  const int frames = tw::ResourceManager::getInstance().getSprite("explosion")->getFrameCount();
  ASSERT_GT(frames, 1);
  EXPECT_EQ(p_explosion->getTimeToLive(), frames);
  EXPECT_EQ(p_explosion->getSolidness(), tw::SPECTRAL);
  EXPECT_TRUE(p_explosion->isCentered());
  for (int i = 0; i < frames - 1; i++) {
    frame();
    EXPECT_EQ(count("Explosion"), 1) << i;
  }
  frame(); // the last step marks it; the next update deletes it
  frame();
  EXPECT_EQ(count("Explosion"), 0);
}

TEST_F(BrickTest, ExplodeAllReplacesEachObject) {
  explodeAll(tw::ObjectList());
  EXPECT_EQ(count("Explosion"), 0);
  tw::ObjectList list;
  for (int i = 0; i < 3; i++) {
    list.add(new Brick(BRICK_DEFAULT, tw::Vector(10.0f + 6 * i, 3)));
  }
  explodeAll(list);
  const auto explosions = ofType("Explosion");
  ASSERT_EQ(explosions.size(), 3u);
  EXPECT_EQ(explosions[2]->getPosition(), tw::Vector(22, 3));
  world.update();
  EXPECT_EQ(count("Brick"), 0);
}
