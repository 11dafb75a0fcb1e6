// Cost of path finding: a search that floods a whole 80 x 40 world, ply by ply, and one
// frame's cycle of the path manager against its half-frame budget. Every ply writes its
// trace to the log, so the log is open on a file, flushed after every line as in the game
// (argument 1) or buffered (argument 0).
#include "GameManager.h"
#include "LogManager.h"
#include "Object.h"
#include "PathFind.h"
#include "PathManager.h"
#include "WorldManager.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr int COLUMNS = 80;
constexpr int ROWS = 40;
// Every cell but the shut-in corner and its three walls is expanded once.
constexpr int FULL_SEARCH_PLIES = COLUMNS * ROWS - 4;

using Clock = std::chrono::steady_clock;

double microsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::micro>(Clock::now() - start).count();
}

/// Runs the benchmarks in a temporary directory, where the log file goes.
class Scratch {
public:
  Scratch() {
    char templ[] = "/tmp/tw-pathbench-XXXXXX";
    if (mkdtemp(templ) && chdir(templ) == 0) {
      dir = templ;
    }
  }
  ~Scratch() {
    if (!dir.empty()) {
      std::remove((dir + "/tarnwick.log").c_str());
      rmdir(dir.c_str());
    }
  }

private:
  std::string dir;
};

/// An empty 80 x 40 world but for three HARD objects that shut the far corner in, so that a
/// search for it from the opposite corner expands every other cell and then fails.
tw::Object* makeWorld(bool flush) {
  static Scratch scratch;
  tw::LogManager& log = tw::LogManager::getInstance();
  if (!log.isStarted()) {
    log.startUp();
  }
  log.setFlush(flush);
  tw::WorldManager& world = tw::WorldManager::getInstance();
  world.shutDown();
  world.startUp();
  world.setBoundary(tw::Box(tw::Vector(0, 0), COLUMNS, ROWS));
  for (const auto& at : {tw::Vector(COLUMNS - 2, ROWS - 2), tw::Vector(COLUMNS - 1, ROWS - 2),
                         tw::Vector(COLUMNS - 2, ROWS - 1)}) {
    (new tw::Object)->setPosition(at);
  }
  return new tw::Object; // the seeker, at (0, 0)
}

void fullWorldSearch(benchmark::State& state) {
  tw::Object* p_seeker = makeWorld(state.range(0) != 0);
  std::vector<double> times; // of every ply, in microseconds
  double late_total = 0, late_plies = 0;
  for (auto _ : state) {
    tw::PathFind finder(p_seeker, 0, 0, COLUMNS - 1, ROWS - 1);
    int status = tw::INCOMPLETE;
    while (status == tw::INCOMPLETE) {
      const auto start = Clock::now();
      status = finder.cycleOnce();
      times.push_back(microsSince(start));
      if (finder.getPly() > FULL_SEARCH_PLIES * 9 / 10) { // the last tenth: longest sets
        late_total += times.back();
        late_plies++;
      }
    }
    benchmark::DoNotOptimize(finder.getPath());
    state.counters["plies"] = finder.getPly();
  }
  double total = 0;
  for (const double t : times) {
    total += t;
  }
  std::sort(times.begin(), times.end());
  auto percentile = [&](double p) { return times[static_cast<size_t>(p * (times.size() - 1))]; };
  state.counters["us_per_ply"] = total / static_cast<double>(times.size());
  state.counters["us_p50_ply"] = percentile(0.5);
  state.counters["us_p99_ply"] = percentile(0.99);
  state.counters["us_max_ply"] = times.back();
  state.counters["us_late_ply"] = late_plies > 0 ? late_total / late_plies : 0;
}
BENCHMARK(fullWorldSearch)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->Iterations(3);

/// One frame's cycle on the system clock, with a whole-world search always in progress.
void pathManagerCycle(benchmark::State& state) {
  tw::Object* p_seeker = makeWorld(state.range(0) != 0);
  tw::GameManager::getInstance().setClock(nullptr);
  tw::GameManager::getInstance().setFrameTime(33);
  tw::PathManager& paths = tw::PathManager::getInstance();
  if (!paths.isStarted()) {
    paths.startUp();
  }
  double cycles = 0, plies = 0, max_cycle = 0;
  for (auto _ : state) {
    if (!p_seeker->getPathFind()) {
      state.PauseTiming();
      paths.findPath(p_seeker, tw::Vector(COLUMNS - 1, ROWS - 1));
      state.ResumeTiming();
    }
    tw::PathFind* p_finder = p_seeker->getPathFind();
    const int before = p_finder->getPly();
    const auto start = Clock::now();
    paths.cycle();
    const double us = microsSince(start);
    // A search that ended was deleted by its object when its result came.
    const bool ended = p_seeker->getPathFind() == nullptr;
    plies += (ended ? FULL_SEARCH_PLIES : p_finder->getPly()) - before;
    max_cycle = std::max(max_cycle, us);
    cycles++;
  }
  state.counters["budget_ms"] = paths.getMaxCycleTime();
  state.counters["plies_per_cycle"] = cycles > 0 ? plies / cycles : 0;
  state.counters["ms_max_cycle"] = max_cycle / 1000;
  tw::WorldManager::getInstance().shutDown();
}
BENCHMARK(pathManagerCycle)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->Iterations(200);

} // namespace

BENCHMARK_MAIN();
