#include "GameManager.h"
#include "InputManager.h"
#include "Pause.h"
#include "TestWindow.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <ctime>
#include <filesystem>
#include <sstream>
#include <thread>

#ifdef _WIN32
#include <windows.h>
#endif

namespace Keyboard = tw::Keyboard;
using Clock = std::chrono::steady_clock;

namespace {

TEST(KeyTable, EverySfmlCodeMapsToItsEngineKey) {
  std::string table; // window library code, engine key: unnamed keys are the code plus 97
  for (int code = -1; code < sf::Keyboard::KeyCount; code++)
    table += std::to_string(code) + " " + std::to_string(Keyboard::fromKeyCode(code)) + "\n";
  EXPECT_TRUE(twtest::matchesFile("golden/KeyTable.txt", table));
  const tw::EventKeyboard event = tw::InputManager::toEventKeyboard(sf::Keyboard::W);
  EXPECT_EQ(event.getKey() * 10 + event.getKeyboardAction(), Keyboard::W * 10 - 1);
}

/// A real window with the input manager started on it and an XTest connection aimed at it.
/// What the input manager sends is read back from the session's recording, a frame at a time.
class Input : public twtest::WindowTest {
protected:
  void SetUp() override {
    WindowTest::SetUp();
    TW_SKIP_ON_SHARED_DISPLAY();
    ASSERT_EQ(input.startUp(), 0);
    ASSERT_EQ(game.getRecording().record("input.rec", 1, 33, 80, 24), 0);
    game.setGameOver(false);
    handle = tw::sfml::getWindow()->getSystemHandle();
    window = twtest::xWindow(handle);
    x("windowraise " + std::to_string(window) + " windowfocus " + std::to_string(window));
    move(20, 20), move(10, 10), through("moved"); // a move, wherever the pointer was
    pumpFor(50); // whatever mapping and focusing the window produced
  }
  void TearDown() override {
    x("mouseup 1 mouseup 2 mouseup 3");
    game.getRecording().stop(0), input.shutDown(), WindowTest::TearDown();
  }
  /// One frame's input: the events it sent, a line each, as recorded but without the step.
  std::string frame() {
    input.getInput(), game.getRecording().frameShown(0);
    const std::vector<std::string> lines = twtest::linesOf("input.rec");
    std::string sent;
    for (std::size_t i = std::min(seen, lines.size()); i < lines.size(); i++)
      sent += lines[i].find(" screen ") == std::string::npos ? lines[i].substr(2) + "\n" : "";
    seen = lines.size();
    return sent;
  }
  /// Runs frames until one sends text (or 5 s pass); that frame's events, or "" after 5 s.
  std::string until(const std::string& text) {
    const auto end = Clock::now() + std::chrono::seconds(5);
    for (std::string sent; Clock::now() < end; std::this_thread::sleep_for(kFrame))
      if ((sent = frame()).find(text) != std::string::npos)
        return sent;
    return "";
  }
  /// Runs frames until one sends text (or 5 s pass); the events of all of them.
  std::string through(const std::string& text) {
    std::string sent;
    for (const auto end = Clock::now() + std::chrono::seconds(5); Clock::now() < end;)
      if (sent += frame(); sent.find(text) != std::string::npos)
        return sent;
      else
        std::this_thread::sleep_for(kFrame);
    return sent;
  }
  /// Runs frames for ms; their events.
  std::string pumpFor(int ms) {
    std::string sent;
    for (const auto end = Clock::now() + std::chrono::milliseconds(ms); Clock::now() < end;)
      sent += frame(), std::this_thread::sleep_for(kFrame);
    return sent;
  }
  static void x(const std::string& commands) { twtest::xdo(commands); }
  void move(int px, int py) {
    x("mousemove --window " + std::to_string(window) + " " + std::to_string(px) + " " +
      std::to_string(py));
  }
  static constexpr std::chrono::milliseconds kFrame{5};
  tw::GameManager& game = tw::GameManager::getInstance();
  tw::InputManager& input = tw::InputManager::getInstance();
  sf::WindowHandle handle{};
  unsigned long window = 0; ///< for xdotool
  std::size_t seen = 0;
};

TEST_F(Input, KeysArrivePressedThenDownEveryFrameWhileHeldThenReleased) {
  x("keydown a");
  EXPECT_EQ(until("pressed"), "key pressed A\nkey down A\n"); // from the queue, then held
  for (int f = 0; f < 60; f++, std::this_thread::sleep_for(std::chrono::milliseconds(20)))
    ASSERT_EQ(frame(), "key down A\n") << f; // for longer than the auto-repeat delay
  x("keyup a");
  EXPECT_EQ(until("released"), "key released A\n");
  EXPECT_EQ(frame(), "");
  // Every key of the table: its name, and a "down" where the keyboard can be asked for it.
  std::string keys, keysym;
  for (std::istringstream table(twtest::readText(twtest::sourceDir() + "/tests/data/keys.txt"));
       table >> keysym;) {
    x("keydown " + keysym);
    keys += keysym + ": " + until("pressed");
    x("keyup " + keysym);
    keys += until("released");
  }
  EXPECT_TRUE(twtest::matchesFile("golden/Input.Keys.txt", keys));
}

TEST_F(Input, MouseMovesClicksAndHeldButtonsArriveInCells) {
  std::string sent;
  move(512, 384), sent += until("moved");
  move(128, 160), sent += until("moved");
  move(256, 320), x("mousedown 1"), sent += until("clicked");
  x("mousedown 3"), sent += until("clicked"); // both held: one event a button, left first
  sent += frame() + "--\n";
  x("mouseup 1 mouseup 3"), pumpFor(50);
  move(640, 96), x("click 1 click 2"); // quick clicks keep their buttons
  sent += through("clicked MIDDLE") + pumpFor(50);
  EXPECT_TRUE(twtest::matchesFile("golden/Input.Mouse.txt", sent));
}

TEST_F(Input, CloseRequestSetsGameOverAndEndsTheFramesInput) {
  twtest::requestClose(handle), x("keydown q");
  std::string sent;
  for (int i = 0; i < 1000 && !game.getGameOver(); i++, std::this_thread::sleep_for(kFrame))
    sent = frame();
  EXPECT_EQ(sent, "close\n"); // that frame read nothing after the close
  const bool later = !until("pressed Q").empty();
  x("keyup q");
  EXPECT_TRUE(later);
}

TEST_F(Input, F3ShowsTheOverlayAndF12SavesTheWindowNeitherReachingTheGame) {
  tw::GraphicsManager& graphics = tw::GraphicsManager::getInstance();
  x("key F3 key F12");
  std::string name, sent;
  for (int i = 0; i < 1000 && name.empty(); i++, std::this_thread::sleep_for(kFrame)) {
    sent += frame(), graphics.displayFrame();
    for (const auto& file : std::filesystem::directory_iterator(".")) {
      const std::string n = file.path().filename().string();
      name = n.rfind("tarnwick-", 0) == 0 && file.path().extension() == ".png" ? n : name;
    }
  }
  EXPECT_TRUE(graphics.isOverlayShown() && sent.empty()) << sent;
  sf::Image shot;
  ASSERT_TRUE(shot.loadFromFile(name));
  auto white = [](sf::Color c, int, int) { return c == sf::Color::White; };
  EXPECT_GT(twtest::countPixels(shot, {1024 - 160, 0, 160, 32}, white), 0); // the overlay
  EXPECT_EQ(twtest::countPixels(shot, {0, 40, 1024, 768 - 40}, white), 0);
  EXPECT_TRUE(twtest::contains(twtest::stopLog(), "Screenshot saved to '" + name + "'."));
}

/// The processor time of all the process's threads.
double cpuSeconds() {
#ifdef _WIN32 // where the C library's clock() is the time since start
  FILETIME unused, kernel, user;
  GetProcessTimes(GetCurrentProcess(), &unused, &unused, &kernel, &user);
  return (double(kernel.dwHighDateTime + user.dwHighDateTime) * 4294967296.0 +
          double(kernel.dwLowDateTime) + double(user.dwLowDateTime)) /
         1e7;
#else
  return static_cast<double>(std::clock()) / CLOCKS_PER_SEC;
#endif
}

// Another thread, with an X connection of its own, plays the player: once the log shows the
// game paused, it asks the window to close (thrown away while paused), releases RETURN, and
// then presses A to resume; meanwhile it finds the paused frame's input on disk. The frames,
// run by run() or by runFrame() alone as a browser's main loop calls it, unpaced, stop in the
// input of the frame that paused: no step passes until A.
class PauseInput : public Input, public ::testing::WithParamInterface<bool> {};

TEST_P(PauseInput, ReturnPausesUntilAnotherKeyAndSwallowsTheCloseRequest) {
  const bool by_run = GetParam();
  new tw::Pause(Keyboard::RETURN);
  tw::LogManager::getInstance().setLogLevel(10);
  std::atomic<bool> resumed{false};
  bool flushed = false; // the paused frame's input is on disk while paused
  auto* p_steps = new twtest::WorldProbe("s");
  p_steps->registerInterest(tw::STEP_EVENT);
  p_steps->on_event = [&](const tw::Event*) { game.setGameOver(resumed); };
  std::thread player([&] {
    for (int i = 0; i < 1000 && !twtest::contains(twtest::linesOf("tarnwick.log"), "Game paused.");
         i++)
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    for (int i = 0; i < 200 && !flushed; i++, std::this_thread::sleep_for(kFrame))
      flushed = twtest::contains(twtest::linesOf("input.rec"), "key pressed RETURN");
    twtest::requestClose(handle), x("keyup Return");
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    x("key a"), resumed = true;
  });
  struct CountingClock : tw::Clock {
    int sleeps = 0;
    void sleep(int ms) override { sleeps++, tw::Clock::sleep(ms); }
  } counting;
  game.setClock(&counting), game.setFrameTime(33); // the pause waits on the loop's clock
  std::int64_t longest = 0;
  game.setFrameObserver([&](const auto& t) { longest = std::max(longest, t.work); });
  x("keydown Return");
  const auto begin = Clock::now();
  const double cpu_before = cpuSeconds();
  if (by_run)
    game.run();
  else
    while (game.runFrame())
      std::this_thread::sleep_for(kFrame);
  const double seconds = std::chrono::duration<double>(Clock::now() - begin).count();
  player.join();
  game.setClock(nullptr);
  EXPECT_TRUE(by_run ? counting.sleeps > 10 : counting.sleeps == 0) << counting.sleeps;
  EXPECT_LT(cpuSeconds() - cpu_before, 0.25 * seconds) << "s of processor time in " << seconds;
  EXPECT_GE(longest, 500000); // the time paused is the paused frame's work
  EXPECT_TRUE(flushed);
  const std::vector<std::string> rec = twtest::linesOf("input.rec");
  auto at = std::find_if(rec.begin(), rec.end(),
                         [](auto& l) { return l.find(" key pressed RETURN") != l.npos; });
  ASSERT_TRUE(at != rec.end() && at + 1 != rec.end());
  const std::string step = at->substr(0, at->find(' '));
  EXPECT_EQ(at[1], step + " resume " + std::to_string(sf::Keyboard::A));
  EXPECT_FALSE(twtest::contains(rec, "close"));
  EXPECT_TRUE(
      twtest::inOrder(twtest::stopLog(),
                      {"Pause::Pause(): Pause enabled.  Press any other key to resume.",
                       "Pause::eventHandler(): Game paused.", "Pause::eventHandler(): Keypress (0)",
                       "Pause::eventHandler(): Game resumed."}));
}

INSTANTIATE_TEST_SUITE_P(Loop, PauseInput, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "run" : "runFrame"; });

} // namespace
