// The real program under the test's X display, driven through every screen by the scripted
// session with real X input and recorded; the recording then replays, in a window and
// headless, to the same log and the recorded screen at every step.
#include "TestWindow.h"

#include <filesystem>

using namespace twtest;

namespace {

/// The log after its time column, without what pacing and the recording itself write.
std::vector<std::string> gameLog() {
  std::vector<std::string> out;
  for (const std::string& line : linesOf("tarnwick.log"))
    if (line.find("Can't keep up") == line.npos && line.find("Recording::") == line.npos)
      out.push_back(line.substr(9));
  return out;
}

/// Pixels that differ between two screenshots; -1 when either cannot be read or their sizes
/// differ. Says which in the message, never the files' contents.
int differingPixels(const std::string& a, const std::string& b, std::string& what) {
  sf::Image ia, ib;
  if (!ia.loadFromFile(a) || !ib.loadFromFile(b))
    return what = "cannot read " + a + " or " + b, -1;
  const int n = countDifferentPixels(ia, ib, 0);
  what = a + " " + std::to_string(ia.getSize().x) + "x" + std::to_string(ia.getSize().y) + ", " +
         b + " " + std::to_string(ib.getSize().x) + "x" + std::to_string(ib.getSize().y) + ": " +
         std::to_string(n) + " pixels differ";
  return n;
}

class EndToEnd : public TempDirTest {};

TEST_F(EndToEnd, SessionThroughEveryScreenReplaysInAWindowAndHeadless) {
  TW_SKIP_ON_SHARED_DISPLAY();
  const std::string tarnwick = program("tarnwick");
  copyIn({"tw-config.txt", "tw-font.ttf", "sprites", "sounds"});
  std::filesystem::create_directory("out");
  std::string config = readText("tw-config.txt");
  writeFile("tw-config.txt", config.insert(config.size() - 1, ",") + "record_file:session.rec\n");
  std::string started = tarnwick; // by the session's script, a Linux one
#ifdef _WIN32 // through the script that runs the build's Windows programs under Wine
  writeFile("tarnwick.sh", "#!/bin/sh\nexec '" + linuxPath(sourceDir()) +
                               "/scripts/wine-run.sh' --path '" + linuxPath(TW_BINARY_DIR) + "' '" +
                               linuxPath(tarnwick) + "'\n");
  ASSERT_EQ(runProgram("chmod", {"+x", "tarnwick.sh"}), 0);
  started = "tarnwick.sh";
#endif
  ASSERT_EQ(runProgram("env",
                       {"TARNWICK=" + started, "TARNWICK_HOME=.",
                        linuxPath(sourceDir() + "/scripts/play-session.sh"), "out"},
                       "session.txt", 100),
            0)
      << readText("session.txt");
  const std::vector<std::string> recorded = gameLog();
  EXPECT_TRUE(inOrder(recorded, {"Start", "Menu", "Play", "Pause enabled", "Regular", "Lose",
                                 "Menu", "Play", "Advanced", "Win", "Menu", "Play", "Timed", "Time",
                                 "Menu", "End", "** Game stopped **"}))
      << readText("tarnwick.log");
  // Nothing moves while paused; a key resumes.
  std::string what;
  EXPECT_EQ(differingPixels("out/2-paused-1.png", "out/2-paused-2.png", what), 0) << what;
  EXPECT_GT(differingPixels("out/2-paused-2.png", "out/2-resumed.png", what), 0) << what;
  EXPECT_GT(readText("out/audio.wav").size(), 100000u); // the game's sound was recorded

  for (const std::string how : {"", "headless:true,\n"}) {
    SCOPED_TRACE(how);
    writeFile("tw-config.txt", how + "frame_time:0,\nreplay_file:session.rec\n");
    EXPECT_EQ(runProgram(tarnwick, {}, "out.txt"), 0);
    EXPECT_EQ(gameLog(), recorded);
    EXPECT_TRUE(contains(linesOf("tarnwick.log"), "showed the recorded screen at every step"))
        << readText("tarnwick.log");
  }
}

} // namespace
