// Cost of one world update with many moving HARD objects, with collisions searched by a scan
// of every solid object (grid 0) and through the collision grid (grid 1).
#include "LoggedMain.h"

#include "LogManager.h"
#include "Object.h"
#include "WorldManager.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <random>

namespace {

/// Fills an 80 x 40 world with n HARD objects drifting in random directions; they bounce back
/// in when they leave, so the density stays the same while the benchmark runs.
long collisions = 0; // collision events delivered

class Drifter : public tw::Object {
public:
  int eventHandler(const tw::Event* p_e) override {
    if (p_e->isType(tw::OUT_EVENT)) {
      setVelocity(getVelocity() * -1.0f);
      return 1;
    }
    if (p_e->isType(tw::COLLISION_EVENT)) {
      collisions++;
      return 1;
    }
    return 0;
  }
};

void fillWorld(int n) {
  tw::WorldManager& world = tw::WorldManager::getInstance();
  world.shutDown();
  world.startUp();
  world.setBoundary(tw::Box(tw::Vector(0, 0), 80, 40));
  world.setView(tw::Box(tw::Vector(0, 0), 80, 40));
  std::mt19937 rng(1);
  std::uniform_real_distribution<float> x(0, 80), y(0, 40), v(-0.5f, 0.5f);
  for (int i = 0; i < n; i++) {
    auto* p_o = new Drifter;
    p_o->setPosition(tw::Vector(x(rng), y(rng)));
    p_o->setVelocity(tw::Vector(v(rng), v(rng)));
  }
}

void worldUpdate(benchmark::State& state) {
  tw::WorldManager& world = tw::WorldManager::getInstance();
  world.setCollisionGrid(state.range(1) != 0);
  fillWorld(static_cast<int>(state.range(0)));
  // The first update starts from the same world whichever way collisions are searched, so
  // its count of collision events must be the same for both.
  collisions = 0;
  world.update();
  state.counters["collisions_first_update"] = static_cast<double>(collisions);
  collisions = 0;
  for (auto _ : state) {
    world.update();
  }
  state.counters["collisions_per_update"] =
      static_cast<double>(collisions) / static_cast<double>(state.iterations());
  world.shutDown();
}

} // namespace

BENCHMARK(worldUpdate)
    ->ArgNames({"objects", "grid"})
    ->ArgsProduct({{100, 1000, 5000, 10000}, {0, 1}})
    ->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
  return runLoggedBenchmarks(argc, argv);
}
