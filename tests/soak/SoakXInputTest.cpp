// A two-minute soak of the real program: scripts/soak.sh plays it with seeded random real X
// input through every mode, samples its memory and quits with Q.
#include "TestSupport.h"

#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>
#include <sys/wait.h>

using namespace twtest;

namespace {

class Soak : public TempDirTest {};

} // namespace

TEST_F(Soak, TwoMinutesOfRandomInputThroughEveryMode) {
  // Overruns are counted and shown, not judged: this machine is shared, and timing is for
  // the benchmarks. Crashes, sanitizer reports, a wrong exit code and growing memory fail.
  const std::string command = "SOAK_SECONDS=120 SOAK_WARMUP=60 SOAK_SEED=7 SOAK_GAME_SECONDS=15 "
                              "SOAK_MAX_OVERRUNS=1000000 TARNWICK='" TW_BINARY_DIR "/tarnwick' '" +
                              sourceDir() + "/scripts/soak.sh' '" + dir + "/soak' > soak.txt 2>&1";
  const int status = std::system(command.c_str());
  const std::string report = readText("soak.txt");
  std::cout << report;
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0) << report << readText(dir + "/soak/stderr.txt");

  const std::string summary = readText(dir + "/soak/summary.txt");
  EXPECT_NE(summary.find("exit code 0"), std::string::npos) << summary;
  EXPECT_NE(summary.find("sanitizer reports 0"), std::string::npos) << summary;
  // Every mode was played, and more games than modes.
  int regular = 0, advanced = 0, timed = 0;
  std::ifstream log(dir + "/soak/home/tarnwick.log");
  std::string line;
  while (std::getline(log, line)) {
    regular += line.find("Mode::update(): Regular") != std::string::npos;
    advanced += line.find("Mode::update(): Advanced") != std::string::npos;
    timed += line.find("Mode::update(): Timed") != std::string::npos;
  }
  EXPECT_GE(regular, 1);
  EXPECT_GE(advanced, 1);
  EXPECT_GE(timed, 1);
  EXPECT_GE(regular + advanced + timed, 4);
  // A sample every 10 seconds.
  std::ifstream rss(dir + "/soak/rss.txt");
  int samples = 0;
  while (std::getline(rss, line)) {
    samples++;
  }
  EXPECT_GE(samples, 10);
}
