#include "GameFixture.h"

#include "EventStep.h"

#include <cstring>

using namespace twtest;
using tw::Vector;

/// In the play arena (corner (10, 0.75), 59 x 37), with jitters +0.1 and -0.1, a ball step
/// or a collision with an object of another type, box 4 x 1 at (21, 20).
struct Case {
  int mode;
  const char* with; ///< "p": the four paddles, "b": a brick, or the type of the other object
  Vector from, dir, to, new_dir;
  int status;                ///< afterwards (it starts as PLAY)
  const char *sides, *sound; ///< paddles left after the frame; sounds, repeats of explode cut
};
class BallTest : public GameTest, public ::testing::WithParamInterface<Case> {};

TEST_P(BallTest, BouncesScoresAndEndsGames) {
  const Case& c = GetParam();
  const std::string other = std::strlen(c.with) > 2 ? c.with : "";
  world.setBoundary(tw::Box(Vector(10, 0.75f), 59, 37));
  auto* p_score = new Points(0, true, Vector(75, 4));
  auto* p_timer = new Timer(Vector(5, 4));
  state.mode = c.mode;
  state.status = PLAY;
  for (int side = SIDE_TOP; std::strchr(c.with, 'p') && side <= SIDE_RIGHT; side++) {
    new Paddle(side, side < SIDE_LEFT ? "paddleh" : "paddlev");
  }
  tw::Object* p_other =
      std::strcmp(c.with, "p") != 0 ? new Brick(BRICK_DEFAULT, Vector(21, 20)) : nullptr;
  tw::Object* p_ball = new Ball(c.from);
  EXPECT_EQ(p_ball->getAltitude() * 10 + p_ball->getSpriteSlowdown(), 45);
  EXPECT_LT((p_ball->getDirection() * p_ball->getSpeed() - Vector(.7f, .7f)).getMagnitude(), 1e-6);
  p_ball->setDirection(c.dir);
  seedJitter();
  mark();
  const tw::EventStep step(1);
  const bool first = c.mode == MENU; // either object may come first in a collision
  const tw::EventCollision hit(c.from, first ? p_ball : p_other, first ? p_other : p_ball);
  if (!other.empty()) {
    p_other->setType(other);
  }
  EXPECT_EQ(p_ball->eventHandler(other.empty() ? &step : static_cast<const tw::Event*>(&hit)), 1);
  EXPECT_EQ(p_ball->getPosition(), c.to);
  EXPECT_LT((p_ball->getDirection() - c.new_dir).getMagnitude(), 1e-5);
  EXPECT_EQ(state.status * 10 + state.mode, c.status * 10 + (c.status == PLAY ? c.mode : MENU));
  const bool wall = std::strstr(c.sound, "wall");
  EXPECT_EQ(p_score->getValue(), c.mode != TIMED ? 0 : !other.empty() ? 10 : wall ? -2 : 0);
  EXPECT_EQ(p_timer->getValue(), 120);
  const std::string sounds = lookups(stopLog(), "sound");
  EXPECT_EQ(sounds.substr(0, sounds.find(" explode explode")), c.sound);
  EXPECT_EQ(count("Explosion") == 1 && ofType("Explosion")[0]->getPosition() == c.from,
            other == "Title");
  world.update();
  std::string sides;
  for (tw::Object* p_o : ofType("Paddle")) {
    const auto* p_paddle = dynamic_cast<Paddle*>(p_o); // not the brick that played one
    sides += p_paddle ? std::to_string(p_paddle->getSide()) : "";
  }
  EXPECT_EQ(sides, c.sides);
}

const char *const W = "wall-bounce", *const EW = "explode wall-bounce";
const Case CASES[] = {
    {REGULAR, "pb", {9, 20}, {-.5f, .3f}, {10, 20}, {.6f, .6f}, PLAY, "0123", W},
    {REGULAR, "pb", {30, .5f}, {.3f, -.5f}, {30, .75f}, {.8f, .4f}, PLAY, "0123", W},
    {REGULAR, "pb", {30, 38}, {.3f, .5f}, {30, 37.75f}, {.8f, -.6f}, LOSE, "1", "lose"},
    {MENU, "pb", {5, 40}, {-.5f, .5f}, {10, 37.75f}, {.8f, -.7f}, PLAY, "0123", W},
    {ADVANCED, "pb", {70, 20}, {.5f, .3f}, {69, 20}, {-.4f, .6f}, PLAY, "012", EW},
    {ADVANCED, "pb", {30, .5f}, {-.3f, -.5f}, {30, .75f}, {-.6f, .4f}, PLAY, "123", EW},
    {TIMED, "pb", {9, 20}, {-.5f, -.3f}, {10, 20}, {.6f, -.8f}, PLAY, "0123", W},
    {REGULAR, "pb", {30, 20}, {.3f, .5f}, {30, 20}, {.3f, .5f}, PLAY, "0123", ""},
    {ADVANCED, "b", {30, 20}, {.3f, .5f}, {30, 20}, {.3f, .5f}, LOSE, "1", "lose"},
    {TIMED, "p", {30, 20}, {.3f, .5f}, {30, 20}, {.3f, .5f}, WIN, "1", "win"},
    {MENU, "p", {30, 20}, {.3f, .5f}, {30, 20}, {.3f, .5f}, PLAY, "0123", ""},
    {MENU, "Brick", {20, 20.5f}, {.7f, .2f}, {20, 20.5f}, {-.6f, .6f}, PLAY, "", ""},
    {MENU, "Brick", {22, 19}, {.2f, .7f}, {22, 19}, {.8f, -.8f}, PLAY, "", ""},
    {MENU, "Brick", {20, 19}, {.7f, .7f}, {20, 19}, {-.6f, -.7f}, PLAY, "", ""},
    {MENU, "Brick", {22, 20.5f}, {.7f, .7f}, {22, 20.5f}, {.7f, .7f}, PLAY, "", ""},
    {MENU, "Paddle", {22, 20.5f}, {.7f, .7f}, {22, 20.5f}, {.7f, .7f}, PLAY, "", "paddle-bounce"},
    {MENU, "Title", {22, 20.5f}, {.7f, .7f}, {22, 20.5f}, {.7f, .7f}, PLAY, "", "explode"},
    {TIMED, "Brick", {22, 19}, {-.2f, .7f}, {22, 19}, {-.6f, -.8f}, PLAY, "", ""},
};
INSTANTIATE_TEST_SUITE_P(Cases, BallTest, ::testing::ValuesIn(CASES));
