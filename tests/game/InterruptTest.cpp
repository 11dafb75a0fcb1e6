// The real program ended by SIGTERM while it replays and records a session, headless: it
// shuts down as at any other end, and the recording it leaves replays whole.
#include "TestSupport.h"

using namespace twtest;

namespace {

using Interrupted = TempDirTest;

TEST_F(Interrupted, BySigtermTheGameEndsCleanlyAndItsRecordingReplays) {
  const std::string src = sourceDir();
  const std::string program = "ALSOFT_DRIVERS=null '" TW_BINARY_DIR "/tarnwick' > out.txt 2>&1";
  shell("cp -r " + src + "/tw-font.ttf " + src + "/sprites " + src + "/sounds . && cp " + src +
        "/tests/data/replays/session.rec . && printf 'headless:true,\\nreplay_file:session.rec,"
        "\\nrecord_file:cut.rec\\n' > tw-config.txt");
  // Signalled once it has recorded 40 screens (some way into a session of 392), at its pace.
  const std::string signalled = " & pid=$!; until [ \"$(grep -c screen cut.rec 2>/dev/null)\" "
                                "-ge 40 ] || ! kill -0 $pid; do sleep 0.05; done; "
                                "kill -TERM $pid; wait $pid";
  EXPECT_EQ(std::system((program + signalled).c_str()), 0);
  const auto log = linesOf("tarnwick.log"), cut = linesOf("cut.rec");
  EXPECT_TRUE(inOrder(log, {"SIGTERM received: ending the game", "** Game stopped **"}))
      << readText("tarnwick.log") << readText("out.txt");
  ASSERT_GE(cut.size(), 2u);
  EXPECT_EQ(cut.back(), "end " + std::to_string(std::stoi(cut[cut.size() - 2]) + 1));
  writeFile("tw-config.txt", "headless:true,\nframe_time:0,\nreplay_file:cut.rec\n");
  EXPECT_EQ(std::system(program.c_str()), 0);
  EXPECT_TRUE(inOrder(linesOf("tarnwick.log"),
                      {"Replay of 'cut.rec' showed the recorded screen at every step"}));
  EXPECT_FALSE(contains(linesOf("tarnwick.log"), "ended at step")) << readText("tarnwick.log");
}

} // namespace
