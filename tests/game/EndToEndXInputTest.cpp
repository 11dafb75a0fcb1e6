// The real program under the test's X display, driven by the scripted session with real X
// input: through every screen, and on broken data files, which it must play through with
// what loads or stop on cleanly.
#include "TestSupport.h"
#include "XInput.h"

#include <SFML/Graphics/Image.hpp>

#include <cstring>
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
  std::vector<std::string> expected; ///< in the log, or on standard error without one
};

/// A home folder for the game with copies of its data files.
class EndToEnd : public TempDirTest, public ::testing::WithParamInterface<Breakage> {
protected:
  void SetUp() override {
    TempDirTest::SetUp();
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
  /// The log's lines, or standard error's when there is no log.
  std::vector<std::string> lines() const {
    auto out = logLines();
    if (out.empty()) {
      std::istringstream err(readFile("out/stderr.txt"));
      for (std::string line; std::getline(err, line);) {
        out.push_back(line);
      }
    }
    return out;
  }
  /// True when the lines hold these texts in this order.
  static bool inOrder(const std::vector<std::string>& lines, std::vector<std::string> texts) {
    auto at = lines.begin();
    for (const std::string& text : texts) {
      at = std::find_if(at, lines.end(), [&](auto& l) { return l.find(text) != l.npos; });
      if (at++ == lines.end()) {
        return false;
      }
    }
    return true;
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

/// Bricks of a layout (columns x0..x1 six apart, rows y0..y1 two apart) that show.
int bricks(const sf::Image& image, int x0, int x1, int y0, int y1) {
  int shown = 0;
  for (int y = y0; y <= y1; y += 2) {
    for (int x = x0; x <= x1; x += 6) {
      shown +=
          ink(image, x + 1, y, sf::Color::Magenta) + ink(image, x + 2, y, sf::Color::Magenta) > 0;
    }
  }
  return shown;
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
  sf::Image shots[6];
  const char* names[] = {"2-normal-game", "4-advanced-game", "6-timed-game",
                         "2-paused-1",    "2-paused-2",      "2-resumed"};
  for (int i = 0; i < 6; i++) {
    ASSERT_TRUE(shots[i].loadFromFile(std::string("out/") + names[i] + ".png")) << names[i];
  }
  const sf::Color green = sf::Color::Green, red = sf::Color::Red;
  // Frames: normal green with a red bottom, advanced red all round, timed never red.
  const int frames[][3][2] = {
      {{1, 0}, {1, 0}, {0, 1}}, {{0, 1}, {0, 1}, {0, 1}}, {{1, 0}, {1, 0}, {1, 0}}};
  for (int game = 0; game < 3; game++) {
    for (auto [cell, x, y] : {std::tuple{0, 9, 20}, {1, 70, 20}, {2, 30, 39}}) {
      EXPECT_EQ(ink(shots[game], x, y, green) > 0, frames[game][cell][0] == 1) << game << cell;
      EXPECT_EQ(ink(shots[game], x, y, red) > 0, frames[game][cell][1] == 1) << game << cell;
    }
  }
  // The ball may already have broken a few.
  EXPECT_GE(bricks(shots[0], 10, 64, 1, 9), 45);
  EXPECT_GE(bricks(shots[1], 28, 46, 14, 26), 22);
  EXPECT_EQ(bricks(shots[1], 10, 22, 1, 9), 0);
  // Nothing moves while paused; a key resumes.
  const size_t bytes = shots[4].getSize().x * shots[4].getSize().y * 4;
  EXPECT_EQ(std::memcmp(shots[3].getPixelsPtr(), shots[4].getPixelsPtr(), bytes), 0);
  EXPECT_NE(std::memcmp(shots[4].getPixelsPtr(), shots[5].getPixelsPtr(), bytes), 0);
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
  for (const std::string& text : r.expected) {
    EXPECT_NE(all.find(text), all.npos) << text << "\n" << all;
  }
  const auto out = lines();
  EXPECT_TRUE(inOrder(out, {GAME_OVER[0], GAME_OVER[1]})) << all;
  EXPECT_EQ(contains(out, "Mode::update()"), r.outcome != FAILS);
  EXPECT_EQ(inOrder(out, {"Start", "Regular", "Menu", "Advanced", "Menu", "Timed", "Menu", "End"}),
            r.outcome == PLAYS);
}

const char* const FONT[] = {
    "GraphicsManager::startUp(): Unable to load font from file 'tw-font.ttf'.",
    "Error starting graphics manager!", "Error starting game manager"};

INSTANTIATE_TEST_SUITE_P(
    BrokenData, EndToEnd,
    ::testing::Values(
        // Every sprite, sound and music file damaged a way of its own.
        Breakage{
            "DamagedFiles",
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
            {"Window: 1024x960",
             "Cannot add frame!",
             "Title::Title(): Warning, sprite 'title' not found",
             "Width 8 of 9.",
             "Explosion::Explosion(): Warning! Sprite 'explosion' not found",
             "Paddle::Paddle(): Warning! Sprite 'paddleh' not found",
             "End of file reached or missing newline.",
             "Paddle::Paddle(): Warning! Sprite 'paddlev' not found",
             "Unexpected end of file.",
             "Ball::Ball(): Warning, sprite 'ball' not found",
             "Expected 'frames #'",
             "Brick::Brick(): Warning! Brick sprite not found",
             "Expected 'end'.",
             "Cannot make room for 2000000000 frames",
             "Expected 'width #'",
             "sound from file 'sounds/exit.wav'",
             "sound from file 'sounds/explode.wav'",
             "sound from file 'sounds/lose.wav'",
             "sound from file 'sounds/paddle-bounce.wav'",
             "sound from file 'sounds/time.wav'",
             "sound from file 'sounds/wall-bounce.wav'",
             "sound from file 'sounds/win.wav'",
             "music from file 'sounds/advanced.wav'",
             "music from file 'sounds/timed.wav'",
             "Sound 'explode' not found",
             "Sound 'win' not found",
             "Sound 'time' not found",
             "Music 'advanced' not found",
             "Music 'timed' not found"}},
        // Without a configuration the defaults hold: 80 x 24 cells in 1024 x 768 pixels.
        Breakage{"NoConfigNoSprites",
                 "rm -r tw-config.txt sprites && echo no > sprites",
                 PLAYS,
                 {"Window: 1024x768", "Cannot open file 'sprites/title-spr.txt'",
                  "Cannot open file 'sprites/brick-moving-spr.txt'",
                  "Ball::Ball(): Warning, sprite 'ball' not found",
                  "Paddle::Paddle(): Warning! Sprite 'paddleh' not found"}},
        Breakage{"EmptyConfigWindowClosed", ": > tw-config.txt", CLOSES, {"Window: 1024x768"}},
        Breakage{"MissingFont", "rm tw-font.ttf", FAILS, {FONT[0], FONT[1], FONT[2]}},
        Breakage{
            "FontNotAFont", "echo not a font > tw-font.ttf", FAILS, {FONT[0], FONT[1], FONT[2]}},
        // Its name taken by a folder, the log cannot be opened even by root.
        Breakage{"LogNotWritable",
                 "mkdir tarnwick.log",
                 FAILS,
                 {"LogManager::startup(): Warning! Unable to open file 'tarnwick.log'.",
                  "Error starting LogManager!", "Error starting game manager"}}),
    [](const auto& info) { return std::string(info.param.name); });
