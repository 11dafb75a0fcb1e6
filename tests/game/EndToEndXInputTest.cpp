// The real program, started as a process under the test's X display and driven with real X
// input: its exit code, its log and its screenshots.
#include "TestSupport.h"
#include "XInput.h"

#include <SFML/Graphics/Image.hpp>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstring>
#include <fstream>
#include <cstdio>
#include <cstdlib>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using namespace twtest;

namespace {

/// A home folder for the game: its data from the repository, its own log.
class EndToEnd : public TempDirTest {
protected:
  void SetUp() override {
    TempDirTest::SetUp();
    for (const char* name : {"tw-config.txt", "tw-font.ttf", "sprites", "sounds"}) {
      ASSERT_EQ(symlink((sourceDir() + "/" + name).c_str(), name), 0) << name;
    }
    setenv("ALSOFT_DRIVERS", "null", 1);
  }
  void TearDown() override {
    if (pid > 0) {
      kill(pid, SIGKILL);
      waitpid(pid, nullptr, 0);
    }
    TempDirTest::TearDown();
  }

  /// Starts the game in the test's folder and returns its window, or 0.
  unsigned long start() {
    pid = fork();
    if (pid == 0) {
      execl(TW_BINARY_DIR "/tarnwick", "tarnwick", static_cast<char*>(nullptr));
      _exit(127);
    }
    for (int i = 0; i < 100; i++) {
      const std::string id = shell("xdotool search --pid " + std::to_string(pid) +
                                   " --name '^Tarnwick' 2>/dev/null | head -n 1");
      if (!id.empty()) {
        std::this_thread::sleep_for(std::chrono::milliseconds(800)); // the menu is up
        return std::stoul(id);
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return 0;
  }

  /// Waits for the program to end; its exit code, or -1 when it does not end in time.
  int waitForExit(int seconds = 10) {
    for (int i = 0; i < seconds * 10; i++) {
      int status = 0;
      if (waitpid(pid, &status, WNOHANG) == pid) {
        pid = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -2;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return -1;
  }

  /// Screenshot of the window.
  sf::Image shot(unsigned long window, const std::string& name) {
    shell("import -window " + std::to_string(window) + " " + name + " 2>/dev/null");
    sf::Image image;
    image.loadFromFile(name);
    return image;
  }

  pid_t pid = -1;
};

/// Pixels of exactly colour c in the rectangle of cell (x, y) of an 80 x 40 grid.
int inkInCell(const sf::Image& image, float x, float y, sf::Color c) {
  const float w = static_cast<float>(image.getSize().x) / 80;
  const float h = static_cast<float>(image.getSize().y) / 40;
  int n = 0;
  for (int py = static_cast<int>(y * h); py < static_cast<int>((y + 1) * h); py++) {
    for (int px = static_cast<int>(x * w); px < static_cast<int>((x + 1) * w); px++) {
      if (px >= 0 && py >= 0 && px < static_cast<int>(image.getSize().x) &&
          py < static_cast<int>(image.getSize().y) &&
          image.getPixel(static_cast<unsigned>(px), static_cast<unsigned>(py)) == c) {
        n++;
      }
    }
  }
  return n;
}

/// How many bricks of a layout (columns x0..x1 six apart, rows y0..y1 two apart) show ink.
int bricksShown(const sf::Image& image, int x0, int x1, int y0, int y1) {
  int shown = 0;
  for (int y = y0; y <= y1; y += 2) {
    for (int x = x0; x <= x1; x += 6) {
      int ink = 0;
      for (int dx = 0; dx < 5; dx++) {
        ink += inkInCell(image, static_cast<float>(x + dx), static_cast<float>(y),
                         sf::Color(255, 0, 255));
      }
      shown += ink > 0;
    }
  }
  return shown;
}

size_t find(const std::vector<std::string>& lines, const std::string& text, size_t from = 0) {
  for (size_t i = from; i < lines.size(); i++) {
    if (lines[i].find(text) != std::string::npos) {
      return i;
    }
  }
  return std::string::npos;
}

} // namespace

TEST_F(EndToEnd, ScriptedSessionThroughEveryScreen) {
  const std::string command = "TARNWICK='" TW_BINARY_DIR "/tarnwick' TARNWICK_HOME='" + dir +
                              "' '" + sourceDir() + "/scripts/play-session.sh' '" + dir +
                              "/out' > session.txt 2>&1";
  const int status = std::system(command.c_str());
  EXPECT_EQ(WEXITSTATUS(status), 0) << readFile("session.txt");

  const auto lines = logLines();
  // The screens in the order the session visits them. On a slow machine the ball may be lost
  // before the normal game is left with escape.
  size_t at = 0;
  for (const char* step :
       {"Mode::update(): Start", "Mode::update(): Menu", "Mode::update(): Play",
        "Mode::update(): Regular", "Exit|Lose", "Mode::update(): Menu", "Mode::update(): Advanced",
        "Mode::update(): Win", "Mode::update(): Timed", "Mode::update(): Time",
        "Mode::update(): End"}) {
    if (std::string(step) == "Exit|Lose") {
      at = std::min(find(lines, "Mode::update(): Exit", at),
                    find(lines, "Mode::update(): Lose", at));
    } else {
      at = find(lines, step, at);
    }
    ASSERT_NE(at, std::string::npos) << step << "\n" << readFile("tarnwick.log");
  }
  ASSERT_GE(lines.size(), 2u);
  EXPECT_NE(lines[lines.size() - 2].find("** Game stopped **"), std::string::npos);
  EXPECT_NE(lines.back().find(std::string(52, '*')), std::string::npos);

  const sf::Color green(0, 255, 0), red(255, 0, 0), magenta(255, 0, 255);
  sf::Image normal, advanced, timed;
  ASSERT_TRUE(normal.loadFromFile("out/2-normal-game.png"));
  ASSERT_TRUE(advanced.loadFromFile("out/4-advanced-game.png"));
  ASSERT_TRUE(timed.loadFromFile("out/6-timed-game.png"));
  // Normal mode: green sides and top, a red bottom; bricks from (10, 1) to (64, 9).
  EXPECT_GT(inkInCell(normal, 9, 20, green), 0);
  EXPECT_GT(inkInCell(normal, 70, 20, green), 0);
  EXPECT_GT(inkInCell(normal, 30, 39, red), 0);
  EXPECT_EQ(inkInCell(normal, 30, 39, green), 0);
  // The ball may already have broken a few: most of the layout's bricks must be there.
  EXPECT_GE(bricksShown(normal, 10, 64, 1, 9), 45);
  // Advanced mode: red all round; bricks from (28, 14) to (46, 26).
  EXPECT_GT(inkInCell(advanced, 9, 20, red), 0);
  EXPECT_GT(inkInCell(advanced, 70, 20, red), 0);
  EXPECT_GT(inkInCell(advanced, 30, 39, red), 0);
  EXPECT_GE(bricksShown(advanced, 28, 46, 14, 26), 22);
  EXPECT_EQ(inkInCell(advanced, 20, 5, magenta), 0);
  // Timed mode: no red wall at all.
  EXPECT_GT(inkInCell(timed, 9, 20, green), 0);
  EXPECT_GT(inkInCell(timed, 30, 39, green), 0);
  EXPECT_EQ(inkInCell(timed, 30, 39, red), 0);
  EXPECT_EQ(inkInCell(timed, 9, 20, red), 0);

  // The game's sound went to the recording.
  std::ifstream audio("out/audio.wav", std::ios::binary | std::ios::ate);
  EXPECT_GT(static_cast<long>(audio.tellg()), 100000L);
}

TEST_F(EndToEnd, ReturnPausesAndAnotherKeyResumes) {
  const unsigned long window = start();
  ASSERT_NE(window, 0u);
  XInput x;
  ASSERT_TRUE(x.isReady());
  x.focus(window);
  x.moveTo(window, 256, 516); // over "Normal Mode"
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  x.button(1, true);
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  x.button(1, false);
  x.moveTo(window, 380, 900);
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  x.key("Return", true);
  x.key("Return", false);
  x.sync();
  std::this_thread::sleep_for(std::chrono::milliseconds(500));
  const sf::Image first = shot(window, "paused-1.png");
  std::this_thread::sleep_for(std::chrono::milliseconds(700));
  const sf::Image second = shot(window, "paused-2.png");
  ASSERT_GT(first.getSize().x, 0u);
  // Nothing moves while paused: the ball is where it was.
  EXPECT_EQ(std::memcmp(first.getPixelsPtr(), second.getPixelsPtr(),
                        first.getSize().x * first.getSize().y * 4),
            0);
  x.key("space", true);
  x.key("space", false);
  x.sync();
  std::this_thread::sleep_for(std::chrono::milliseconds(500));
  const sf::Image third = shot(window, "resumed.png");
  EXPECT_NE(std::memcmp(first.getPixelsPtr(), third.getPixelsPtr(),
                        first.getSize().x * first.getSize().y * 4),
            0);
  x.key("q", true);
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  x.key("q", false);
  // Q does nothing in a normal game (no text is shown): leave with escape, then quit.
  x.key("Escape", true);
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  x.key("Escape", false);
  std::this_thread::sleep_for(std::chrono::milliseconds(500));
  x.key("q", true);
  EXPECT_EQ(waitForExit(), 0);
  x.key("q", false);
  x.sync();
  const auto lines = logLines();
  EXPECT_NE(find(lines, "Mode::update(): Regular"), std::string::npos);
  EXPECT_NE(find(lines, "Pause::Pause(): Pause enabled."), std::string::npos);
}

TEST_F(EndToEnd, ClosingTheWindowEndsCleanly) {
  const unsigned long window = start();
  ASSERT_NE(window, 0u);
  XInput x;
  ASSERT_TRUE(x.isReady());
  x.requestClose(window);
  EXPECT_EQ(waitForExit(), 0);
  const auto lines = logLines();
  ASSERT_GE(lines.size(), 2u);
  EXPECT_NE(lines[lines.size() - 2].find("** Game stopped **"), std::string::npos);
  EXPECT_EQ(find(lines, "Mode::update(): End"), std::string::npos);
}
