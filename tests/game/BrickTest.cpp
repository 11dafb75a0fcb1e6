#include "GameFixture.h"

#include "Sprite.h"

using namespace twtest;
using tw::Vector;

/// The ball (or another object) runs into the brick.
static void hit(tw::Object* p_brick, tw::Object* p_by) {
  const tw::EventCollision c(p_brick->getPosition(), p_by, p_brick);
  EXPECT_EQ(p_brick->eventHandler(&c), 1);
}

TEST_F(GameTest, BricksLoseAHitPointPerBallRecolourAndExplode) {
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

TEST_F(GameTest, TimedModeBringsBackTheOldestBricksAcrossGames) {
  state.mode = TIMED;
  auto* p_ball = new Ball(Vector(0, 0));
  std::vector<Vector> places;
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
  auto bricks = ofType("Brick");
  EXPECT_TRUE(bricks[0]->getPosition() == places[0] && bricks[1]->getPosition() == places[1]);
  EXPECT_EQ(static_cast<Brick*>(bricks[0])->getHitPoints(), 2);
  hit(bricks[1], p_ball); // the next game of the run goes on from there
  world.update();
  EXPECT_EQ(ofType("Brick").back()->getPosition(), places[2]);
  state.mode = REGULAR; // outside timed mode nothing is recorded nor brought back
  hit(ofType("Brick").back(), p_ball);
  world.update();
  EXPECT_EQ(respawnCount() * 100 + respawnNext() * 10 + count("Brick"), 1331);
  state.mode = TIMED; // a full record stops recording
  for (int i = 0; i < RESPAWN_CAPACITY; i++) {
    hit(new Brick(BRICK_DEFAULT, Vector(40, 20)), p_ball);
    world.markForDelete(world.objectsOfType("Brick"));
    world.update();
  }
  EXPECT_EQ(respawnCount(), RESPAWN_CAPACITY);
  EXPECT_LE(respawnNext(), RESPAWN_CAPACITY);
}
