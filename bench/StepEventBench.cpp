// The step event sent to 1,000 and 10,000 objects whose handlers count the steps, in the real
// loop, headless and unpaced: the C++ side of bench/python/step_events.py, which runs the same
// objects made in Python. Each round runs every count once (warm-up frames, then recorded
// ones, timed by the loop itself). Writes JSON to the file named by the first argument; the
// second is the number of rounds (default 7).
#include "GameManager.h"
#include "Object.h"
#include "WorldManager.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr int OBJECT_COUNTS[] = {1000, 10000};
constexpr int WARM_UP = 20;
constexpr int FRAMES = 200;

/// Counts the steps it is sent, as the Python counter does.
class Counter : public tw::Object {
public:
  Counter() { registerInterest(tw::STEP_EVENT); }
  int eventHandler(const tw::Event*) override {
    count++;
    return 1;
  }
  long count = 0;
};

struct Run {
  int objects;
  long handled = 0; // steps counted by all the counters, warm-up included
  std::vector<tw::GameManager::FrameTimes> times;
};

Run measure(int objects) {
  tw::GameManager& game = tw::GameManager::getInstance();
  tw::WorldManager& world = tw::WorldManager::getInstance();
  std::vector<Counter*> counters;
  for (int i = 0; i < objects; i++) {
    counters.push_back(new Counter);
  }
  Run run{objects, 0, {}};
  int frame = 0;
  game.setFrameObserver([&](const tw::GameManager::FrameTimes& t) {
    if (frame >= WARM_UP) {
      run.times.push_back(t);
    }
    if (++frame == WARM_UP + FRAMES) {
      game.setGameOver();
    }
  });
  game.run();
  game.setFrameObserver(nullptr);
  for (Counter* p_c : counters) {
    run.handled += p_c->count;
    world.markForDelete(p_c);
  }
  world.update(); // deletes them
  return run;
}

void writeJson(FILE* p_out, const std::vector<Run>& runs) {
  std::fprintf(p_out,
               "{\n  \"language\": \"C++\",\n  \"warm_up\": %d,\n  \"frames\": %d,\n"
               "  \"columns\": [\"work\", \"step_events\"],\n  \"runs\": [\n",
               WARM_UP, FRAMES);
  for (std::size_t i = 0; i < runs.size(); i++) {
    const Run& r = runs[i];
    std::fprintf(p_out, "    {\"objects\": %d, \"handled\": %ld, \"frames\": [", r.objects,
                 r.handled);
    for (std::size_t f = 0; f < r.times.size(); f++) {
      std::fprintf(p_out, "%s[%lld,%lld]", f ? "," : "", static_cast<long long>(r.times[f].work),
                   static_cast<long long>(r.times[f].step_events));
    }
    std::fprintf(p_out, "]}%s\n", i + 1 < runs.size() ? "," : "");
  }
  std::fprintf(p_out, "  ]\n}\n");
}

} // namespace

int main(int argc, char** argv) {
  const std::string out_path = argc > 1 ? std::filesystem::absolute(argv[1]).string() : "";
  const int rounds = argc > 2 ? std::atoi(argv[2]) : 7;
  // The engine reads tw-config.txt from its working folder and writes its log there.
  char templ[] = "/tmp/tw-stepevent-XXXXXX";
  const char* p_dir = mkdtemp(templ);
  if (!p_dir || chdir(p_dir) != 0) {
    std::perror("StepEventBench: scratch folder");
    return 1;
  }
  if (FILE* p_config = std::fopen("tw-config.txt", "w")) {
    std::fputs("headless:true,\nframe_time:0\n", p_config);
    std::fclose(p_config);
  }

  tw::GameManager& game = tw::GameManager::getInstance();
  int status = 0;
  std::vector<Run> runs;
  if (game.startUp() != 0) {
    std::fprintf(stderr, "StepEventBench: the engine did not start\n");
    status = 1;
  } else {
    for (int r = 0; r < rounds; r++) {
      for (int n : OBJECT_COUNTS) {
        runs.push_back(measure(n));
        if (runs.back().handled != static_cast<long>(n) * (WARM_UP + FRAMES)) {
          std::fprintf(stderr, "StepEventBench: %ld steps counted by %d objects\n",
                       runs.back().handled, n);
          status = 1;
        }
      }
    }
    FILE* p_out = argc > 1 ? std::fopen(out_path.c_str(), "w") : stdout;
    if (p_out) {
      writeJson(p_out, runs);
      if (p_out != stdout) {
        std::fclose(p_out);
      }
    } else {
      std::perror(out_path.c_str());
      status = 1;
    }
  }
  game.shutDown();
  unlink("tw-config.txt");
  unlink("tarnwick.log");
  if (chdir("/") == 0) {
    rmdir(p_dir);
  }
  return status;
}
