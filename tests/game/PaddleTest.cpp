#include "GameFixture.h"

#include "Reticle.h"

using namespace twtest;
using namespace tw::Keyboard;
using namespace tw::Mouse;
using tw::Vector;

/// A paddle put at start along its wall, then a key held, or with key -1 the mouse at pointer.
struct Move {
  int side;
  float start;
  int key, action;
  float pointer, end;
};
class PaddleTest : public GameTest, public ::testing::WithParamInterface<Move> {};

TEST_P(PaddleTest, MovesAlongItsWallInsideTheArenaOnly) {
  const Move& m = GetParam();
  world.setBoundary(tw::Box(Vector(10, 0.75f), 59, 37));
  auto* p_paddle = new Paddle(m.side, m.side < SIDE_LEFT ? "paddleh" : "paddlev");
  const Vector start[] = {{29.5f, 0.75f}, {29.5f, 36.75f}, {10, 15.875f}, {68, 15.875f}};
  EXPECT_EQ(p_paddle->getPosition(), start[m.side]);
  EXPECT_EQ(p_paddle->getSpriteSlowdown() * 10 + p_paddle->getEventCount(), 53);
  const bool across = m.side < SIDE_LEFT;
  const Vector at = start[m.side];
  p_paddle->setPosition(across ? Vector(m.start, at.getY()) : Vector(at.getX(), m.start));
  input(m.key, m.action, m.pointer, m.pointer);
  EXPECT_EQ(p_paddle->getPosition(), across ? Vector(m.end, at.getY()) : Vector(at.getX(), m.end));
}

const Move MOVES[] = {
    {SIDE_BOTTOM, 30, D, KEY_DOWN, 0, 33},
    {SIDE_BOTTOM, 30, A, KEY_DOWN, 0, 27},
    {SIDE_TOP, 30, A, KEY_DOWN, 0, 27},
    {SIDE_BOTTOM, 30, D, KEY_PRESSED, 0, 30},
    {SIDE_BOTTOM, 30, W, KEY_DOWN, 0, 30},
    {SIDE_BOTTOM, 12, A, KEY_DOWN, 0, 12},
    {SIDE_BOTTOM, 59, D, KEY_DOWN, 0, 59},
    {SIDE_BOTTOM, 56, D, KEY_DOWN, 0, 59},
    {SIDE_LEFT, 10, W, KEY_DOWN, 0, 8},
    {SIDE_LEFT, 10, S, KEY_DOWN, 0, 12},
    {SIDE_LEFT, 10, A, KEY_DOWN, 0, 10},
    {SIDE_LEFT, 1.75f, W, KEY_DOWN, 0, 1.75f},
    {SIDE_RIGHT, 31.75f, S, KEY_DOWN, 0, 31.75f},
    {SIDE_RIGHT, 29.75f, S, KEY_DOWN, 0, 31.75f},
    {SIDE_BOTTOM, 30, -1, MOVED, 40, 35},
    {SIDE_BOTTOM, 30, -1, CLICKED, 40, 30},
    {SIDE_BOTTOM, 30, -1, PRESSED, 40, 30},
    {SIDE_BOTTOM, 30, -1, MOVED, 68, 30},
    {SIDE_RIGHT, 20, -1, MOVED, 5, 2},
};
INSTANTIATE_TEST_SUITE_P(Moves, PaddleTest, ::testing::ValuesIn(MOVES));

TEST_F(GameTest, EscapeLeavesOnlyAGameInPlayAndEExplodesEveryBrick) {
  new Paddle(SIDE_BOTTOM, "paddleh");
  state.mode = MENU;
  for (int status : {START, WIN, LOSE, TIME, EXIT}) {
    state.status = status;
    input(ESCAPE, KEY_DOWN);
    EXPECT_EQ(state.status, status);
  }
  state.mode = REGULAR;
  state.status = PLAY;
  for (int i = 0; i < 3; i++) {
    new Brick(BRICK_SUPER, Vector(20.0f + 6 * i, 5));
  }
  input(E, KEY_PRESSED);
  input(ESCAPE, KEY_PRESSED);
  EXPECT_EQ(count("Explosion") * 10 + state.status, PLAY);
  input(E, KEY_DOWN);
  world.update();
  EXPECT_EQ(count("Explosion") * 10 + count("Brick"), 30);
  input(ESCAPE, KEY_DOWN);
  EXPECT_EQ(state.status * 10 + state.mode, EXIT * 10 + MENU);
}

TEST_F(GameTest, ReticleFollowsMovesOnly) {
  auto* p_reticle = new Reticle;
  EXPECT_EQ(p_reticle->getPosition(), Vector(40, 20));
  EXPECT_EQ(p_reticle->getSolidness() * 10 + p_reticle->getAltitude(), tw::SPECTRAL * 10 + 4);
  input(-1, MOVED, 12.5f, 7);
  input(-1, CLICKED, 1, 1);
  input(-1, PRESSED, 1, 1);
  EXPECT_EQ(p_reticle->getPosition(), Vector(12.5f, 7));
}
