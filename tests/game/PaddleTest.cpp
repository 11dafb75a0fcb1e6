#include "Brick.h"
#include "Mode.h"
#include "Paddle.h"
#include "Reticle.h"

#include "GameFixture.h"
#include "InputManager.h"
#include "WorldManager.h"

using namespace twtest;
using namespace tw::Keyboard;
using tw::Vector;

namespace {

/// A paddle put at start along its wall, then a key (or, with key -1, the mouse at pointer).
struct Move {
  int side;
  float start;
  int key, action;
  float pointer, end;
};

class PaddleTest : public GameTest {
protected:
  void SetUp() override {
    GameTest::SetUp();
    world.setBoundary(tw::Box(Vector(10, 0.75f), 59, 37));
  }
  static Paddle* paddle(int side) {
    return new Paddle(side, side < SIDE_LEFT ? "paddleh" : "paddlev");
  }
  tw::WorldManager& world = tw::WorldManager::getInstance();
  Mode& state = Mode::getInstance();
};

class PaddleMove : public PaddleTest, public ::testing::WithParamInterface<Move> {};

} // namespace

TEST_F(PaddleTest, StandsInTheMiddleOfItsWall) {
  const Vector at[] = {{29.5f, 0.75f}, {29.5f, 36.75f}, {10, 15.875f}, {68, 15.875f}};
  for (int side = SIDE_TOP; side <= SIDE_RIGHT; side++) {
    Paddle* p_paddle = paddle(side);
    EXPECT_EQ(p_paddle->getPosition(), at[side]) << side;
    EXPECT_EQ(p_paddle->getSolidness(), tw::HARD);
    EXPECT_EQ(p_paddle->getSpriteSlowdown(), 5);
    EXPECT_EQ(p_paddle->getEventCount(), 3);
  }
}

TEST_P(PaddleMove, FollowsKeysAndPointerAlongItsWallOnly) {
  const Move& m = GetParam();
  Paddle* p_paddle = paddle(m.side);
  const bool horizontal = m.side < SIDE_LEFT;
  const Vector start = p_paddle->getPosition();
  p_paddle->setPosition(horizontal ? Vector(m.start, start.getY()) : Vector(start.getX(), m.start));
  if (m.key < 0) {
    mouse(m.action, m.pointer, m.pointer);
  } else {
    key(m.key, m.action);
  }
  EXPECT_EQ(p_paddle->getPosition(),
            horizontal ? Vector(m.end, start.getY()) : Vector(start.getX(), m.end));
}

INSTANTIATE_TEST_SUITE_P(
    Moves, PaddleMove,
    ::testing::Values(
        Move{SIDE_BOTTOM, 30, D, KEY_DOWN, 0, 33}, Move{SIDE_BOTTOM, 30, A, KEY_DOWN, 0, 27},
        Move{SIDE_TOP, 30, A, KEY_DOWN, 0, 27}, Move{SIDE_BOTTOM, 30, D, KEY_PRESSED, 0, 30},
        Move{SIDE_BOTTOM, 30, W, KEY_DOWN, 0, 30},
        Move{SIDE_BOTTOM, 12, A, KEY_DOWN, 0, 12}, // dropped whole, not cut short
        Move{SIDE_BOTTOM, 59, D, KEY_DOWN, 0, 59}, Move{SIDE_BOTTOM, 56, D, KEY_DOWN, 0, 59},
        Move{SIDE_LEFT, 10, W, KEY_DOWN, 0, 8}, Move{SIDE_LEFT, 10, S, KEY_DOWN, 0, 12},
        Move{SIDE_LEFT, 10, A, KEY_DOWN, 0, 10}, Move{SIDE_LEFT, 1.75f, W, KEY_DOWN, 0, 1.75f},
        Move{SIDE_RIGHT, 31.75f, S, KEY_DOWN, 0, 31.75f},
        Move{SIDE_RIGHT, 29.75f, S, KEY_DOWN, 0, 31.75f},
        Move{SIDE_BOTTOM, 30, -1, tw::Mouse::MOVED, 40, 35},
        Move{SIDE_BOTTOM, 30, -1, tw::Mouse::CLICKED, 40, 30},
        Move{SIDE_BOTTOM, 30, -1, tw::Mouse::PRESSED, 40, 30},
        Move{SIDE_BOTTOM, 30, -1, tw::Mouse::MOVED, 68, 30},
        Move{SIDE_RIGHT, 20, -1, tw::Mouse::MOVED, 5, 2}));

TEST_F(PaddleTest, StopsAtABrickInTheWay) {
  Paddle* p_paddle = paddle(SIDE_BOTTOM);
  new Brick(BRICK_DEFAULT, Vector(50, 37.75f));
  mouse(tw::Mouse::MOVED, 50, 5);
  EXPECT_NE(p_paddle->getPosition(), Vector(45, 36.75f));
}

TEST_F(PaddleTest, EscapeLeavesOnlyAGameInPlayAndEExplodesEveryBrick) {
  paddle(SIDE_BOTTOM);
  state.mode = MENU;
  for (int status : {START, WIN, LOSE, TIME, EXIT}) {
    state.status = status;
    key(ESCAPE, KEY_DOWN);
    EXPECT_EQ(state.status, status);
  }
  state.mode = REGULAR;
  state.status = PLAY;
  for (int i = 0; i < 3; i++) {
    new Brick(BRICK_SUPER, Vector(20.0f + 6 * i, 5));
  }
  key(E, KEY_PRESSED);
  EXPECT_EQ(count("Explosion"), 0);
  key(E, KEY_DOWN);
  EXPECT_EQ(count("Explosion"), 3);
  world.update();
  EXPECT_EQ(count("Brick"), 0);
  key(ESCAPE, KEY_PRESSED);
  EXPECT_EQ(state.status, PLAY);
  key(ESCAPE, KEY_DOWN);
  EXPECT_EQ(state.status, EXIT);
  EXPECT_EQ(state.mode, MENU);
}

TEST_F(PaddleTest, ReticleFollowsMovesOnly) {
  auto* p_reticle = new Reticle;
  EXPECT_EQ(p_reticle->getPosition(), Vector(29.5f, 18.5f));
  EXPECT_EQ(p_reticle->getSolidness(), tw::SPECTRAL);
  EXPECT_EQ(p_reticle->getAltitude(), 4);
  mouse(tw::Mouse::MOVED, 12.5f, 7);
  EXPECT_EQ(p_reticle->getPosition(), Vector(12.5f, 7));
  mouse(tw::Mouse::CLICKED, 1, 1);
  mouse(tw::Mouse::PRESSED, 1, 1);
  EXPECT_EQ(p_reticle->getPosition(), Vector(12.5f, 7));
}
