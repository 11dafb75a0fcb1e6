#include "Ball.h"
#include "Brick.h"
#include "Mode.h"
#include "Paddle.h"
#include "Points.h"
#include "Timer.h"

#include "GameFixture.h"
#include "WorldManager.h"

#include <cstdlib>

using namespace twtest;

namespace {

class BallTest : public GameTest {
protected:
  void SetUp() override {
    GameTest::SetUp();
    // The play arena: corner (10, 0.75), 59 x 37.
    world.setBoundary(tw::Box(tw::Vector(10, 0.75f), 59, 37));
  }
  /// The jitter the ball will draw next, without disturbing the sequence.
  static std::pair<float, float> nextJitter(unsigned seed) {
    std::srand(seed);
    const float j1 = static_cast<float>((std::rand() % 3) / 10.0 - 0.1);
    const float j2 = static_cast<float>((std::rand() % 3) / 10.0 - 0.1);
    std::srand(seed);
    return {j1, j2};
  }

  tw::WorldManager& world = tw::WorldManager::getInstance();
  Mode& state = Mode::getInstance();
};

} // namespace

TEST_F(BallTest, StartsWithItsSpriteAndVelocity) {
  auto* p_ball = new Ball(tw::Vector(5, 5));
  EXPECT_EQ(p_ball->getType(), "Ball");
  EXPECT_EQ(p_ball->getAltitude(), 4);
  EXPECT_NEAR(p_ball->getSpeed(), 0.98995f, 1e-5);
  EXPECT_NE(p_ball->getSprite(), nullptr);
  EXPECT_EQ(p_ball->getBox().getCorner(), tw::Vector(0, 0));
  EXPECT_EQ(p_ball->getSpriteSlowdown(), 5);
}

TEST_F(BallTest, LeftWallPutsItBackAndReflects) {
  state.mode = REGULAR;
  new Paddle(SIDE_BOTTOM, "paddleh");
  new Brick(BRICK_DEFAULT, tw::Vector(40, 5));
  auto* p_ball = new Ball(tw::Vector(9, 20));
  p_ball->setDirection(tw::Vector(-0.5f, 0.3f));
  const auto [j1, j2] = nextJitter(5);
  p_ball->step();
  EXPECT_EQ(p_ball->getPosition(), tw::Vector(10, 20));
  EXPECT_FLOAT_EQ(p_ball->getDirection().getX(), j1 + 0.5f);
  EXPECT_FLOAT_EQ(p_ball->getDirection().getY(), j2 + 0.7f);
  EXPECT_EQ(state.status, START); // no loss on a side wall
}

TEST_F(BallTest, EveryWallAndACornerReflect) {
  state.mode = MENU;
  new Paddle(SIDE_BOTTOM, "paddleh");
  auto* p_ball = new Ball(tw::Vector(0, 0));
  struct Case {
    tw::Vector from, dir, to;
    bool flips_x, flips_y;
  } cases[] = {
      {tw::Vector(70, 20), tw::Vector(0.5f, 0.3f), tw::Vector(69, 20), true, false},
      {tw::Vector(30, 0.5f), tw::Vector(0.3f, -0.5f), tw::Vector(30, 0.75f), false, true},
      {tw::Vector(30, 38), tw::Vector(0.3f, 0.5f), tw::Vector(30, 37.75f), false, true},
      {tw::Vector(5, 40), tw::Vector(-0.5f, 0.5f), tw::Vector(10, 37.75f), true, true},
  };
  for (const Case& c : cases) {
    p_ball->setPosition(c.from);
    p_ball->setDirection(c.dir);
    p_ball->step();
    EXPECT_EQ(p_ball->getPosition(), c.to);
    const tw::Vector d = p_ball->getDirection();
    // A reflected axis changes sign (the jitter is at most 0.1).
    EXPECT_EQ(d.getX() * c.dir.getX() < 0, c.flips_x) << c.from.getX() << "," << c.from.getY();
    EXPECT_EQ(d.getY() * c.dir.getY() < 0, c.flips_y) << c.from.getX() << "," << c.from.getY();
  }
  EXPECT_EQ(state.status, START); // the menu ball never loses nor wins
}

TEST_F(BallTest, BottomWallLosesOnlyInNormalMode) {
  state.mode = ADVANCED;
  state.status = PLAY;
  auto* p_bottom = new Paddle(SIDE_BOTTOM, "paddleh");
  new Paddle(SIDE_TOP, "paddleh");
  new Brick(BRICK_DEFAULT, tw::Vector(40, 5));
  auto* p_ball = new Ball(tw::Vector(30, 39));
  p_ball->step();
  EXPECT_EQ(state.status, PLAY);
  world.update(); // the bottom paddle exploded
  EXPECT_FALSE(world.getAllObjects().contains(p_bottom));
  EXPECT_EQ(count("Paddle"), 1);
  EXPECT_EQ(count("Explosion"), 1);

  state.mode = REGULAR;
  p_ball->setPosition(tw::Vector(30, 39));
  p_ball->step();
  EXPECT_EQ(state.status, LOSE);
  EXPECT_EQ(state.mode, MENU);
}

TEST_F(BallTest, NoPaddleLosesAndNoBrickWins) {
  state.mode = ADVANCED;
  state.status = PLAY;
  auto* p_ball = new Ball(tw::Vector(30, 20));
  new Brick(BRICK_DEFAULT, tw::Vector(40, 5));
  p_ball->step();
  EXPECT_EQ(state.status, LOSE);

  state.mode = TIMED;
  state.status = PLAY;
  world.update();
  new Paddle(SIDE_TOP, "paddleh");
  auto* p_ball2 = new Ball(tw::Vector(30, 20));
  for (tw::Object* p_o : ofType("Brick")) {
    world.markForDelete(p_o);
  }
  world.update();
  p_ball2->step();
  EXPECT_EQ(state.status, WIN);
}

TEST_F(BallTest, HitsReflectOnTheAxisTheyAreApartOn) {
  state.mode = MENU;
  new Paddle(SIDE_BOTTOM, "paddleh");
  auto* p_ball = new Ball(tw::Vector(20, 20));
  auto* p_brick = new Brick(BRICK_DEFAULT, tw::Vector(21, 20)); // box 4 x 1 from (21, 20)
  struct Case {
    tw::Vector ball, dir;
    bool flips_x, flips_y;
  } cases[] = {
      {tw::Vector(20, 20.5f), tw::Vector(0.7f, 0.2f), true, false},  // from the side
      {tw::Vector(22, 19), tw::Vector(0.2f, 0.7f), false, true},     // from above
      {tw::Vector(20, 19), tw::Vector(0.7f, 0.7f), true, true},      // on the corner
      {tw::Vector(22, 20.5f), tw::Vector(0.7f, 0.7f), false, false}, // inside: nothing to do
  };
  for (const Case& c : cases) {
    p_ball->setPosition(c.ball);
    p_ball->setDirection(c.dir);
    const tw::EventCollision hit(c.ball, p_ball, p_brick);
    p_ball->eventHandler(&hit);
    const tw::Vector d = p_ball->getDirection();
    EXPECT_EQ(d.getX() * c.dir.getX() < 0, c.flips_x) << c.ball.getX() << "," << c.ball.getY();
    EXPECT_EQ(d.getY() * c.dir.getY() < 0, c.flips_y) << c.ball.getX() << "," << c.ball.getY();
    EXPECT_EQ(p_ball->getPosition(), c.ball);
  }
}

TEST_F(BallTest, TimedScoringAndTitleExplosions) {
  state.mode = TIMED;
  new Paddle(SIDE_BOTTOM, "paddleh");
  new Brick(BRICK_DEFAULT, tw::Vector(40, 5));
  auto* p_score = new Points(0, true, tw::Vector(75, 4));
  auto* p_timer = new Timer(tw::Vector(5, 4));
  auto* p_ball = new Ball(tw::Vector(9, 20));
  p_ball->step(); // a wall bounce
  EXPECT_EQ(p_score->getValue(), -2);
  EXPECT_EQ(p_timer->getValue(), 120);
  auto* p_other = new Ball(tw::Vector(50, 20));
  const tw::EventCollision hit(tw::Vector(50, 20), p_ball, p_other);
  p_ball->eventHandler(&hit);
  EXPECT_EQ(p_score->getValue(), 8);
  EXPECT_EQ(p_timer->getValue(), 120);

  p_other->setType("Title");
  state.mode = MENU;
  p_ball->eventHandler(&hit);
  const auto explosions = ofType("Explosion");
  ASSERT_EQ(explosions.size(), 1u);
  EXPECT_EQ(explosions[0]->getPosition(), p_ball->getPosition());
  EXPECT_EQ(p_score->getValue(), 8);
}
