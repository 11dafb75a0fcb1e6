// The real program under the test's X display, driven by the scripted session with real X
// input: through every screen, and on broken data files, which it must play through with
// what loads or stop on cleanly.
#include "TestSupport.h"
#include "XInput.h"

#include <SFML/Graphics/Image.hpp>

#include <sstream>
#include <sys/wait.h>
#include <thread>

using namespace twtest;

namespace {

enum Outcome { PLAYS, CLOSES, FAILS };

/// What a run breaks (a shell command in the game's folder) and what must follow.
struct Breakage {
  const char* name;
  const char* damage;
  Outcome outcome;
  const char* expected; ///< texts in the log, on standard error or from the session, "|" apart
};

/// A home folder for the game with copies of its data files.
class EndToEnd : public TempDirTest, public ::testing::WithParamInterface<Breakage> {
protected:
  void SetUp() override {
    TempDirTest::SetUp();
    TW_SKIP_ON_SHARED_DISPLAY();
    const std::string src = sourceDir();
    ASSERT_EQ(std::system(("cp -r " + src + "/tw-config.txt " + src + "/tw-font.ttf " + src +
                           "/sprites " + src + "/sounds . && mkdir out")
                              .c_str()),
              0);
    setenv("ALSOFT_DRIVERS", "null", 1);
  }
  /// Runs the session (or, without a window, the program alone); its exit code.
  int play(const std::string& session = "") {
    return WEXITSTATUS(
        std::system(("TARNWICK_SESSION=" + session +
                     " TARNWICK='" TW_BINARY_DIR "/tarnwick' TARNWICK_HOME=. '" + sourceDir() +
                     "/scripts/play-session.sh' out > session.txt 2>&1")
                        .c_str()));
  }
};

/// Pixels of colour c in cell (x, y) of the 80 x 40 grid.
int ink(const sf::Image& image, int x, int y, sf::Color c) {
  const float w = image.getSize().x / 80.0f, h = image.getSize().y / 40.0f;
  int n = 0;
  for (int py = static_cast<int>(y * h); py < static_cast<int>((y + 1) * h); py++) {
    for (int px = static_cast<int>(x * w); px < static_cast<int>((x + 1) * w); px++) {
      n += image.getPixel(px, std::min<int>(py, image.getSize().y - 1)) == c;
    }
  }
  return n;
}

const char* const GAME_OVER[] = {"** Game stopped **", "*****************************************"
                                                       "***********"};

} // namespace

TEST_F(EndToEnd, SessionThroughEveryScreen) {
  ASSERT_EQ(play(), 0) << readFile("session.txt");
  const auto log = logLines();
  // On a slow machine the ball may be lost before the normal game is left with escape.
  const char* left = inOrder(log, {"Regular", "Mode::update(): Lose"}) ? "Lose" : "Exit";
  EXPECT_TRUE(inOrder(log, {"Start", "Menu", "Play", "Pause enabled", "Regular", left, "Menu",
                            "Play", "Advanced", "Win", "Menu", "Play", "Timed", "Time", "Menu",
                            "End", GAME_OVER[0], GAME_OVER[1]}))
      << readFile("tarnwick.log");
  EXPECT_NE(log.back().find(GAME_OVER[1]), std::string::npos);
  const char* const games[] = {"2-normal-game", "4-advanced-game", "6-timed-game"};
  const char* const frames[] = {"GGR", "RRR", "GGG"}; // left, right and bottom of each arena
  for (int g = 0; g < 3; g++) {
    sf::Image shot;
    ASSERT_TRUE(shot.loadFromFile(std::string("out/") + games[g] + ".png"));
    for (auto [i, x, y] : {std::tuple{0, 9, 20}, {1, 70, 20}, {2, 30, 39}}) {
      EXPECT_EQ(ink(shot, x, y, sf::Color::Green) > 0, frames[g][i] == 'G') << games[g] << i;
      EXPECT_EQ(ink(shot, x, y, sf::Color::Red) > 0, frames[g][i] == 'R') << games[g] << i;
    }
  }
  // Nothing moves while paused; a key resumes.
  EXPECT_EQ(readFile("out/2-paused-1.png"), readFile("out/2-paused-2.png"));
  EXPECT_NE(readFile("out/2-paused-2.png"), readFile("out/2-resumed.png"));
  EXPECT_GT(readFile("out/audio.wav").size(), 100000u); // the game's sound was recorded
}

TEST_P(EndToEnd, CarriesOnOrStopsCleanly) {
  const Breakage& r = GetParam();
  ASSERT_EQ(std::system(r.damage), 0);
  int code = -1;
  if (r.outcome == FAILS) {
    code = WEXITSTATUS(std::system("timeout 30 '" TW_BINARY_DIR "/tarnwick' 2> out/stderr.txt"));
  } else if (r.outcome == PLAYS) {
    code = play();
  } else {
    std::thread session([&] { code = play("menu"); });
    for (int i = 0; i < 300 && readFile("out/window").empty(); i++) {
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    XInput().requestClose(std::stoul("0" + readFile("out/window")));
    session.join();
  }
  EXPECT_EQ(code, 0) << readFile("session.txt");
  const std::string err = readFile("out/stderr.txt");
  EXPECT_TRUE(err.find("Sanitizer") == err.npos && err.find("runtime error") == err.npos) << err;
  const std::string all = readFile("tarnwick.log") + err + readFile("session.txt");
  std::istringstream expected(r.expected);
  for (std::string text; std::getline(expected, text, '|');) {
    EXPECT_NE(all.find(text), all.npos) << text << "\n" << all;
  }
  const auto out = logLines().empty() ? logLines("out/stderr.txt") : logLines();
  EXPECT_TRUE(inOrder(out, {GAME_OVER[0], GAME_OVER[1]})) << all;
  EXPECT_EQ(contains(out, "Mode::update()"), r.outcome != FAILS);
  EXPECT_EQ(inOrder(out, {"Start", "Regular", "Menu", "Advanced", "Menu", "Timed", "Menu", "End"}),
            r.outcome == PLAYS);
}

const char* const FONT = "Unable to load font from file 'tw-font.ttf'.|Error starting graphics "
                         "manager!|Error starting game manager";
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
     PLAYS,
     "Window: 1024x960|Cannot add frame!|Width 8 of 9.|Sprite 'paddleh' not found|End of file "
     "reached or missing newline.|Unexpected end of file.|Expected 'frames #'|Expected 'end'.|"
     "Cannot make room for 2000000000 frames|Expected 'width #'|sound from file 'sounds/exit.wav'|"
     "sound from file 'sounds/explode.wav'|sound from file 'sounds/lose.wav'|sound from file "
     "'sounds/paddle-bounce.wav'|sound from file 'sounds/time.wav'|sound from file "
     "'sounds/wall-bounce.wav'|sound from file 'sounds/win.wav'|music from file "
     "'sounds/advanced.wav'|music from file 'sounds/timed.wav'|Sound 'explode' not found|Sound "
     "'win' not found|Sound 'time' not found|Music 'advanced' not found|Music 'timed' not found"},
    // Without a configuration the defaults hold: 80 x 24 cells in 1024 x 768 pixels.
    {"NoConfigNoSprites", "rm -r tw-config.txt sprites && echo no > sprites", PLAYS,
     "Window: 1024x768|Cannot open file 'sprites/title-spr.txt'|Cannot open file "
     "'sprites/brick-moving-spr.txt'|Warning, sprite 'ball' not found"},
    {"EmptyConfigWindowClosed", ": > tw-config.txt", CLOSES, "Window: 1024x768"},
    {"MissingFont", "rm tw-font.ttf", FAILS, FONT},
    {"FontNotAFont", "echo not a font > tw-font.ttf", FAILS, FONT},
    // Its name taken by a folder, the log cannot be opened even by root.
    {"LogNotWritable", "mkdir tarnwick.log", FAILS,
     "LogManager::startup(): Warning! Unable to open file 'tarnwick.log'.|Error starting "
     "LogManager!|Error starting game manager"}};
INSTANTIATE_TEST_SUITE_P(BrokenData, EndToEnd, ::testing::ValuesIn(BREAKAGES),
                         [](const auto& info) { return std::string(info.param.name); });
