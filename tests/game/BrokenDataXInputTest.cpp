// The real program on broken data files: a missing or empty configuration, each sprite,
// sound and music file missing or malformed, no font, an unwritable log, a file where the
// sprites folder should be. Where it can, the game plays on through every mode (objects
// without their sprites, silence without a sound) and ends with exit code 0; where a manager
// cannot start, start-up fails with its message and everything still shuts down.
#include "TestSupport.h"
#include "XInput.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <functional>
#include <ostream>
#include <sstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using namespace twtest;

namespace {

const char* const SPRITES[] = {"title",        "explosion",   "paddleh",
                               "paddlev",      "ball",        "brick-default",
                               "brick-strong", "brick-super", "brick-moving"};
const char* const SOUNDS[] = {"exit", "explode",     "lose", "paddle-bounce",
                              "time", "wall-bounce", "win"};
const char* const MUSICS[] = {"advanced", "menu", "timed"};

std::string spriteFile(const std::string& label) {
  return "sprites/" + label + "-spr.txt";
}
std::string soundFile(const std::string& label) {
  return "sounds/" + label + ".wav";
}

void sleepMs(int ms) {
  std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

/// What a case breaks and what the program must then say and do.
struct Breakage {
  std::string name;
  /// Breaks the data in the game's folder (the current directory).
  std::function<void()> apply;
  /// Lines (parts of lines) the log must hold, or standard error when there is no log.
  std::vector<std::string> expected;
  /// False when start-up must fail: the program then ends by itself.
  bool plays = true;
  /// Where the messages go when start-up fails before the log is open.
  bool log_unwritable = false;
  /// True when the configuration's defaults must hold: a window of 1024 x 768 pixels.
  bool default_window = false;
};

/// A home folder for the game with every data file linked one by one, so that a case can
/// break any of them without touching the repository's.
class BrokenData : public TempDirTest, public ::testing::WithParamInterface<Breakage> {
protected:
  void SetUp() override {
    TempDirTest::SetUp();
    const std::string src = sourceDir();
    for (const char* name : {"tw-config.txt", "tw-font.ttf"}) {
      ASSERT_EQ(symlink((src + "/" + name).c_str(), name), 0) << name;
    }
    ASSERT_EQ(mkdir("sprites", 0755), 0);
    ASSERT_EQ(mkdir("sounds", 0755), 0);
    for (const char* sprite : SPRITES) {
      const std::string file = spriteFile(sprite);
      ASSERT_EQ(symlink((src + "/" + file).c_str(), file.c_str()), 0) << file;
    }
    for (const char* sound : SOUNDS) {
      const std::string file = soundFile(sound);
      ASSERT_EQ(symlink((src + "/" + file).c_str(), file.c_str()), 0) << file;
    }
    for (const char* music : MUSICS) {
      const std::string file = soundFile(music);
      ASSERT_EQ(symlink((src + "/" + file).c_str(), file.c_str()), 0) << file;
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

  /// Starts the game in the test's folder, its standard error going to stderr.txt.
  void launch() {
    pid = fork();
    if (pid == 0) {
      const int fd = open("stderr.txt", O_WRONLY | O_CREAT | O_TRUNC, 0644);
      if (fd >= 0) {
        dup2(fd, 2);
      }
      execl(TW_BINARY_DIR "/tarnwick", "tarnwick", static_cast<char*>(nullptr));
      _exit(127);
    }
  }

  /// The game's window once its menu is up, or 0.
  unsigned long findWindow() {
    for (int i = 0; i < 150; i++) {
      const std::string id = shell("xdotool search --pid " + std::to_string(pid) +
                                   " --name '^Tarnwick' 2>/dev/null | head -n 1");
      if (!id.empty()) {
        sleepMs(800);
        return std::stoul(id);
      }
      sleepMs(100);
    }
    return 0;
  }

  /// The program's exit code, -2 when a signal ended it, -1 when it does not end in time.
  int waitForExit(int seconds) {
    for (int i = 0; i < seconds * 10; i++) {
      int status = 0;
      if (waitpid(pid, &status, WNOHANG) == pid) {
        pid = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -2;
      }
      sleepMs(100);
    }
    return -1;
  }

  /// Window size in pixels.
  void windowSize(unsigned long window, int& width, int& height) {
    const std::string info = shell("xwininfo -id " + std::to_string(window));
    width = height = 0;
    std::istringstream in(info);
    std::string line;
    while (std::getline(in, line)) {
      if (line.find("Width:") != std::string::npos) {
        width = std::atoi(line.substr(line.find(':') + 1).c_str());
      } else if (line.find("Height:") != std::string::npos) {
        height = std::atoi(line.substr(line.find(':') + 1).c_str());
      }
    }
  }

  /// Puts the pointer on the middle of cell (column, row) of a grid of columns x rows.
  void pointAt(XInput& x, unsigned long window, int column, int row) {
    x.moveTo(window, column * width / columns + width / columns / 2,
             row * height / rows + height / rows / 2);
  }
  void hold(XInput& x, const char* key, int ms = 400) {
    x.key(key, true);
    sleepMs(ms);
    x.key(key, false);
    x.sync();
  }
  /// Keys and buttons are read once a frame: a press must last longer than a slow frame.
  void press(XInput& x) {
    x.button(1, true);
    sleepMs(400);
    x.button(1, false);
    x.sync();
  }

  /// How many log lines contain text.
  int logCount(const std::string& text) const { return countContaining(logLines(), text); }

  /// Repeats action until the log holds more than before lines with text, for at most about
  /// 15 seconds: the drive follows the game at whatever pace a loaded machine allows.
  bool until(const std::string& text, int before, const std::function<void()>& action) {
    for (int attempt = 0; attempt < 5; attempt++) {
      action();
      for (int i = 0; i < 30; i++) {
        if (logCount(text) > before) {
          return true;
        }
        sleepMs(100);
      }
    }
    ADD_FAILURE() << "the log never showed " << text << "\n" << readFile("tarnwick.log");
    return false;
  }

  /// Every mode once: a normal game left with escape (or lost), an advanced game won with E,
  /// a timed game ended with T, then Q on the menu.
  void playEveryMode(unsigned long window) {
    XInput x;
    ASSERT_TRUE(x.isReady());
    x.focus(window);
    const std::string menu = "Mode::update(): Menu";
    ASSERT_TRUE(until("Mode::update(): Regular", logCount("Mode::update(): Regular"), [&] {
      pointAt(x, window, 20, 21);
      sleepMs(300);
      press(x);
    }));
    // Counted at once: the ball may well lose this game before escape is pressed.
    int menus = logCount(menu);
    for (int column : {30, 45, 60}) {
      pointAt(x, window, column, 38);
      sleepMs(100);
    }
    hold(x, "a");
    ASSERT_TRUE(until(menu, menus, [&] { hold(x, "Escape"); }));
    ASSERT_TRUE(until("Mode::update(): Advanced", logCount("Mode::update(): Advanced"), [&] {
      pointAt(x, window, 40, 21);
      sleepMs(300);
      press(x);
    }));
    menus = logCount(menu);
    hold(x, "w");
    ASSERT_TRUE(until(menu, menus, [&] { hold(x, "e"); }));
    ASSERT_TRUE(until("Mode::update(): Timed", logCount("Mode::update(): Timed"), [&] {
      pointAt(x, window, 60, 21);
      sleepMs(300);
      press(x);
    }));
    menus = logCount(menu);
    hold(x, "s");
    ASSERT_TRUE(until(menu, menus, [&] { hold(x, "t"); }));
    sleepMs(300);
    x.key("q", true);
    exit_code = waitForExit(30);
    x.key("q", false);
    x.sync();
  }

  void expectCleanEnd(const std::vector<std::string>& lines) {
    ASSERT_GE(lines.size(), 2u) << readText("stderr.txt");
    EXPECT_NE(lines[lines.size() - 2].find("** Game stopped **"), std::string::npos);
    EXPECT_NE(lines.back().find(std::string(52, '*')), std::string::npos);
  }

  pid_t pid = -1;
  int exit_code = -1;
  int width = 0;
  int height = 0;
  int columns = 80;
  int rows = 40;
};

size_t findFrom(const std::vector<std::string>& lines, const std::string& text, size_t from) {
  for (size_t i = from; i < lines.size(); i++) {
    if (lines[i].find(text) != std::string::npos) {
      return i;
    }
  }
  return std::string::npos;
}

TEST_P(BrokenData, ProgramCarriesOnOrStopsInOrder) {
  const Breakage& breakage = GetParam();
  breakage.apply();
  launch();

  if (breakage.plays) {
    const unsigned long window = findWindow();
    ASSERT_NE(window, 0u) << readFile("tarnwick.log") << readText("stderr.txt");
    windowSize(window, width, height);
    ASSERT_GT(width, 0);
    if (breakage.default_window) {
      // The defaults: 1024 x 768 pixels for 80 x 24 cells.
      EXPECT_EQ(width, 1024);
      EXPECT_EQ(height, 768);
      rows = 24;
    } else {
      EXPECT_EQ(width, 1024);
      EXPECT_EQ(height, 960);
    }
    playEveryMode(window);
  } else {
    exit_code = waitForExit(30);
  }
  EXPECT_EQ(exit_code, 0) << readText("stderr.txt");

  const std::string err = readText("stderr.txt");
  EXPECT_EQ(err.find("Sanitizer"), std::string::npos) << err;
  EXPECT_EQ(err.find("runtime error"), std::string::npos) << err;

  if (breakage.log_unwritable) {
    std::istringstream in(err);
    std::vector<std::string> lines;
    std::string line;
    while (std::getline(in, line)) {
      lines.push_back(line);
    }
    for (const std::string& text : breakage.expected) {
      EXPECT_TRUE(contains(lines, text)) << text << "\n" << err;
    }
    EXPECT_TRUE(contains(lines, "** Game stopped **")) << err;
    return;
  }

  const auto lines = logLines();
  for (const std::string& text : breakage.expected) {
    EXPECT_TRUE(contains(lines, text)) << text << "\n" << readFile("tarnwick.log");
  }
  expectCleanEnd(lines);
  if (breakage.plays) {
    // Every mode was played, and the menu came back after each.
    size_t at = 0;
    for (const char* step :
         {"Mode::update(): Start", "Mode::update(): Regular", "Mode::update(): Menu",
          "Mode::update(): Advanced", "Mode::update(): Menu", "Mode::update(): Timed",
          "Mode::update(): Menu", "Mode::update(): End"}) {
      at = findFrom(lines, step, at);
      ASSERT_NE(at, std::string::npos) << step << "\n" << readFile("tarnwick.log");
      at++;
    }
  } else {
    EXPECT_FALSE(contains(lines, "Mode::update()"));
  }
}

/// The real sprite file's text.
std::string realSprite(const std::string& label) {
  return readText(sourceDir() + "/sprites/" + label + "-spr.txt");
}

/// Replaces a linked data file by a file of its own with the given text.
void replaceWith(const std::string& file, const std::string& text) {
  std::remove(file.c_str());
  std::ofstream out(file, std::ios::binary);
  out << text;
}

std::string cannotOpenSprite(const std::string& label) {
  return "ResourceManager::loadSprite(): Cannot open file 'sprites/" + label + "-spr.txt'";
}

/// What the objects that use a sprite say when it is missing.
std::string spriteWarning(const std::string& label) {
  if (label == "title") {
    return "Title::Title(): Warning, sprite 'title' not found";
  }
  if (label == "explosion") {
    return "Explosion::Explosion(): Warning! Sprite 'explosion' not found";
  }
  if (label == "paddleh" || label == "paddlev") {
    return "Paddle::Paddle(): Warning! Sprite '" + label + "' not found";
  }
  if (label == "ball") {
    return "Ball::Ball(): Warning, sprite 'ball' not found";
  }
  return "Brick::Brick(): Warning! Brick sprite not found";
}

std::vector<Breakage> missingSprites() {
  std::vector<Breakage> cases;
  for (const char* sprite : SPRITES) {
    const std::string label = sprite;
    cases.push_back({"MissingSprite_" + label,
                     [label] { std::remove(("sprites/" + label + "-spr.txt").c_str()); },
                     {cannotOpenSprite(label), spriteWarning(label)}});
  }
  // Only the super bricks of a normal game use it; the normal game here may not reach them.
  cases.back().expected.pop_back();
  cases[7].expected.pop_back();
  cases[6].expected.pop_back();
  return cases;
}

std::vector<Breakage> malformedSprites() {
  // A different fault in each file, each made from the real file.
  auto cut = [](const std::string& text, size_t n) { return text.substr(0, n); };
  auto replaceFirst = [](std::string text, const std::string& from, const std::string& to) {
    const size_t at = text.find(from);
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
  };
  std::vector<Breakage> cases;
  cases.push_back({"TruncatedSprite_title",
                   [=] {
                     const std::string text = realSprite("title");
                     replaceWith(spriteFile("title"), cut(text, text.size() / 2));
                   },
                   {"ResourceManager::loadSprite(): Cannot add frame!", spriteWarning("title")}});
  cases.push_back({"ShortRowSprite_explosion",
                   [=] {
                     // The first row of the first frame loses its last character.
                     std::string text = realSprite("explosion");
                     size_t row_end = text.find('\n');
                     for (int i = 0; i < 4; i++) {
                       row_end = text.find('\n', row_end + 1);
                     }
                     text.erase(row_end - 1, 1);
                     replaceWith(spriteFile("explosion"), text);
                   },
                   {"Width 8 of 9.", "ResourceManager::loadSprite(): Cannot add frame!",
                    spriteWarning("explosion")}});
  cases.push_back({"ZeroFramesSprite_paddleh",
                   [=] {
                     std::string text = realSprite("paddleh");
                     text.replace(0, text.find('\n'), "frames 0");
                     replaceWith(spriteFile("paddleh"), text);
                   },
                   {spriteWarning("paddleh")}});
  cases.push_back({"EofWithoutNewlineSprite_paddlev",
                   [=] {
                     const std::string text = realSprite("paddlev");
                     replaceWith(spriteFile("paddlev"), cut(text, text.size() - 1));
                   },
                   {"End of file reached or missing newline.", spriteWarning("paddlev")}});
  cases.push_back({"EmptySprite_ball",
                   [=] { replaceWith(spriteFile("ball"), ""); },
                   {"Unexpected end of file.", spriteWarning("ball")}});
  cases.push_back({"BinarySprite_brick-default",
                   [=] {
                     std::string bytes;
                     for (int i = 0; i < 256; i++) {
                       bytes += static_cast<char>(i);
                     }
                     replaceWith(spriteFile("brick-default"), bytes + bytes);
                   },
                   {"Expected 'frames #'", spriteWarning("brick-default")}});
  cases.push_back({"EndMisspeltSprite_brick-strong",
                   [=] {
                     replaceWith(spriteFile("brick-strong"),
                                 replaceFirst(realSprite("brick-strong"), "\nend\n", "\nned\n"));
                   },
                   {"Expected 'end'."}});
  cases.push_back({"HugeFrameCountSprite_brick-super",
                   [=] {
                     std::string text = realSprite("brick-super");
                     text.replace(0, text.find('\n'), "frames 2000000000");
                     replaceWith(spriteFile("brick-super"), text);
                   },
                   {"Cannot make room for 2000000000 frames"}});
  cases.push_back({"TagMisspeltSprite_brick-moving",
                   [=] {
                     replaceWith(spriteFile("brick-moving"),
                                 replaceFirst(realSprite("brick-moving"), "width", "widht"));
                   },
                   {"Expected 'width #'"}});
  return cases;
}

std::vector<Breakage> brokenSounds() {
  // Played by the drive through every mode, so their absence is also looked up.
  auto played = [](const std::string& label) {
    return label == "explode" || label == "win" || label == "time";
  };
  std::vector<Breakage> cases;
  for (const char* sound : SOUNDS) {
    const std::string label = sound;
    const std::string loadFailed =
        "ResourceManager::loadSound(): Cannot load sound from file 'sounds/" + label + ".wav'";
    std::vector<std::string> expected = {loadFailed};
    if (played(label)) {
      expected.push_back("ResourceManager::getSound(): Sound '" + label + "' not found");
    }
    cases.push_back({"MissingSound_" + label,
                     [label] { std::remove(("sounds/" + label + ".wav").c_str()); }, expected});
    cases.push_back(
        {"TextSound_" + label,
         [label] { replaceWith("sounds/" + label + ".wav", "RIFF? no, this is plain text\n"); },
         expected});
  }
  for (const char* music : MUSICS) {
    const std::string label = music;
    const std::vector<std::string> expected = {
        "ResourceManager::loadmusic(): Cannot load music from file 'sounds/" + label + ".wav'",
        "ResourceManager::getMusic(): Music '" + label + "' not found"};
    cases.push_back({"MissingMusic_" + label,
                     [label] { std::remove(("sounds/" + label + ".wav").c_str()); }, expected});
    cases.push_back({"TextMusic_" + label,
                     [label] { replaceWith("sounds/" + label + ".wav", "not a sound at all\n"); },
                     expected});
  }
  // A music whose header promises more samples than the file holds: it opens, and its stream
  // runs dry early while the game plays on.
  cases.push_back({"TruncatedMusic_menu",
                   [] {
                     const std::string text = readText(sourceDir() + "/sounds/menu.wav");
                     replaceWith("sounds/menu.wav", text.substr(0, 44 + 8000));
                   },
                   {}});
  return cases;
}

std::vector<Breakage> otherBreakages() {
  std::vector<Breakage> cases;
  // Without a configuration the defaults hold: a window of 1024 x 768 for 80 x 24 cells.
  cases.push_back({"MissingConfig", [] { std::remove("tw-config.txt"); }, {}, true, false, true});
  cases.push_back({"EmptyConfig", [] { replaceWith("tw-config.txt", ""); }, {}, true, false, true});
  cases.push_back({"SpritesFolderIsAFile",
                   [] {
                     const int status = std::system("rm -rf sprites && echo no > sprites");
                     ASSERT_EQ(status, 0);
                   },
                   {cannotOpenSprite("title"), cannotOpenSprite("brick-moving"),
                    spriteWarning("ball"), spriteWarning("paddleh")}});
  cases.push_back({"MissingFont",
                   [] { std::remove("tw-font.ttf"); },
                   {"GraphicsManager::startUp(): Unable to load font from file 'tw-font.ttf'.",
                    "Error starting graphics manager!", "Error starting game manager"},
                   false});
  cases.push_back({"FontNotAFont",
                   [] { replaceWith("tw-font.ttf", "not a font\n"); },
                   {"GraphicsManager::startUp(): Unable to load font from file 'tw-font.ttf'.",
                    "Error starting graphics manager!", "Error starting game manager"},
                   false});
  // The log's name is taken by a folder: even root cannot open it for writing.
  cases.push_back({"LogNotWritable",
                   [] { ASSERT_EQ(mkdir("tarnwick.log", 0755), 0); },
                   {"LogManager::startup(): Warning! Unable to open file 'tarnwick.log'.",
                    "Error starting LogManager!", "Error starting game manager"},
                   false,
                   true});
  return cases;
}

/// The case's name, which the test list shows after the test's own.
void PrintTo(const Breakage& breakage, std::ostream* p_out) {
  *p_out << breakage.name;
}

INSTANTIATE_TEST_SUITE_P(Sprites, BrokenData, ::testing::ValuesIn([] {
                           auto cases = missingSprites();
                           const auto malformed = malformedSprites();
                           cases.insert(cases.end(), malformed.begin(), malformed.end());
                           return cases;
                         }()));
INSTANTIATE_TEST_SUITE_P(Sounds, BrokenData, ::testing::ValuesIn(brokenSounds()));
INSTANTIATE_TEST_SUITE_P(Files, BrokenData, ::testing::ValuesIn(otherBreakages()));

} // namespace
