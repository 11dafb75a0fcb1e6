#include "EventStep.h"
#include "GameManager.h"
#include "LogManager.h"
#include "Object.h"
#include "WorldManager.h"

#include "TestSupport.h"

#include <functional>
#include <vector>

using namespace twtest;

namespace {

/// A clock that counts its readings, so a test sees how often the loop looks at it.
class CountingClock : public FakeClock {
public:
  std::int64_t now() override {
    readings++;
    return FakeClock::now();
  }
  int readings = 0;
};

/// Spends time on the test's clock in the world update (as it moves) and in step events.
class Busy : public tw::Object {
public:
  Busy(CountingClock& init_clock, std::int64_t init_step_cost)
      : clock(init_clock), step_cost(init_step_cost) {
    registerInterest(tw::STEP_EVENT);
    setSolidness(tw::SPECTRAL);
    setVelocity(tw::Vector(1, 0));
  }
  void setPosition(tw::Vector new_position) override {
    clock.micros += 700; // the move, inside the world update
    tw::Object::setPosition(new_position);
  }
  int eventHandler(const tw::Event* p_e) override {
    if (!p_e->isType(tw::STEP_EVENT)) {
      return 0;
    }
    clock.micros += step_cost;
    return 1;
  }
  CountingClock& clock;
  std::int64_t step_cost;
};

class FrameTimesTest : public TempDirTest {
protected:
  void SetUp() override {
    TempDirTest::SetUp();
    startLog();
    tw::WorldManager::getInstance().startUp();
    game.setClock(&clock);
    game.setFrameTime(33);
  }
  void TearDown() override {
    game.setFrameObserver(nullptr);
    game.setClock(nullptr);
    tw::WorldManager::getInstance().shutDown();
    stopLog();
    TempDirTest::TearDown();
  }

  tw::GameManager& game = tw::GameManager::getInstance();
  CountingClock clock;
};

} // namespace

TEST_F(FrameTimesTest, EachPartOfTheFrameIsTimedWhereItsWorkHappens) {
  new Busy(clock, 5000);
  std::vector<tw::GameManager::FrameTimes> frames;
  game.setFrameObserver([&](const tw::GameManager::FrameTimes& t) {
    frames.push_back(t);
    if (t.step == 2) {
      game.setGameOver(); // the observer may end the loop: this is the last frame
    }
  });
  const std::int64_t start = clock.micros;
  game.run();

  ASSERT_EQ(frames.size(), 3u);
  for (int i = 0; i < 3; i++) {
    const tw::GameManager::FrameTimes& t = frames[static_cast<std::size_t>(i)];
    EXPECT_EQ(t.step, i);
    // The test's clock moves only by work and sleep; the sleep is whole milliseconds.
    EXPECT_EQ(t.start, start + 32700 * i);
    EXPECT_EQ(t.input, 0);
    EXPECT_EQ(t.path, 0);
    EXPECT_EQ(t.update, 700);
    EXPECT_EQ(t.draw, 0);
    EXPECT_EQ(t.step_events, 5000);
    EXPECT_EQ(t.display, 0);
    EXPECT_EQ(t.work, 5700);
    EXPECT_EQ(t.sleep, 27000); // 33 ms less the work, slept in whole milliseconds
  }
}

TEST_F(FrameTimesTest, AnOverrunFrameReportsNoSleep) {
  new Busy(clock, 40000);
  std::vector<tw::GameManager::FrameTimes> frames;
  game.setFrameObserver([&](const tw::GameManager::FrameTimes& t) {
    frames.push_back(t);
    game.setGameOver();
  });
  game.run();
  ASSERT_EQ(frames.size(), 1u);
  EXPECT_EQ(frames[0].work, 40700);
  EXPECT_EQ(frames[0].sleep, 0);
}

namespace {

/// Ends the loop in its third frame.
class Ender : public tw::Object {
public:
  Ender() { registerInterest(tw::STEP_EVENT); }
  int eventHandler(const tw::Event* p_e) override {
    if (static_cast<const tw::EventStep*>(p_e)->getStepCount() == 2) {
      tw::GameManager::getInstance().setGameOver();
    }
    return 1;
  }
};

} // namespace

TEST_F(FrameTimesTest, OnlyAnObserverMakesTheLoopReadTheClockMore) {
  new Busy(clock, 1000);
  new Ender;
  int frames = 0;
  game.setFrameObserver([&](const tw::GameManager::FrameTimes&) { frames++; });
  game.setFrameObserver(nullptr);
  game.run();
  const int plain = clock.readings;
  EXPECT_EQ(frames, 0);

  clock.readings = 0;
  game.setFrameObserver([&](const tw::GameManager::FrameTimes&) { frames++; });
  game.run();
  EXPECT_EQ(frames, 3);
  EXPECT_EQ(clock.readings, plain + 3 * 6); // one more reading after each of the six parts
}
