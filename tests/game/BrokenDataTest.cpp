// The real program on broken data files: it plays a recorded session through with what
// loads, headless, or stops cleanly saying why.
#include "TestSupport.h"

using namespace twtest;

namespace {

/// What a run breaks (a command of Linux's shell, under Wine too, in the game's folder), whether
/// the game still starts (its exit status is 0 then, 1 when not) and the recorded session plays
/// through, and texts that must stand in the log or on standard error, "|" apart.
struct Breakage {
  const char* name;
  const char* damage;
  bool starts;
  bool plays;
  const char* expected;
};

class BrokenData : public TempDirTest, public ::testing::WithParamInterface<Breakage> {};

TEST_P(BrokenData, PlaysThroughOrStopsCleanly) {
  const Breakage& b = GetParam();
  copyIn({"tw-font.ttf", "sprites", "sounds", "tests/data/replays/session.rec"});
  writeFile("tw-config.txt", "headless:true,\nframe_time:0,\nreplay_file:session.rec\n");
  ASSERT_EQ(runProgram("/bin/sh", {"-c", b.damage}), 0);
  EXPECT_EQ(runProgram(program("tarnwick"), {}, "out.txt"), b.starts ? 0 : 1);
  const std::string all = readText("tarnwick.log") + readText("out.txt");
  EXPECT_TRUE(all.find("Sanitizer") == all.npos && all.find("runtime error") == all.npos) << all;
  std::istringstream expected(b.expected);
  for (std::string text; std::getline(expected, text, '|');)
    EXPECT_NE(all.find(text), all.npos) << text << "\n" << all;
  const auto log = linesOf("tarnwick.log").empty() ? linesOf("out.txt") : linesOf("tarnwick.log");
  EXPECT_TRUE(inOrder(log, {"** Game stopped **", "*****************"})) << all;
  EXPECT_EQ(inOrder(log, {"Start", "Regular", "Menu", "Advanced", "Menu", "Timed", "Menu", "End"}),
            b.plays)
      << all;
}

const char* const FONT = "Unable to load font from file 'tw-font.ttf'.|Error starting graphics "
                         "manager!|Error starting game manager";
const char* const REPLAY = "Error reading the recording to replay!|Error starting game manager|"
                           "Recording::replay(): Cannot replay 'session.rec': line ";
const Breakage BREAKAGES[] = {
    // Every sprite, sound and music file damaged a way of its own.
    {"DamagedFiles",
     "cd sprites && head -c 300 title-spr.txt > t && mv t title-spr.txt && "
     "sed -i '5s/.$//' explosion-spr.txt && sed -i '1s/.*/frames 0/' paddleh-spr.txt && "
     "head -c -1 paddlev-spr.txt > t && mv t paddlev-spr.txt && : > ball-spr.txt && "
     "printf '\\0\\1\\2\\n\\377\\n' > brick-default-spr.txt && sed -i 's/^end$/ned/' "
     "brick-strong-spr.txt && sed -i '1s/.*/frames 2000000000/' brick-super-spr.txt && "
     "sed -i 's/width/widht/' brick-moving-spr.txt && cd ../sounds && "
     "rm exit.wav lose.wav time.wav win.wav advanced.wav && for f in explode "
     "paddle-bounce wall-bounce timed; do echo text > $f.wav; done && "
     "head -c 8044 menu.wav > t && mv t menu.wav",
     true, true,
     "Cannot add frame!|In file 'sprites/explosion-spr.txt', line 5: frame 1 of 7 has a row of 8 "
     "characters|Width 8 of 9.|Sprite 'paddleh' not found|End of file "
     "reached or missing newline.|Unexpected end of file.|Expected 'frames #'|Expected 'end'.|"
     "Cannot make room for 2000000000 frames|Expected 'width #'|sound from file 'sounds/exit.wav'|"
     "sound from file 'sounds/explode.wav'|sound from file 'sounds/lose.wav'|sound from file "
     "'sounds/paddle-bounce.wav'|sound from file 'sounds/time.wav'|sound from file "
     "'sounds/wall-bounce.wav'|sound from file 'sounds/win.wav'|music from file "
     "'sounds/advanced.wav'|music from file 'sounds/timed.wav'|Sound 'explode' not found|Sound "
     "'win' not found|Sound 'time' not found|Music 'advanced' not found|Music 'timed' not found|"
     "Replay of 'session.rec' differed from the recording at"},
    {"NoSprites", "rm -r sprites && echo no > sprites", true, true,
     "Cannot open file 'sprites/title-spr.txt'|Cannot open file "
     "'sprites/brick-moving-spr.txt'|Warning, sprite 'ball' not found"},
    // A window is needed for the font to be read.
    {"MissingFont", "rm tw-font.ttf && sed -i 1d tw-config.txt", false, false, FONT},
    {"FontNotAFont", "echo not a font > tw-font.ttf && sed -i 1d tw-config.txt", false, false,
     FONT},
    // Its name taken by a folder, the log cannot be opened even by root.
    {"LogNotWritable", "mkdir tarnwick.log", false, false,
     "LogManager::startup(): Warning! Unable to open file 'tarnwick.log'.|Error starting "
     "LogManager!|Error starting game manager"},
    {"RecordingMissing", "rm session.rec", false, false,
     "Cannot read recording file 'session.rec'|Error reading the recording to replay!"},
    // Cut in the middle of a line: it replays up to the whole line before the cut.
    {"RecordingCut", "head -c 3000 session.rec > t && mv t session.rec", true, false,
     "Warning! 'session.rec' has no end line: replaying it up to step |Replay of 'session.rec' "
     "showed the recorded screen at every step"},
    {"RecordingOfAnotherVersion", "sed -i '1s/ 1$/ 2/' session.rec", false, false,
     "line 1: version 2, but this program reads version 1"},
    {"RecordingGarbage", "head -c 2000 /dev/urandom > session.rec", false, false, REPLAY},
    // The pause then goes on at once, and the entries after it are still replayed.
    {"RecordingWithoutItsResumeKey", "sed -i '/ resume /d' session.rec", true, true,
     "Pause::eventHandler(): The recording does not resume here."},
    {"RecordingDamaged", "sed -i '30s/.*/30 key pressed NOSUCHKEY/' session.rec", false, false,
     "line 30: bad key entry"},
    {"RecordingNotWritable",
     "sed -i '$s/$/,/' tw-config.txt && echo record_file:/ >> tw-config.txt", false, false,
     "Cannot write recording file '/'|Error starting the recording!"}};
INSTANTIATE_TEST_SUITE_P(Runs, BrokenData, ::testing::ValuesIn(BREAKAGES),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
