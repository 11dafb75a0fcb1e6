#include "Mode.h"

#include <algorithm>
#include "Points.h"
#include "Text.h"

#include "GameFixture.h"
#include "GameManager.h"
#include "ResourceManager.h"
#include "WorldManager.h"

using namespace twtest;

namespace {

class ModeTest : public GameTest {
protected:
  bool loadsResources() const override { return false; }
  tw::WorldManager& world = tw::WorldManager::getInstance();
  Mode& state = Mode::getInstance();

  int objectCount() const { return world.getAllObjects(true).getCount(); }

  std::vector<std::string> texts() const {
    std::vector<std::string> out;
    for (tw::Object* p_o : ofType("Text")) {
      out.push_back(static_cast<Text*>(p_o)->getViewString());
    }
    return out;
  }

  bool hasText(const std::string& text) const {
    const auto all = texts();
    return std::find(all.begin(), all.end(), text) != all.end();
  }
};

} // namespace

TEST_F(ModeTest, StartLoadsResourcesAndBuildsTheMenuOnce) {
  EXPECT_EQ(state.mode, MODE_NONE);
  EXPECT_EQ(state.status, START);
  EXPECT_EQ(state.high_score, 0);
  Mode::update(MENU, START);
  tw::ResourceManager& rm = tw::ResourceManager::getInstance();
  EXPECT_EQ(rm.getSoundCount(), 7);
  EXPECT_EQ(rm.getMusicCount(), 3);
  for (const char* label : {"title", "explosion", "paddleh", "paddlev", "ball", "brick-default",
                            "brick-strong", "brick-super", "brick-moving"}) {
    EXPECT_NE(rm.getSprite(label), nullptr) << label;
  }
  EXPECT_EQ(objectCount(), 14);
  EXPECT_EQ(count("Reticle"), 1);
  EXPECT_EQ(count("Title"), 1);
  EXPECT_EQ(count("Text"), 9);
  EXPECT_EQ(count("Points"), 1);
  EXPECT_EQ(count("Ball"), 1);
  EXPECT_EQ(count("Paddle"), 1);
  EXPECT_TRUE(hasText("Bounce the ball to break the bricks"));
  EXPECT_TRUE(hasText("Normal Mode"));
  const tw::Box boundary = world.getBoundary();
  EXPECT_EQ(boundary, tw::Box(tw::Vector(0, -0.25f), 79, 39));
  EXPECT_EQ(ofType("Ball")[0]->getPosition(), tw::Vector(39.5f, 19.5f));
  EXPECT_EQ(state.mode, MENU);

  Mode::update(MENU, START);
  EXPECT_EQ(objectCount(), 14);
  EXPECT_EQ(rm.getSoundCount(), 7);
}

TEST_F(ModeTest, NormalModeReplacesTheMenuInTheSameFrame) {
  Mode::update(MENU, START);
  Mode::update(REGULAR, PLAY);
  Mode::update(REGULAR, PLAY); // a held button repeats the call: nothing more happens
  EXPECT_EQ(ofType("Ball")[1]->getPosition(), tw::Vector(29.5f, 20));
  world.update();
  EXPECT_EQ(objectCount(), 54);
  EXPECT_EQ(count("Reticle"), 1);
  EXPECT_EQ(count("Pause"), 1);
  EXPECT_EQ(count("Paddle"), 1);
  EXPECT_EQ(count("Ball"), 1);
  EXPECT_EQ(world.getBoundary(), tw::Box(tw::Vector(10, 0.75f), 59, 37));
  const auto bricks = ofType("Brick");
  ASSERT_EQ(bricks.size(), 50u);
  EXPECT_EQ(bricks.front()->getPosition(), tw::Vector(10, 1));
  EXPECT_EQ(bricks[9]->getPosition(), tw::Vector(64, 1));
  EXPECT_EQ(bricks[10]->getPosition(), tw::Vector(10, 3));
  EXPECT_EQ(bricks.back()->getPosition(), tw::Vector(64, 9));
}

TEST_F(ModeTest, FourSidedModes) {
  Mode::update(MENU, START);
  // The menu ball would take part in this frame's update among the new bricks: move it away.
  ofType("Ball")[0]->setPosition(tw::Vector(70, 35));
  Mode::update(ADVANCED, PLAY);
  world.update();
  // The new ball may graze the old title before it goes: that makes an explosion.
  EXPECT_EQ(objectCount() - count("Explosion"), 35);
  EXPECT_EQ(count("Paddle"), 4);
  EXPECT_EQ(count("Brick"), 28);
  const tw::Vector ball = ofType("Ball")[0]->getPosition();
  EXPECT_GE(ball.getX(), 6);
  EXPECT_LE(ball.getX(), 40);
  EXPECT_EQ(ball.getY(), 3);
  const auto bricks = ofType("Brick");
  EXPECT_EQ(bricks.front()->getPosition(), tw::Vector(28, 14));
  EXPECT_EQ(bricks.back()->getPosition(), tw::Vector(46, 26));

  Mode::update(MENU, EXIT);
  world.update();
  ofType("Ball")[0]->setPosition(tw::Vector(70, 35));
  Mode::update(TIMED, PLAY);
  world.update();
  EXPECT_EQ(count("Paddle"), 4);
  EXPECT_EQ(count("Brick"), 28);
  EXPECT_EQ(count("Timer"), 1);
  EXPECT_EQ(count("Points"), 1);
  EXPECT_TRUE(hasText("Time"));
  EXPECT_TRUE(hasText("Score"));
  EXPECT_EQ(objectCount() - count("Explosion"), 39);
}

TEST_F(ModeTest, LosingExplodesEverythingAndShowsTheMessage) {
  Mode::update(MENU, START);
  Mode::update(REGULAR, PLAY);
  world.update();
  const int before = objectCount();
  Mode::update(MENU, LOSE);
  world.update();
  // Every old object became an explosion; the 14 menu objects are new.
  EXPECT_EQ(count("Explosion"), before);
  EXPECT_EQ(count("Brick"), 0);
  EXPECT_EQ(objectCount(), before + 14);
  EXPECT_TRUE(hasText("Game Over. Not enough bricks were broken."));
  EXPECT_FALSE(hasText("Bounce the ball to break the bricks"));
}

TEST_F(ModeTest, WinningDeletesWithoutExplosions) {
  Mode::update(MENU, START);
  Mode::update(REGULAR, PLAY);
  world.update();
  Mode::update(MENU, WIN);
  world.update();
  EXPECT_EQ(count("Explosion"), 0);
  EXPECT_EQ(objectCount(), 14);
  EXPECT_TRUE(hasText("You have destroyed bricks, hopes, and dreams. Congratulations!"));
}

TEST_F(ModeTest, TimeShowsTheFinalScoreAndTheHighScore) {
  Mode::update(MENU, START);
  Mode::update(TIMED, PLAY);
  world.update();
  static_cast<Points*>(ofType("Points")[0])->setValue(70);
  frame(); // Points publish the score on every step
  EXPECT_EQ(state.score, 70);
  Mode::update(MENU, TIME);
  world.update();
  frame();
  EXPECT_TRUE(hasText("Time's up! Your score was:"));
  bool final_score = false;
  for (tw::Object* p_o : ofType("Points")) {
    auto* p_points = static_cast<Points*>(p_o);
    if (p_points->getPosition() == tw::Vector(55, 12)) {
      final_score = p_points->getValue() == 70;
    }
    if (p_points->getPosition() == tw::Vector(66, 24)) {
      EXPECT_EQ(p_points->getValue(), 70); // the high score
    }
  }
  EXPECT_TRUE(final_score);
  EXPECT_GE(state.high_score, 70);
}

TEST_F(ModeTest, EndOnlySetsGameOver) {
  Mode::update(MENU, START);
  const int before = objectCount();
  tw::GameManager::getInstance().setGameOver(false);
  Mode::update(MODE_NONE, END);
  world.update();
  EXPECT_EQ(objectCount(), before);
  EXPECT_TRUE(tw::GameManager::getInstance().getGameOver());
  // The menu ball's next step must not turn the quit into a win.
  frame();
  EXPECT_EQ(state.status, END);
  EXPECT_EQ(objectCount(), before);
  const auto lines = stopLog();
  EXPECT_TRUE(contains(lines, "Mode::update(): End"));
  EXPECT_FALSE(contains(lines, "Mode::update(): Win"));
}

TEST_F(ModeTest, UnknownModesAndStatusesChangeNothingButTheRecord) {
  Mode::update(MENU, START);
  const int before = objectCount();
  Mode::update(99, 99);
  world.update();
  EXPECT_EQ(objectCount(), before);
  EXPECT_EQ(state.mode, 99);
}
