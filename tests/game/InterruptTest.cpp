// The real program ended by SIGTERM while it replays and records a session, headless: it
// shuts down as at any other end, and the recording it leaves replays whole.
#include "TestSupport.h"

using namespace twtest;

namespace {

using Interrupted = TempDirTest;

TEST_F(Interrupted, BySigtermTheGameEndsCleanlyAndItsRecordingReplays) {
  if (WINDOWS)
    GTEST_SKIP() << "Windows has no SIGTERM that one process can send another";
  copyIn({"tw-font.ttf", "sprites", "sounds", "tests/data/replays/session.rec"});
  writeFile("tw-config.txt", "headless:true,\nreplay_file:session.rec,\nrecord_file:cut.rec\n");
  // Signalled once it has recorded 40 screens (some way into a session of 392), at its pace.
  const auto recorded = [] {
    const auto lines = linesOf("cut.rec");
    return std::count_if(lines.begin(), lines.end(),
                         [](auto& l) { return l.find("screen") != l.npos; }) >= 40;
  };
  EXPECT_EQ(runProgram(program("tarnwick"), {}, "out.txt", 60, recorded), 0);
  const auto log = linesOf("tarnwick.log"), cut = linesOf("cut.rec");
  EXPECT_TRUE(inOrder(log, {"SIGTERM received: ending the game", "** Game stopped **"}))
      << readText("tarnwick.log") << readText("out.txt");
  ASSERT_GE(cut.size(), 2u);
  EXPECT_EQ(cut.back(), "end " + std::to_string(std::stoi(cut[cut.size() - 2]) + 1));
  writeFile("tw-config.txt", "headless:true,\nframe_time:0,\nreplay_file:cut.rec\n");
  EXPECT_EQ(runProgram(program("tarnwick"), {}, "out.txt"), 0);
  EXPECT_TRUE(inOrder(linesOf("tarnwick.log"),
                      {"Replay of 'cut.rec' showed the recorded screen at every step"}));
  EXPECT_FALSE(contains(linesOf("tarnwick.log"), "ended at step")) << readText("tarnwick.log");
}

} // namespace
