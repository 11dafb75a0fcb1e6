#include "GameFixture.h"

#include "EventView.h"
#include "GameManager.h"
#include "Text.h"
#include "Title.h"

using namespace twtest;
using namespace tw::Keyboard;
using tw::Vector;

TEST_F(GameTest, PointsPublishTheScoreAndOnlyRaiseTheHighScore) {
  addPoints(10); // nothing to receive it
  state.high_score = 50;
  step = 1; // no count-down in these frames
  auto* p_points = new Points(0, false, Vector(40, 4));
  auto* p_timer = new Timer(Vector(5, 4));
  auto* p_labelled = new Points(7, true, Vector(40, 8));
  p_labelled->setViewString("Lives");
  EXPECT_EQ(p_points->getLocation(), tw::LOCATION_NONE);
  for (const auto& [amount, score, high] : {std::tuple{0, 0, 50}, {60, 60, 60}, {-30, 30, 60}}) {
    addPoints(amount);
    state.score = -1;
    frame(); // every Points publishes on each step: the labelled one, created last, wins
    EXPECT_EQ(p_points->getValue() * 1000 + state.score * 100 + state.high_score,
              score * 1000 + 700 + high);
  }
  EXPECT_EQ(p_timer->getValue() + p_labelled->getValue(), 127);
}

TEST_F(GameTest, TimerCountsDownEveryThirtyStepsAndEndsTheGame) {
  state.mode = TIMED;
  state.status = PLAY;
  step = 17;
  auto* p_timer = new Timer(Vector(5, 4));
  EXPECT_TRUE(p_timer->getBorder());
  frame(13); // steps 17 to 29
  EXPECT_EQ(p_timer->getValue(), 120);
  frame(31); // step 30 is the first multiple of 30
  EXPECT_EQ(p_timer->getValue(), 118);
  p_timer->setValue(1);
  frame(29); // steps 61 to 89
  EXPECT_EQ(state.status, PLAY);
  frame(); // step 90
  EXPECT_EQ(state.status * 10 + state.mode, TIME * 10 + MENU);
}

TEST_F(GameTest, HoldingTEndsATimedGameAndQQuitsWhileAnyTextIsShown) {
  state.mode = TIMED;
  state.status = PLAY;
  new Timer(Vector(5, 4));
  input(T, KEY_PRESSED);
  input(Q, KEY_DOWN); // no text
  EXPECT_EQ(state.status, PLAY);
  input(T, KEY_DOWN);
  EXPECT_EQ(state.status * 10 + state.mode, TIME * 10 + MENU);
  new Text(tw::WHITE, false, "Score", Vector(75, 2));
  input(Q, KEY_RELEASED);
  input(W, KEY_DOWN);
  EXPECT_FALSE(tw::GameManager::getInstance().getGameOver());
  input(Q, KEY_DOWN);
  EXPECT_TRUE(tw::GameManager::getInstance().getGameOver());
  EXPECT_EQ(state.status * 10 + state.mode, END * 10 + MODE_NONE);
}

TEST_F(GameTest, BorderedEntriesLightUpAndStartTheirModeWhenPressed) {
  Mode::update(MENU, START); // reloads nothing new: the same labels
  auto text = [&](const std::string& label) {
    for (tw::Object* p_o : ofType("Text")) {
      if (static_cast<Text*>(p_o)->getViewString() == label) {
        return static_cast<Text*>(p_o);
      }
    }
    return static_cast<Text*>(nullptr);
  };
  ASSERT_TRUE(text("Normal Mode") && text("-Controls-"));
  input(-1, tw::Mouse::MOVED, 20, 21); // passing over only lights it up
  EXPECT_EQ(text("Normal Mode")->getColor(), tw::RED);
  input(-1, tw::Mouse::CLICKED, 20, 21);    // a click is not a press
  input(-1, tw::Mouse::PRESSED, 39.5f, 29); // no border: never lit, never starts
  EXPECT_EQ(text("-Controls-")->getColor(), tw::WHITE);
  input(-1, tw::Mouse::PRESSED, 40, 35); // off the entry it turns white again
  EXPECT_EQ(text("Normal Mode")->getColor() * 10 + state.mode, tw::WHITE * 10 + MENU);
  for (auto [x, mode] : {std::pair{21.0f, REGULAR}, {39.5f, ADVANCED}, {60.0f, TIMED}}) {
    input(-1, tw::Mouse::PRESSED, x, 21); // held for two frames, the mode starts once
    input(-1, tw::Mouse::PRESSED, x, 21);
    EXPECT_EQ(state.mode * 10 + state.status, mode * 10 + PLAY);
    EXPECT_EQ(count("Pause"), 1);
    Mode::update(MENU, EXIT);
    world.update();
  }
}

TEST_F(GameTest, TitleIsASolidSpriteThatIgnoresEvents) {
  auto* p_title = new Title(Vector(9, 2));
  EXPECT_EQ(p_title->getSolidness() * 10 + p_title->getAltitude(), tw::HARD * 10 + 2);
  EXPECT_EQ(p_title->getSpriteName(), "title");
  EXPECT_EQ(p_title->getBox().getCorner(), Vector(0, 0));
  const tw::EventView v("", 1, true);
  EXPECT_EQ(p_title->eventHandler(&v), 0);
}
