#include "Mode.h"
#include "Points.h"
#include "Text.h"
#include "Timer.h"
#include "Title.h"
#include "shared.h"

#include "EventView.h"
#include "GameFixture.h"
#include "GameManager.h"
#include "InputManager.h"
#include "WorldManager.h"

using namespace twtest;

namespace {

class ScoreTest : public GameTest {
protected:
  tw::WorldManager& world = tw::WorldManager::getInstance();
  Mode& state = Mode::getInstance();
};

} // namespace

TEST_F(ScoreTest, PointsPublishTheScoreAndRaiseTheHighScore) {
  state.high_score = 50;
  auto* p_points = new Points(0, false, tw::Vector(40, 4));
  EXPECT_EQ(p_points->getLocation(), tw::LOCATION_NONE);
  frame();
  EXPECT_EQ(state.score, 0);
  EXPECT_EQ(state.high_score, 50);
  addPoints(60);
  frame();
  EXPECT_EQ(state.score, 60);
  EXPECT_EQ(state.high_score, 60);
  addPoints(-30);
  frame();
  EXPECT_EQ(state.score, 30);
  EXPECT_EQ(state.high_score, 60);
}

TEST_F(ScoreTest, AddPointsLeavesTheTimerAndLabelledViewsAlone) {
  addPoints(10); // nothing to receive it
  auto* p_score = new Points(5, true, tw::Vector(75, 4));
  auto* p_timer = new Timer(tw::Vector(5, 4));
  p_timer->setValue(100);
  auto* p_labelled = new Points(7, true, tw::Vector(40, 4));
  p_labelled->setViewString("Lives");
  addPoints(10);
  EXPECT_EQ(p_score->getValue(), 15);
  EXPECT_EQ(p_timer->getValue(), 100);
  EXPECT_EQ(p_labelled->getValue(), 7);
}

TEST_F(ScoreTest, TimerCountsDownEveryThirtyStepsAndEndsTheGame) {
  state.mode = TIMED;
  state.status = PLAY;
  step = 17;
  auto* p_timer = new Timer(tw::Vector(5, 4));
  frames(12); // steps 17 to 28
  EXPECT_EQ(p_timer->getValue(), 120);
  frames(2); // step 30 is the first multiple of 30
  EXPECT_EQ(p_timer->getValue(), 119);
  p_timer->setValue(1);
  frames(29); // steps 31 to 59
  EXPECT_EQ(state.status, PLAY);
  frame(); // step 60
  EXPECT_EQ(state.status, TIME);
  EXPECT_EQ(state.mode, MENU);
}

TEST_F(ScoreTest, HoldingTEndsATimedGame) {
  state.mode = TIMED;
  state.status = PLAY;
  new Timer(tw::Vector(5, 4));
  key(tw::Keyboard::T, tw::Keyboard::KEY_PRESSED);
  EXPECT_EQ(state.status, PLAY);
  key(tw::Keyboard::T, tw::Keyboard::KEY_DOWN);
  EXPECT_EQ(state.status, TIME);
}

TEST_F(ScoreTest, HoldingQQuitsWhileAnyTextIsShown) {
  tw::GameManager::getInstance().setGameOver(false);
  key(tw::Keyboard::Q, tw::Keyboard::KEY_DOWN);
  EXPECT_FALSE(tw::GameManager::getInstance().getGameOver());
  new Text(tw::WHITE, false, "Score", tw::Vector(75, 2));
  key(tw::Keyboard::Q, tw::Keyboard::KEY_RELEASED);
  EXPECT_FALSE(tw::GameManager::getInstance().getGameOver());
  key(tw::Keyboard::Q, tw::Keyboard::KEY_DOWN);
  EXPECT_TRUE(tw::GameManager::getInstance().getGameOver());
  EXPECT_EQ(state.status, END);
  EXPECT_EQ(state.mode, MODE_NONE);
}

TEST_F(ScoreTest, BorderedEntriesLightUpAndStartTheirModeWhenPressed) {
  Mode::update(MENU, START);
  Text* p_normal = nullptr;
  Text* p_controls = nullptr;
  for (tw::Object* p_o : ofType("Text")) {
    auto* p_text = static_cast<Text*>(p_o);
    if (p_text->getViewString() == "Normal Mode") {
      p_normal = p_text;
    } else if (p_text->getViewString() == "-Controls-") {
      p_controls = p_text;
    }
  }
  ASSERT_NE(p_normal, nullptr);
  ASSERT_NE(p_controls, nullptr);
  EXPECT_EQ(p_normal->getPosition(), tw::Vector(20, 21));
  // Passing over only lights it up; a click is not a press.
  mouse(tw::Mouse::MOVED, 20, 21);
  EXPECT_EQ(p_normal->getColor(), tw::RED);
  mouse(tw::Mouse::CLICKED, 20, 21);
  EXPECT_EQ(state.mode, MENU);
  // Texts without a border never light up nor start anything.
  mouse(tw::Mouse::PRESSED, 39.5f, 29);
  EXPECT_EQ(p_controls->getColor(), tw::WHITE);
  EXPECT_EQ(state.mode, MENU);
  // Leaving turns it white again; a press off the entry starts nothing.
  mouse(tw::Mouse::PRESSED, 40, 35);
  EXPECT_EQ(p_normal->getColor(), tw::WHITE);
  EXPECT_EQ(state.mode, MENU);
  // Held over it for several frames, the mode starts once.
  mouse(tw::Mouse::PRESSED, 21, 22);
  mouse(tw::Mouse::PRESSED, 21, 22);
  EXPECT_EQ(state.mode, REGULAR);
  EXPECT_EQ(state.status, PLAY);
  world.update();
  EXPECT_EQ(count("Ball"), 1);
  EXPECT_EQ(count("Pause"), 1);
}

TEST_F(ScoreTest, TitleIsASolidSprite) {
  auto* p_title = new Title(tw::Vector(9, 2));
  EXPECT_EQ(p_title->getSolidness(), tw::HARD);
  EXPECT_EQ(p_title->getSpriteName(), "title");
  EXPECT_EQ(p_title->getBox().getCorner(), tw::Vector(0, 0));
  const tw::EventView v("", 1, true);
  EXPECT_EQ(p_title->eventHandler(&v), 0);
}
