#include "Ball.h"
#include "Brick.h"
#include "Mode.h"
#include "Paddle.h"
#include "Points.h"
#include "Timer.h"

#include "GameFixture.h"
#include "WorldManager.h"

using namespace twtest;
using tw::Vector;

namespace {

/// A ball step in the play arena (corner (10, 0.75), 59 x 37) with jitters +0.1 and -0.1.
struct Step {
  int mode;
  Vector from, dir, to, new_dir;
  int status;    ///< afterwards (the game starts in PLAY)
  bool bounce;   ///< "wall-bounce" sounds
  int lost_side; ///< the paddle that explodes, or -1
  bool paddles = true, bricks = true;
};

/// A collision with an object of this type, box 4 x 1 at (21, 20).
struct Hit {
  int mode;
  const char* other;
  Vector ball, dir, new_dir;
  const char* sound;
};

class BallTest : public GameTest {
protected:
  void SetUp() override {
    GameTest::SetUp();
    world.setBoundary(tw::Box(Vector(10, 0.75f), 59, 37));
    p_score = new Points(0, true, Vector(75, 4));
    p_timer = new Timer(Vector(5, 4));
  }
  static void expectNear(Vector a, Vector b) {
    EXPECT_NEAR(a.getX(), b.getX(), 1e-5);
    EXPECT_NEAR(a.getY(), b.getY(), 1e-5);
  }
  tw::WorldManager& world = tw::WorldManager::getInstance();
  Mode& state = Mode::getInstance();
  Points* p_score = nullptr;
  Timer* p_timer = nullptr;
};

class BallStep : public BallTest, public ::testing::WithParamInterface<Step> {};
class BallHit : public BallTest, public ::testing::WithParamInterface<Hit> {};

} // namespace

TEST_F(BallTest, StartsMovingDownRight) {
  auto* p_ball = new Ball(Vector(5, 5));
  EXPECT_EQ(p_ball->getType(), "Ball");
  EXPECT_EQ(p_ball->getSolidness(), tw::HARD);
  EXPECT_EQ(p_ball->getAltitude(), 4);
  EXPECT_NEAR(p_ball->getSpeed(), 0.98995f, 1e-5);
  expectNear(p_ball->getDirection() * p_ball->getSpeed(), Vector(0.7f, 0.7f));
  EXPECT_EQ(p_ball->getSpriteName(), "ball");
  EXPECT_EQ(p_ball->getSpriteSlowdown(), 5);
  EXPECT_EQ(p_ball->getBox(), tw::Box(Vector(0, 0), 0, 0));
}

TEST_P(BallStep, BouncesOffWallsAndEndsGames) {
  const Step& s = GetParam();
  state.mode = s.mode;
  state.status = PLAY;
  for (int side = SIDE_TOP; s.paddles && side <= SIDE_RIGHT; side++) {
    new Paddle(side, side < SIDE_LEFT ? "paddleh" : "paddlev");
  }
  if (s.bricks) {
    new Brick(BRICK_DEFAULT, Vector(50, 5));
  }
  auto* p_ball = new Ball(s.from);
  p_ball->setDirection(s.dir);
  seedJitter();
  mark();
  p_ball->step();
  EXPECT_EQ(p_ball->getPosition(), s.to);
  expectNear(p_ball->getDirection(), s.new_dir);
  EXPECT_EQ(state.status, s.status);
  EXPECT_EQ(state.mode, s.status == PLAY ? s.mode : MENU);
  EXPECT_EQ(p_score->getValue(), s.mode == TIMED && s.bounce ? -2 : 0);
  EXPECT_EQ(p_timer->getValue(), 120);
  if (s.status == PLAY) {
    world.update();
    std::vector<int> sides;
    for (tw::Object* p_o : ofType("Paddle")) {
      sides.push_back(static_cast<Paddle*>(p_o)->getSide());
    }
    std::vector<int> expected;
    for (int side = SIDE_TOP; s.paddles && side <= SIDE_RIGHT; side++) {
      if (side != s.lost_side) {
        expected.push_back(side);
      }
    }
    EXPECT_EQ(sides, expected);
  }
  EXPECT_EQ(lookups(marked(), "sound").find("wall-bounce") != std::string::npos, s.bounce);
}

INSTANTIATE_TEST_SUITE_P(
    Walls, BallStep,
    ::testing::Values(
        Step{REGULAR, {9, 20}, {-0.5f, 0.3f}, {10, 20}, {0.6f, 0.6f}, PLAY, true, -1},
        Step{REGULAR, {30, 0.5f}, {0.3f, -0.5f}, {30, 0.75f}, {0.8f, 0.4f}, PLAY, true, -1},
        Step{REGULAR, {30, 38}, {0.3f, 0.5f}, {30, 37.75f}, {0.8f, -0.6f}, LOSE, false, -1},
        Step{MENU, {5, 40}, {-0.5f, 0.5f}, {10, 37.75f}, {0.8f, -0.7f}, PLAY, true, -1},
        Step{ADVANCED, {70, 20}, {0.5f, 0.3f}, {69, 20}, {-0.4f, 0.6f}, PLAY, true, SIDE_RIGHT},
        Step{
            ADVANCED, {30, 0.5f}, {-0.3f, -0.5f}, {30, 0.75f}, {-0.6f, 0.4f}, PLAY, true, SIDE_TOP},
        Step{TIMED, {9, 20}, {-0.5f, -0.3f}, {10, 20}, {0.6f, -0.8f}, PLAY, true, -1},
        Step{REGULAR, {30, 20}, {0.3f, 0.5f}, {30, 20}, {0.3f, 0.5f}, PLAY, false, -1},
        Step{ADVANCED, {30, 20}, {0.3f, 0.5f}, {30, 20}, {0.3f, 0.5f}, LOSE, false, -1, false},
        Step{TIMED, {30, 20}, {0.3f, 0.5f}, {30, 20}, {0.3f, 0.5f}, WIN, false, -1, true, false},
        Step{MENU, {30, 20}, {0.3f, 0.5f}, {30, 20}, {0.3f, 0.5f}, PLAY, false, -1, true, false}));

TEST_P(BallHit, ReflectsOnTheAxisTheyAreApartOn) {
  const Hit& h = GetParam();
  state.mode = h.mode;
  auto* p_ball = new Ball(h.ball);
  auto* p_other = new Brick(BRICK_DEFAULT, Vector(21, 20));
  p_other->setType(h.other);
  p_ball->setDirection(h.dir);
  seedJitter();
  mark();
  // Either object may come first in the event.
  const bool ball_first = std::string(h.other) == "Brick";
  tw::Object *p_b = p_ball, *p_o = p_other;
  const tw::EventCollision hit(h.ball, ball_first ? p_b : p_o, ball_first ? p_o : p_b);
  EXPECT_EQ(p_ball->eventHandler(&hit), 1);
  expectNear(p_ball->getDirection(), h.new_dir);
  EXPECT_EQ(p_ball->getPosition(), h.ball);
  EXPECT_EQ(p_score->getValue(), h.mode == TIMED ? 10 : 0);
  EXPECT_EQ(p_timer->getValue(), 120);
  const auto explosions = ofType("Explosion");
  EXPECT_EQ(explosions.size(), std::string(h.other) == "Title" ? 1u : 0u);
  for (tw::Object* p_o : explosions) {
    EXPECT_EQ(p_o->getPosition(), h.ball);
  }
  EXPECT_EQ(lookups(marked(), "sound"), h.sound);
}

INSTANTIATE_TEST_SUITE_P(
    Objects, BallHit,
    ::testing::Values(Hit{MENU, "Brick", {20, 20.5f}, {0.7f, 0.2f}, {-0.6f, 0.6f}, ""},
                      Hit{MENU, "Brick", {22, 19}, {0.2f, 0.7f}, {0.8f, -0.8f}, ""},
                      Hit{MENU, "Brick", {20, 19}, {0.7f, 0.7f}, {-0.6f, -0.7f}, ""},
                      Hit{MENU, "Brick", {22, 20.5f}, {0.7f, 0.7f}, {0.7f, 0.7f}, ""},
                      Hit{MENU, "Paddle", {22, 20.5f}, {0.7f, 0.7f}, {0.7f, 0.7f}, "paddle-bounce"},
                      Hit{MENU, "Title", {22, 20.5f}, {0.7f, 0.7f}, {0.7f, 0.7f}, "explode"},
                      Hit{TIMED, "Brick", {22, 19}, {-0.2f, 0.7f}, {-0.6f, -0.8f}, ""}));
