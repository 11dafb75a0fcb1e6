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
using tw::Vector;

namespace {

class ScoreTest : public GameTest {
protected:
  Text* text(const std::string& label) const {
    for (tw::Object* p_o : ofType("Text")) {
      if (static_cast<Text*>(p_o)->getViewString() == label) {
        return static_cast<Text*>(p_o);
      }
    }
    return nullptr;
  }
  Mode& state = Mode::getInstance();
};

} // namespace

TEST_F(ScoreTest, PointsPublishTheScoreAndOnlyRaiseTheHighScore) {
  addPoints(10); // nothing to receive it
  state.high_score = 50;
  step = 1; // no count-down in these frames
  auto* p_points = new Points(0, false, Vector(40, 4));
  auto* p_timer = new Timer(Vector(5, 4));
  auto* p_labelled = new Points(7, true, Vector(40, 8));
  p_labelled->setViewString("Lives");
  EXPECT_EQ(p_points->getLocation(), tw::LOCATION_NONE);
  const int expected[][3] = {{0, 0, 50}, {60, 60, 60}, {-30, 30, 60}};
  for (const auto& [amount, score, high] : expected) {
    addPoints(amount);
    state.score = -1;
    frame();
    EXPECT_EQ(p_points->getValue(), score);
    // Every Points publishes on each step: the labelled one was created last.
    EXPECT_EQ(state.score, 7);
    EXPECT_EQ(state.high_score, high);
  }
  EXPECT_EQ(p_timer->getValue(), 120);
  EXPECT_EQ(p_labelled->getValue(), 7);
}

TEST_F(ScoreTest, TimerCountsDownEveryThirtyStepsAndEndsTheGame) {
  state.mode = TIMED;
  state.status = PLAY;
  step = 17;
  auto* p_timer = new Timer(Vector(5, 4));
  EXPECT_TRUE(p_timer->getBorder());
  frames(13); // steps 17 to 29
  EXPECT_EQ(p_timer->getValue(), 120);
  frame(); // step 30 is the first multiple of 30
  EXPECT_EQ(p_timer->getValue(), 119);
  frames(30);
  EXPECT_EQ(p_timer->getValue(), 118);
  p_timer->setValue(1);
  frames(29); // steps 61 to 89
  EXPECT_EQ(state.status, PLAY);
  frame(); // step 90
  EXPECT_EQ(state.status, TIME);
  EXPECT_EQ(state.mode, MENU);
}

TEST_F(ScoreTest, HoldingTEndsATimedGame) {
  state.mode = TIMED;
  state.status = PLAY;
  new Timer(Vector(5, 4));
  key(tw::Keyboard::T, tw::Keyboard::KEY_PRESSED);
  key(tw::Keyboard::Q, tw::Keyboard::KEY_DOWN);
  EXPECT_EQ(state.status, PLAY);
  key(tw::Keyboard::T, tw::Keyboard::KEY_DOWN);
  EXPECT_EQ(state.status, TIME);
  EXPECT_EQ(state.mode, MENU);
}

TEST_F(ScoreTest, HoldingQQuitsWhileAnyTextIsShown) {
  key(tw::Keyboard::Q, tw::Keyboard::KEY_DOWN);
  EXPECT_FALSE(tw::GameManager::getInstance().getGameOver());
  new Text(tw::WHITE, false, "Score", Vector(75, 2));
  key(tw::Keyboard::Q, tw::Keyboard::KEY_RELEASED);
  key(tw::Keyboard::W, tw::Keyboard::KEY_DOWN);
  EXPECT_FALSE(tw::GameManager::getInstance().getGameOver());
  key(tw::Keyboard::Q, tw::Keyboard::KEY_DOWN);
  EXPECT_TRUE(tw::GameManager::getInstance().getGameOver());
  EXPECT_EQ(state.status, END);
  EXPECT_EQ(state.mode, MODE_NONE);
}

TEST_F(ScoreTest, BorderedEntriesLightUpAndStartTheirModeWhenPressed) {
  Mode::update(MENU, START);
  Text* p_normal = text("Normal Mode");
  Text* p_controls = text("-Controls-");
  ASSERT_TRUE(p_normal && p_controls && text("Advanced Mode") && text("Timed Mode"));
  mouse(tw::Mouse::MOVED, 20, 21); // passing over only lights it up
  EXPECT_EQ(p_normal->getColor(), tw::RED);
  mouse(tw::Mouse::CLICKED, 20, 21); // a click is not a press
  EXPECT_EQ(state.mode, MENU);
  mouse(tw::Mouse::PRESSED, 39.5f, 29); // no border: never lit, never starts
  EXPECT_EQ(p_controls->getColor(), tw::WHITE);
  EXPECT_EQ(state.mode, MENU);
  mouse(tw::Mouse::PRESSED, 40, 35); // off the entry it turns white again
  EXPECT_EQ(p_normal->getColor(), tw::WHITE);
  EXPECT_EQ(state.mode, MENU);
  mouse(tw::Mouse::PRESSED, 21, 22); // held for several frames, the mode starts once
  mouse(tw::Mouse::PRESSED, 21, 22);
  EXPECT_EQ(state.mode, REGULAR);
  EXPECT_EQ(state.status, PLAY);
  tw::WorldManager::getInstance().update();
  EXPECT_EQ(count("Ball"), 1);
  EXPECT_EQ(count("Pause"), 1);
  for (auto [label, mode] : {std::pair{"Advanced Mode", ADVANCED}, {"Timed Mode", TIMED}}) {
    Mode::update(MENU, EXIT);
    mouse(tw::Mouse::PRESSED, text(label)->getPosition().getX(), 21);
    EXPECT_EQ(state.mode, mode) << label;
  }
}

TEST_F(ScoreTest, TitleIsASolidSpriteThatIgnoresEvents) {
  auto* p_title = new Title(Vector(9, 2));
  EXPECT_EQ(p_title->getSolidness(), tw::HARD);
  EXPECT_EQ(p_title->getSpriteName(), "title");
  EXPECT_EQ(p_title->getBox().getCorner(), Vector(0, 0));
  const tw::EventView v("", 1, true);
  EXPECT_EQ(p_title->eventHandler(&v), 0);
}
