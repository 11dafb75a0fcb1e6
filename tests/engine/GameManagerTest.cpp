#include "EventStep.h"
#include "TestSupport.h"

#include <csignal>

using namespace twtest;

struct GameManagerTest : WorldTest {
  void SetUp() override { WorldTest::SetUp(), game.setClock(&clock), game.setFrameTime(33); }
  void TearDown() override { game.setClock(nullptr), WorldTest::TearDown(); }
  /// A probe for step events that logs each step, spends work[step] microseconds in it, makes
  /// the sleeps of steps before oversleeping oversleep by 2 ms and ends the loop after last.
  void stepper(std::vector<std::int64_t> work, int init_last, int oversleeping = 0) {
    auto* p = new WorldProbe("s");
    p->registerInterest(tw::STEP_EVENT), last = init_last;
    p->on_event = [this, work, oversleeping](const tw::Event* p_e) {
      const int step = static_cast<const tw::EventStep*>(p_e)->getStepCount();
      log.writeLog("step %d at %lld", step, static_cast<long long>(clock.micros));
      clock.over = step < oversleeping ? 2000 : 0;
      clock.micros += step < static_cast<int>(work.size()) ? work[step] : 0;
      game.setGameOver(step == last);
    };
  }
  /// Logs the sleeps so far and forgets them.
  void sleeps() {
    std::string s;
    for (int ms : clock.sleeps)
      s += " " + std::to_string(ms);
    log.writeLog("slept%s", s.c_str()), clock.sleeps.clear();
  }
  tw::GameManager& game = tw::GameManager::getInstance();
  tw::LogManager& log = tw::LogManager::getInstance();
  FakeClock clock;
  int last = 0;
};

/// Sleeps are 33 ms less the work, less what the sleep before overslept; an overrun right
/// after an oversleep goes unreported; a frame time of 0 or less never sleeps nor complains.
TEST_F(GameManagerTest, StepsSleepsAndOverruns) {
  clock.micros = 3599990000LL; // the clock is monotonic: the turn of an hour is no matter
  stepper({10000, 10000, 40500, 40500, 10000, 50000}, 4, 2);
  auto *p_b = new WorldProbe("b"), *p_off = new WorldProbe("off"), *p_quiet = new WorldProbe("q");
  for (WorldProbe* p : {p_b, p_off, p_quiet})
    p->registerInterest(tw::STEP_EVENT);
  p_off->setActive(false), p_quiet->unregisterInterest(tw::STEP_EVENT);
  log.setLogLevel(1), game.run(), sleeps();
  log.writeLog("steps %d", game.getStepCount());
  for (const std::string& heard : probe_events)
    log.writeLog("  %s", heard.c_str());
  for (int frame_time : {0, -5})
    last = 5, game.setFrameTime(frame_time), game.run(), sleeps();
  log.writeLog("valid %d %d", game.isValid("tw::step"), game.isValid("tw::keyboard"));
  EXPECT_TRUE(
      matchesFile("golden/GameManager.StepsSleepsAndOverruns.txt", withoutTimes(stopLog())));
}

/// Start-up, two frames (a SIGINT in the second ends the loop) and shut-down, headless; the
/// configuration's warning, written before the log opens, starts the log. Then a second start.
using GameStartUp = TempDirTest;

TEST_F(GameStartUp, HeadlessStartRunAndShutDownWriteTheLog) {
  writeFile("tw-config.txt", "headless:true,\nframe_time:1,\nrandom_seed:99,\nwidth:8\n");
  tw::GameManager& game = tw::GameManager::getInstance();
  tw::LogManager& log = tw::LogManager::getInstance();
  const tw::WorldManager& world = tw::WorldManager::getInstance();
  FakeClock clock;
  log.setLogLevel(10), game.setClock(&clock);
  ASSERT_EQ(game.startUp(), 0);
  const tw::Box b = world.getBoundary(), v = world.getView();
  log.writeLog("started %d, frame time %d, boundary %gx%g, view %g,%g %gx%g, slack %.8g,%.8g",
               game.isStarted(), game.getFrameTime(), b.getHorizontal(), b.getVertical(),
               v.getCorner().getX(), v.getCorner().getY(), v.getHorizontal(), v.getVertical(),
               world.getViewSlack().getX(), world.getViewSlack().getY());
  auto* p_s = new WorldProbe;
  p_s->registerInterest(tw::STEP_EVENT);
  p_s->on_event = [&](const tw::Event*) {
    game.getStepCount() == 1 ? void(std::raise(SIGINT)) : game.setGameOver(game.getStepCount() > 9);
  };
  game.run(), game.shutDown(), game.setClock(nullptr);
  EXPECT_EQ(std::signal(SIGINT, SIG_DFL), SIG_DFL); // the handler found at start-up is back
  std::string slept;
  for (int ms : clock.sleeps)
    slept += std::to_string(ms) + " ";
  EXPECT_TRUE(matchesFile("golden/GameStartUp.plain.txt",
                          withoutTimes(linesOf("tarnwick.log")) + slept + "\n"));
  EXPECT_EQ(game.startUp(), 0) << readText("tarnwick.log"); // a second game in the process
  game.shutDown();
}
