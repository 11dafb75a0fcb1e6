#include "Config.h"
#include "EventStep.h"
#include "GameManager.h"
#include "LogManager.h"
#include "Object.h"
#include "WorldManager.h"

#include "TestSupport.h"

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <functional>
#include <sys/wait.h>
#include <vector>

using namespace twtest;

namespace {

/// Counts its step events and runs a hook on each.
class Stepper : public tw::Object {
public:
  Stepper() { registerInterest(tw::STEP_EVENT); }
  int eventHandler(const tw::Event* p_e) override {
    if (!p_e->isType(tw::STEP_EVENT)) {
      return 0;
    }
    step_counts.push_back(static_cast<const tw::EventStep*>(p_e)->getStepCount());
    if (on_step) {
      on_step(step_counts.back());
    }
    return 1;
  }
  std::vector<int> step_counts;
  std::function<void(int)> on_step;
};

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

class GameManagerTest : public TempDirTest {
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
    if (tw::LogManager::getInstance().isStarted()) {
      stopLog();
    }
    TempDirTest::TearDown();
  }

  tw::GameManager& game = tw::GameManager::getInstance();
  CountingClock clock;
};

} // namespace

TEST_F(GameManagerTest, StepEventsGoOncePerFrameToActiveRegisteredObjects) {
  auto* p_a = new Stepper;
  auto* p_b = new Stepper;
  auto* p_inactive = new Stepper;
  p_inactive->setActive(false);
  auto* p_quiet = new Stepper;
  p_quiet->unregisterInterest(tw::STEP_EVENT);
  p_a->on_step = [&](int step) {
    if (step == 4) {
      game.setGameOver();
    }
  };
  game.run();
  // Game over set in frame 4 ends the loop after that whole frame.
  EXPECT_EQ(p_a->step_counts, (std::vector<int>{0, 1, 2, 3, 4}));
  EXPECT_EQ(p_b->step_counts, p_a->step_counts);
  EXPECT_TRUE(p_inactive->step_counts.empty());
  EXPECT_TRUE(p_quiet->step_counts.empty());
  EXPECT_EQ(game.getStepCount(), 5);
  EXPECT_TRUE(game.isValid("tw::step"));
  EXPECT_FALSE(game.isValid("tw::keyboard"));
}

TEST_F(GameManagerTest, SleepsTheRestOfTheFrameAndCarriesOversleep) {
  auto* p_s = new Stepper;
  p_s->on_step = [&](int step) {
    clock.micros += 10000; // 10 ms of work every frame
    if (step == 3) {
      game.setGameOver();
    }
  };
  clock.oversleep = 2000; // every sleep oversleeps by 2 ms
  game.run();
  // First sleep 23 ms; the later ones are shortened by the 2 ms overslept before.
  ASSERT_EQ(clock.sleeps.size(), 4u);
  EXPECT_EQ(clock.sleeps[0], 23);
  EXPECT_EQ(clock.sleeps[1], 21);
  EXPECT_EQ(clock.sleeps[2], 21);
  EXPECT_FALSE(contains(stopLog(), "Can't keep up!"));
}

TEST_F(GameManagerTest, OverrunLogsOnlyWithoutCarriedOversleep) {
  auto* p_s = new Stepper;
  p_s->on_step = [&](int step) {
    if (step == 1) {
      clock.micros += 40500; // longer than the frame
    }
    if (step == 3) {
      clock.oversleep = 5000; // frame 3 oversleeps...
    }
    if (step == 4) {
      clock.oversleep = 0;
      clock.micros += 50000; // ...so frame 4's overrun goes unreported
    }
    if (step == 6) {
      game.setGameOver();
    }
  };
  game.run();
  const auto lines = stopLog();
  EXPECT_EQ(
      countContaining(lines, "GameManager::run(): Can't keep up! frame_time 33 ms, split 40 ms"),
      1);
  EXPECT_EQ(countContaining(lines, "Can't keep up!"), 1);
  EXPECT_EQ(clock.sleeps.size(), 5u); // frames 1 and 4 did not sleep
}

TEST_F(GameManagerTest, FrameTimeOfZeroOrLessNeverSleepsNorComplains) {
  for (int frame_time : {0, -5}) {
    game.setFrameTime(frame_time);
    auto* p_s = new Stepper;
    p_s->on_step = [&](int step) {
      clock.micros += 1000;
      if (step == 5) {
        game.setGameOver();
      }
    };
    game.run();
    tw::WorldManager::getInstance().markForDelete(p_s);
    tw::WorldManager::getInstance().update();
  }
  EXPECT_TRUE(clock.sleeps.empty());
  EXPECT_FALSE(contains(stopLog(), "Can't keep up!"));
}

TEST_F(GameManagerTest, TurnOfTheHourDoesNotLookLikeAnOverrun) {
  // Times come from a monotonic clock: a frame that spans what would be the turn of an hour
  // on the wall clock is paced like any other.
  clock.micros = 3599990000LL;
  auto* p_s = new Stepper;
  p_s->on_step = [&](int step) {
    clock.micros += 20000;
    if (step == 2) {
      game.setGameOver();
    }
  };
  game.run();
  EXPECT_EQ(clock.sleeps, (std::vector<int>{13, 13, 13}));
  EXPECT_FALSE(contains(stopLog(), "Can't keep up!"));
}

TEST_F(GameManagerTest, RealLoopKeepsRoughlyThirtyFramesASecond) {
  game.setClock(nullptr);
  auto* p_s = new Stepper;
  p_s->on_step = [&](int step) {
    if (step == 29) {
      game.setGameOver();
    }
  };
  const auto begin = std::chrono::steady_clock::now();
  game.run();
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
  // 30 frames of 33 ms: about 1 s. Loose bounds: the machine is shared.
  EXPECT_GT(seconds, 0.9);
  EXPECT_LT(seconds, 3.0);
}

TEST_F(GameManagerTest, EachPartOfTheFrameIsTimedWhereItsWorkHappens) {
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

TEST_F(GameManagerTest, AnOverrunFrameReportsNoSleep) {
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

TEST_F(GameManagerTest, OnlyAnObserverMakesTheLoopReadTheClockMore) {
  new Busy(clock, 1000);
  auto* p_ender = new Stepper;
  p_ender->on_step = [&](int step) {
    if (step == 2) {
      game.setGameOver();
    }
  };
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

class GameStartUpTest : public TempDirTest {};

TEST_F(GameStartUpTest, HeadlessStartRunAndShutDownWriteTheLog) {
  writeFile("tw-config.txt", "headless:true,\nframe_time:1\n");
  tw::GameManager& game = tw::GameManager::getInstance();
  ASSERT_EQ(game.startUp(), 0);
  EXPECT_TRUE(game.isStarted());
  EXPECT_EQ(game.getFrameTime(), 1);
  const tw::Box boundary = tw::WorldManager::getInstance().getBoundary();
  EXPECT_EQ(boundary.getHorizontal(), 80);
  EXPECT_EQ(boundary.getVertical(), 24);
  EXPECT_FLOAT_EQ(tw::WorldManager::getInstance().getViewSlack().getX(), 1.0f / 3.0f);
  auto* p_s = new Stepper;
  p_s->on_step = [&](int step) {
    if (step == 2) {
      game.setGameOver();
    }
  };
  game.run();
  game.shutDown();
  const auto lines = logLines();
  ASSERT_GE(lines.size(), 4u);
  EXPECT_NE(lines[0].find(" 0 " + std::string(52, '*')), std::string::npos) << lines[0];
  EXPECT_NE(lines[1].find(" 0 ** Tarnwick version 4.2 **"), std::string::npos);
  EXPECT_EQ(countContaining(lines, "GraphicsManager not started!"), 3);
  EXPECT_NE(lines[lines.size() - 2].find("** Game stopped **"), std::string::npos);
  EXPECT_NE(lines.back().find(std::string(52, '*')), std::string::npos);
  EXPECT_FALSE(game.isStarted());
}

namespace {
struct RunResult {
  int exit_code;
  std::string err;
};

RunResult runProgram(const std::string& dir) {
  const std::string command =
      "cd '" + dir + "' && timeout 20 " + TW_BINARY_DIR + "/tarnwick 2> stderr.txt";
  const int status = std::system(command.c_str());
  RunResult result{WIFEXITED(status) ? WEXITSTATUS(status) : -1, ""};
  std::ifstream in(dir + "/stderr.txt");
  std::stringstream ss;
  ss << in.rdbuf();
  result.err = ss.str();
  return result;
}
} // namespace

TEST_F(GameStartUpTest, ProgramWithUnwritableLogShutsDownInOrderAndExitsZero) {
  writeFile("tw-config.txt", "headless:true,\nlogfile:" + dir + "/missing/dir/t.log\n");
  const RunResult r = runProgram(dir);
  EXPECT_EQ(r.exit_code, 0);
  EXPECT_NE(r.err.find("Unable to open file"), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("Error starting LogManager!"), std::string::npos);
  EXPECT_NE(r.err.find("Error starting game manager"), std::string::npos);
  EXPECT_NE(r.err.find("** Game stopped **"), std::string::npos);
}
