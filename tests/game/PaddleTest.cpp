#include "Brick.h"
#include "Mode.h"
#include "Paddle.h"
#include "Reticle.h"

#include "GameFixture.h"
#include "InputManager.h"
#include "WorldManager.h"

using namespace twtest;
using tw::Keyboard::KEY_DOWN;
using tw::Keyboard::KEY_PRESSED;

namespace {

class PaddleTest : public GameTest {
protected:
  void SetUp() override {
    GameTest::SetUp();
    world.setBoundary(tw::Box(tw::Vector(10, 0.75f), 59, 37));
  }
  tw::WorldManager& world = tw::WorldManager::getInstance();
  Mode& state = Mode::getInstance();
};

} // namespace

TEST_F(PaddleTest, PlacedOnItsWall) {
  auto* p_top = new Paddle(SIDE_TOP, "paddleh");
  auto* p_bottom = new Paddle(SIDE_BOTTOM, "paddleh");
  auto* p_left = new Paddle(SIDE_LEFT, "paddlev");
  auto* p_right = new Paddle(SIDE_RIGHT, "paddlev");
  const float w = p_top->getBox().getHorizontal();
  const float thickness = p_top->getBox().getVertical();
  const float h = p_left->getBox().getVertical();
  // Paddles are thicker than the ball's step (0.7), so the ball cannot jump over them.
  EXPECT_EQ(w, 10);
  EXPECT_GE(thickness, 0.7f);
  EXPECT_GE(p_left->getBox().getHorizontal(), 0.7f);
  EXPECT_EQ(p_top->getPosition(), tw::Vector((69 - w) * 0.5f, 0.75f));
  EXPECT_EQ(p_bottom->getPosition(), tw::Vector((69 - w) * 0.5f, 37.75f - thickness));
  EXPECT_EQ(p_left->getPosition(), tw::Vector(10, (37.75f - h) * 0.5f));
  EXPECT_EQ(p_right->getPosition(),
            tw::Vector(69 - p_left->getBox().getHorizontal(), (37.75f - h) * 0.5f));
  EXPECT_EQ(p_left->getEventCount(), 3);
}

TEST_F(PaddleTest, KeysMoveAlongTheWallAndStopShortOfIt) {
  auto* p_bottom = new Paddle(SIDE_BOTTOM, "paddleh");
  auto* p_left = new Paddle(SIDE_LEFT, "paddlev");
  const tw::Vector bottom_start = p_bottom->getPosition();
  const tw::Vector left_start = p_left->getPosition();
  key(tw::Keyboard::D, KEY_DOWN);
  EXPECT_EQ(p_bottom->getPosition(), bottom_start + tw::Vector(3, 0));
  EXPECT_EQ(p_left->getPosition(), left_start); // A/D do nothing to a vertical paddle
  key(tw::Keyboard::W, KEY_DOWN);
  EXPECT_EQ(p_left->getPosition(), left_start + tw::Vector(0, -2));
  key(tw::Keyboard::D, KEY_PRESSED); // only held keys count
  EXPECT_EQ(p_bottom->getPosition(), bottom_start + tw::Vector(3, 0));
  // From x = 10 a move 3 to the left would leave the arena: dropped whole.
  world.moveObject(p_bottom, tw::Vector(10, bottom_start.getY()));
  key(tw::Keyboard::A, KEY_DOWN);
  EXPECT_EQ(p_bottom->getPosition().getX(), 10);
  world.moveObject(p_bottom, tw::Vector(12, bottom_start.getY()));
  key(tw::Keyboard::A, KEY_DOWN);
  EXPECT_EQ(p_bottom->getPosition().getX(), 12);
}

TEST_F(PaddleTest, MouseCentresThePaddleOnThePointer) {
  auto* p_bottom = new Paddle(SIDE_BOTTOM, "paddleh");
  auto* p_right = new Paddle(SIDE_RIGHT, "paddlev");
  mouse(tw::Mouse::MOVED, 40, 5);
  EXPECT_EQ(p_bottom->getPosition().getX(), 35);
  EXPECT_FLOAT_EQ(p_right->getPosition().getY(), 2);
  mouse(tw::Mouse::CLICKED, 20, 20);
  mouse(tw::Mouse::PRESSED, 20, 20);
  EXPECT_EQ(p_bottom->getPosition().getX(), 35);
  mouse(tw::Mouse::MOVED, 68, 5); // would put the paddle's end past the wall
  EXPECT_EQ(p_bottom->getPosition().getX(), 35);
}

TEST_F(PaddleTest, PaddlesPushedIntoTheBallAreStopped) {
  auto* p_bottom = new Paddle(SIDE_BOTTOM, "paddleh");
  auto* p_blocker = new Brick(BRICK_DEFAULT, tw::Vector(50, 37.75f));
  ASSERT_NE(p_blocker, nullptr);
  const float y = p_bottom->getPosition().getY();
  mouse(tw::Mouse::MOVED, 50, 5);
  EXPECT_NE(p_bottom->getPosition(), tw::Vector(45, y)); // the brick is in the way
}

TEST_F(PaddleTest, EscapeLeavesOnlyAGameInPlay) {
  new Paddle(SIDE_BOTTOM, "paddleh");
  state.mode = MENU;
  state.status = WIN;
  key(tw::Keyboard::ESCAPE, KEY_DOWN);
  EXPECT_EQ(state.status, WIN);
  state.mode = REGULAR;
  state.status = PLAY;
  key(tw::Keyboard::ESCAPE, KEY_PRESSED);
  EXPECT_EQ(state.status, PLAY);
  key(tw::Keyboard::ESCAPE, KEY_DOWN);
  EXPECT_EQ(state.status, EXIT);
  EXPECT_EQ(state.mode, MENU);
}

TEST_F(PaddleTest, EExplodesEveryBrick) {
  new Paddle(SIDE_BOTTOM, "paddleh");
  for (int i = 0; i < 3; i++) {
    new Brick(BRICK_SUPER, tw::Vector(20.0f + 6 * i, 5));
  }
  key(tw::Keyboard::E, KEY_DOWN);
  EXPECT_EQ(count("Explosion"), 3);
  world.update();
  EXPECT_EQ(count("Brick"), 0);
}

TEST_F(PaddleTest, ReticleFollowsMovesOnly) {
  auto* p_reticle = new Reticle;
  EXPECT_EQ(p_reticle->getPosition(), tw::Vector(29.5f, 18.5f));
  EXPECT_EQ(p_reticle->getSolidness(), tw::SPECTRAL);
  mouse(tw::Mouse::MOVED, 12.5f, 7);
  EXPECT_EQ(p_reticle->getPosition(), tw::Vector(12.5f, 7));
  mouse(tw::Mouse::CLICKED, 1, 1);
  EXPECT_EQ(p_reticle->getPosition(), tw::Vector(12.5f, 7));
}
