#include "EventStep.h"
#include "TestSupport.h"

#include <chrono>

using namespace twtest;
using Seen = std::vector<std::string>;

/// A clock that counts its readings, so a test sees how often the loop looks at it.
struct CountingClock : FakeClock {
  std::int64_t now() override { return readings++, FakeClock::now(); }
  int readings = 0;
};

/// Spends 700 microseconds of the test's clock in every world update, as it moves.
struct Busy : WorldProbe {
  explicit Busy(CountingClock& c) : WorldProbe("busy", {}, tw::SPECTRAL), clock(c) {
    setVelocity(tw::Vector(1, 0));
  }
  void setPosition(tw::Vector at) override { clock.micros += 700, tw::Object::setPosition(at); }
  CountingClock& clock;
};

struct GameManagerTest : WorldTest {
  void SetUp() override { WorldTest::SetUp(), game.setClock(&clock), game.setFrameTime(33); }
  void TearDown() override {
    game.setFrameObserver(nullptr), game.setClock(nullptr), WorldTest::TearDown();
  }
  /// A probe for step events that spends work[step] microseconds in each, makes the sleeps of
  /// steps before oversleeping oversleep by 2 ms, records the steps and ends the loop after last.
  void stepper(std::vector<std::int64_t> work, int init_last, int oversleeping = 0) {
    auto* p = new WorldProbe("s");
    p->registerInterest(tw::STEP_EVENT), last = init_last;
    p->on_event = [this, work, oversleeping](const tw::Event* p_e) {
      const int step = static_cast<const tw::EventStep*>(p_e)->getStepCount();
      steps.push_back(step), clock.over = step < oversleeping ? 2000 : 0;
      clock.micros += step < static_cast<int>(work.size()) ? work[step] : 0;
      game.setGameOver(step == last);
    };
  }
  tw::GameManager& game = tw::GameManager::getInstance();
  CountingClock clock;
  int last = 0;
  std::vector<int> steps;
};

TEST_F(GameManagerTest, StepsSleepsAndOverruns) {
  clock.micros = 3599990000LL; // the clock is monotonic: the turn of an hour is no matter
  stepper({10000, 10000, 40500, 40500, 10000}, 4, 2);
  auto *p_b = new WorldProbe("b"), *p_off = new WorldProbe("off"), *p_quiet = new WorldProbe("q");
  for (WorldProbe* p : {p_b, p_off, p_quiet})
    p->registerInterest(tw::STEP_EVENT);
  p_off->setActive(false), p_quiet->unregisterInterest(tw::STEP_EVENT);
  game.run();
  EXPECT_EQ(steps, (std::vector{0, 1, 2, 3, 4})); // game over in frame 4 ends the loop after it
  EXPECT_EQ(
      countContaining(probe_events, ":tw::step") + countContaining(probe_events, "b:tw::step"), 15);
  EXPECT_EQ(game.getStepCount(), 5);
  // 33 ms less the work, less what the sleep before overslept; an overrun right after an
  // oversleep goes unreported.
  EXPECT_EQ(clock.sleeps, (std::vector{23, 21, 23}));
  const auto lines = stopLog();
  EXPECT_EQ(countContaining(lines, "Can't keep up!"), 1);
  EXPECT_TRUE(contains(lines, "GameManager::run(): Can't keep up! frame_time 33 ms, split 40 ms"));
  EXPECT_TRUE(game.isValid("tw::step"));
  EXPECT_FALSE(game.isValid("tw::keyboard"));
}

TEST_F(GameManagerTest, FrameTimeOfZeroOrLessNeverSleepsNorComplains) {
  stepper({1000, 50000, 1000}, 2);
  for (int frame_time : {0, -5})
    game.setFrameTime(frame_time), game.run();
  EXPECT_TRUE(clock.sleeps.empty());
  EXPECT_FALSE(contains(stopLog(), "Can't keep up!"));
}

TEST_F(GameManagerTest, RealLoopKeepsRoughlyThirtyFramesASecond) {
  game.setClock(nullptr), stepper({}, 14);
  const auto begin = std::chrono::steady_clock::now();
  game.run();
  const std::chrono::duration<double> took = std::chrono::steady_clock::now() - begin;
  EXPECT_GT(took.count(), 0.45); // 15 frames of 33 ms; loose bounds, the machine is shared
  EXPECT_LT(took.count(), 2.0);
}

TEST_F(GameManagerTest, AnObserverSeesEachPartOfTheFrameTimedWhereItsWorkHappens) {
  new Busy(clock), stepper({5000, 5000, 40000}, 2);
  game.run();
  const int plain = clock.readings;
  const std::int64_t start = clock.micros;
  clock.readings = 0, last = -1;
  Seen frames;
  game.setFrameObserver([&](const tw::GameManager::FrameTimes& t) {
    std::ostringstream s;
    s << t.step << " " << t.start - start << " " << t.input << " " << t.path << " " << t.update
      << " " << t.draw << " " << t.step_events << " " << t.display << " " << t.work << " "
      << t.sleep;
    frames.push_back(s.str()), game.setGameOver(t.step == 2); // the observer may end the loop
  });
  game.run();
  EXPECT_EQ(frames, (Seen{"0 0 0 0 700 0 5000 0 5700 27000", "1 32700 0 0 700 0 5000 0 5700 27000",
                          "2 65400 0 0 700 0 40000 0 40700 0"}));
  EXPECT_EQ(clock.readings, plain + 3 * 6); // one more reading after each of the six parts
}

using GameStartUpTest = TempDirTest;

TEST_F(GameStartUpTest, HeadlessStartRunAndShutDownWriteTheLog) {
  writeFile("tw-config.txt", "headless:true,\nframe_time:1\n");
  tw::GameManager& game = tw::GameManager::getInstance();
  ASSERT_EQ(game.startUp(), 0);
  EXPECT_TRUE(game.isStarted());
  EXPECT_EQ(game.getFrameTime(), 1);
  const tw::WorldManager& world = tw::WorldManager::getInstance();
  EXPECT_EQ(world.getBoundary(), tw::Box(tw::Vector(0, 0), 80, 24));
  EXPECT_EQ(world.getView(), world.getBoundary());
  EXPECT_EQ(world.getViewSlack(), tw::Vector(1.0f / 3.0f, 1.0f / 3.0f));
  auto* p_s = new WorldProbe;
  p_s->registerInterest(tw::STEP_EVENT);
  p_s->on_event = [&](const tw::Event*) { game.setGameOver(game.getStepCount() == 2); };
  game.run(), game.shutDown();
  EXPECT_FALSE(game.isStarted());
  const auto lines = logLines();
  ASSERT_GE(lines.size(), 4u);
  EXPECT_NE(lines[0].find("    0 " + std::string(52, '*')), std::string::npos) << lines[0];
  EXPECT_NE(lines[1].find("    0 ** Tarnwick version 4.2 **"), std::string::npos);
  EXPECT_EQ(countContaining(lines, "GraphicsManager not started!"), 3);
  EXPECT_NE(lines[lines.size() - 2].find("** Game stopped **"), std::string::npos);
  EXPECT_NE(lines.back().find(std::string(52, '*')), std::string::npos);
}
