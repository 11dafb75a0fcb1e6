// The real program ended by SIGTERM while it replays and records a session, headless: it
// shuts down as at any other end, and the recording it leaves replays whole. Killed, it
// leaves a recording without its end line, which replays up to its last whole step.
#include "TestSupport.h"

#include <cctype>

using namespace twtest;

namespace {

using Interrupted = TempDirTest;

#ifdef SIGKILL
constexpr int KILL = SIGKILL;
#else
constexpr int KILL = 9; // never sent: the test is skipped on Windows, which has no SIGKILL
#endif

/// Whether the recording cut.rec holds 40 screens yet (some way into a session of 392).
bool recorded() {
  const auto lines = linesOf("cut.rec");
  return std::count_if(lines.begin(), lines.end(),
                       [](auto& l) { return l.find("screen") != l.npos; }) >= 40;
}

TEST_F(Interrupted, BySigtermTheGameEndsCleanlyAndItsRecordingReplays) {
  if (WINDOWS)
    GTEST_SKIP() << "Windows has no SIGTERM that one process can send another";
  copyIn({"tw-font.ttf", "sprites", "sounds", "tests/data/replays/session.rec"});
  writeFile("tw-config.txt", "headless:true,\nreplay_file:session.rec,\nrecord_file:cut.rec\n");
  // Signalled once it has recorded 40 screens, at its pace.
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

TEST_F(Interrupted, BySigkillItsRecordingReplaysUpToItsLastWholeStep) {
  if (WINDOWS)
    GTEST_SKIP() << "Windows has no SIGKILL that one process can send another";
  copyIn({"tw-font.ttf", "sprites", "sounds", "tests/data/replays/session.rec"});
  writeFile("tw-config.txt", "headless:true,\nreplay_file:session.rec,\nrecord_file:cut.rec\n");
  EXPECT_EQ(runProgram(program("tarnwick"), {}, "out.txt", 60, recorded, KILL), 128 + KILL);
  // The step of the last line that has its newline.
  const std::string text = readText("cut.rec");
  const std::size_t last_end = text.rfind('\n');
  ASSERT_NE(last_end, text.npos);
  const std::size_t last_start = text.rfind('\n', last_end - 1) + 1;
  const std::string last = text.substr(last_start, last_end - last_start);
  ASSERT_TRUE(std::isdigit(static_cast<unsigned char>(last[0]))) << last;
  writeFile("tw-config.txt", "headless:true,\nframe_time:0,\nreplay_file:cut.rec\n");
  EXPECT_EQ(runProgram(program("tarnwick"), {}, "out.txt"), 0);
  const auto log = linesOf("tarnwick.log");
  EXPECT_TRUE(inOrder(log, {"Warning! 'cut.rec' has no end line: replaying it up to step " +
                                std::to_string(std::stoi(last)) + ", its last whole step",
                            "Replay of 'cut.rec' showed the recorded screen at every step"}))
      << readText("tarnwick.log") << "\n"
      << last;
  EXPECT_FALSE(contains(log, "ended at step")) << readText("tarnwick.log");
}

} // namespace
