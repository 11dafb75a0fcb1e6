// Making, marking and deleting many objects at once: n HARD objects, each interested in step
// events, are made at random in an 80 x 40 world, all marked for deletion (in the order they
// were made, or in reverse) and deleted by one world update; and the world's shut-down with n
// objects in it. The timed part is the update (or the shut-down); making and marking are
// reported as counters, with sizeof(tw::Object).
#include "LoggedMain.h"

#include "LogManager.h"
#include "Object.h"
#include "ObjectList.h"
#include "WorldManager.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <random>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

class Piece : public tw::Object {
public:
  Piece() { registerInterest(tw::STEP_EVENT); }
};

std::vector<tw::Object*> fillWorld(int n) {
  tw::WorldManager& world = tw::WorldManager::getInstance();
  world.shutDown();
  world.startUp();
  world.setBoundary(tw::Box(tw::Vector(0, 0), 80, 40));
  world.setView(tw::Box(tw::Vector(0, 0), 80, 40));
  std::mt19937 rng(1);
  std::uniform_real_distribution<float> x(0, 80), y(0, 40);
  std::vector<tw::Object*> made;
  made.reserve(static_cast<std::size_t>(n));
  for (int i = 0; i < n; i++) {
    auto* p_o = new Piece;
    p_o->setPosition(tw::Vector(x(rng), y(rng)));
    made.push_back(p_o);
  }
  return made;
}

void massDelete(benchmark::State& state) {
  tw::WorldManager& world = tw::WorldManager::getInstance();
  const int n = static_cast<int>(state.range(0));
  const bool reverse = state.range(1) != 0;
  double make_ms = 0, mark_ms = 0;
  for (auto _ : state) {
    auto start = Clock::now();
    std::vector<tw::Object*> made = fillWorld(n);
    make_ms += msSince(start);
    start = Clock::now();
    for (int i = 0; i < n; i++) {
      world.markForDelete(made[static_cast<std::size_t>(reverse ? n - 1 - i : i)]);
    }
    mark_ms += msSince(start);
    start = Clock::now();
    world.update();
    state.SetIterationTime(msSince(start) / 1000.0);
    if (world.getAllObjects(true).getCount() != 0) {
      state.SkipWithError("objects left after the update");
    }
  }
  const auto iterations = static_cast<double>(state.iterations());
  state.counters["make_ms"] = make_ms / iterations;
  state.counters["mark_ms"] = mark_ms / iterations;
  state.counters["sizeof_object"] = static_cast<double>(sizeof(tw::Object));
  world.shutDown();
}

void shutDownWith(benchmark::State& state) {
  tw::WorldManager& world = tw::WorldManager::getInstance();
  for (auto _ : state) {
    fillWorld(static_cast<int>(state.range(0)));
    const auto start = Clock::now();
    world.shutDown();
    state.SetIterationTime(msSince(start) / 1000.0);
  }
}

} // namespace

BENCHMARK(massDelete)
    ->ArgNames({"objects", "reverse"})
    ->ArgsProduct({{1000, 5000, 10000, 20000, 40000}, {0, 1}})
    ->UseManualTime()
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(shutDownWith)
    ->ArgNames({"objects"})
    ->Arg(40000)
    ->UseManualTime()
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
  return runLoggedBenchmarks(argc, argv);
}
