#include "GameManager.h"
#include "InputManager.h"
#include "TestWindow.h"
#include "XInput.h"

#include <chrono>
#include <fstream>
#include <thread>

namespace Keyboard = tw::Keyboard;
namespace Mouse = tw::Mouse;
using tw::InputManager;
using twtest::Received;

namespace {

TEST(KeyTable, EverySfmlCodeMapsToItsEngineKey) {
  std::string table; // window library code, engine key: unnamed keys are the code plus 97
  for (int code = -1; code < sf::Keyboard::KeyCount; code++)
    table += std::to_string(code) + " " +
             std::to_string(Keyboard::fromSFML(static_cast<sf::Keyboard::Key>(code))) + "\n";
  EXPECT_TRUE(twtest::matchesFile("golden/KeyTable.txt", table));
  sf::Event::KeyEvent key_event{};
  key_event.code = sf::Keyboard::W;
  const tw::EventKeyboard event = InputManager::toEventKeyboard(key_event);
  EXPECT_EQ(event.getKey() * 10 + event.getKeyboardAction(), Keyboard::W * 10 - 1);
}

TEST(InputWithoutWindow, StartUpNeedsTheGraphicsManagerAndInputNeedsAWindow) {
  twtest::startLog();
  InputManager& input = InputManager::getInstance();
  EXPECT_EQ(input.startUp(), -1);
  EXPECT_FALSE(input.isStarted());
  input.getInput();
  input.getInput();
  EXPECT_TRUE(input.isValid(tw::KEYBOARD_EVENT) && input.isValid(tw::MOUSE_EVENT));
  EXPECT_FALSE(input.isValid(tw::STEP_EVENT));
  const std::vector<std::string> lines = twtest::stopLog();
  EXPECT_TRUE(twtest::contains(lines, "InputManager::startUp(): Error starting InputManager. "
                                      "GraphicsManager must be started first."));
  EXPECT_EQ(
      twtest::countContaining(
          lines, "InputManager::getInput(): GraphicsManager unexpectedly returned null window!"),
      2);
}

/// A real window with the input manager started on it, a recorder of the events it sends,
/// and an XTest connection aimed at the window.
class Input : public twtest::WindowTest {
protected:
  void SetUp() override {
    WindowTest::SetUp();
    TW_SKIP_ON_SHARED_DISPLAY();
    ASSERT_TRUE(x.isReady()) << "no XTest on this display";
    ASSERT_EQ(InputManager::getInstance().startUp(), 0);
    tw::GameManager::getInstance().setGameOver(false);
    p_recorder = new twtest::Recorder;
    window = tw::GraphicsManager::getInstance().getWindow()->getSystemHandle();
    x.focus(window);
    x.moveTo(window, 10, 10);
    pumpFor(50); // whatever mapping and focusing the window produced
    p_recorder->events.clear();
  }
  void TearDown() override {
    for (int b = 1; b <= 3; b++) {
      x.button(b, false);
    }
    InputManager::getInstance().shutDown();
    WindowTest::TearDown();
  }
  /// One frame's input.
  void frame() {
    p_recorder->frame++;
    InputManager::getInstance().getInput();
  }
  /// Runs frames until done() holds (or 5 s pass); true when it held.
  bool pumpUntil(const std::function<bool()>& done) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    for (frame(); !done() && std::chrono::steady_clock::now() < end; frame()) {
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return done();
  }
  void pumpFor(int ms) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    pumpUntil([&] { return std::chrono::steady_clock::now() >= end; });
  }
  std::vector<Received> keys(int action, int in_frame = -1) const {
    return p_recorder->with(true, action, in_frame);
  }
  std::vector<Received> mice(int action, int in_frame = -1) const {
    return p_recorder->with(false, action, in_frame);
  }
  bool saw(int action, int key) const {
    for (const Received& r : keys(action)) {
      if (r.key == key) {
        return true;
      }
    }
    return false;
  }
  twtest::XInput x;
  twtest::Recorder* p_recorder = nullptr;
  unsigned long window = 0;
};

TEST_F(Input, HeldKeyIsPressedOnceThenDownEveryFrameThenReleased) {
  ASSERT_TRUE(x.key("a", true));
  ASSERT_TRUE(pumpUntil([&] { return saw(Keyboard::KEY_PRESSED, Keyboard::A); }));
  const int first = p_recorder->frame;
  ASSERT_EQ(p_recorder->events.size(), 2u); // pressed from the queue, then held
  EXPECT_EQ(p_recorder->events[0].action * 10 + p_recorder->events[1].action, 2);
  EXPECT_EQ(p_recorder->events[1].key * 1000 + p_recorder->events[1].frame, 36000 + first);
  pumpFor(1200); // longer than the display's auto-repeat delay
  const int last = p_recorder->frame;
  for (int f = first; f <= last; f++) {
    ASSERT_EQ(keys(Keyboard::KEY_DOWN, f).size(), 1u) << "frame " << f;
    EXPECT_EQ(keys(Keyboard::KEY_DOWN, f)[0].key, Keyboard::A);
  }
  ASSERT_TRUE(x.key("a", false));
  ASSERT_TRUE(pumpUntil([&] { return saw(Keyboard::KEY_RELEASED, Keyboard::A); }));
  frame();
  EXPECT_EQ(keys(Keyboard::KEY_PRESSED).size() + keys(Keyboard::KEY_RELEASED).size(), 2u);
  EXPECT_TRUE(keys(Keyboard::KEY_DOWN, p_recorder->frame).empty());
}

// Keys whose events someone else read from the window (as the pause does) are still reported
// as held after a rescan, and a key released meanwhile is not left held.
TEST_F(Input, HeldKeysStayRightWhenSomeoneElseReadsTheEvents) {
  ASSERT_TRUE(x.key("w", true));
  ASSERT_TRUE(pumpUntil([&] { return saw(Keyboard::KEY_DOWN, Keyboard::W); }));
  ASSERT_TRUE(x.key("w", false));
  ASSERT_TRUE(x.key("s", true));
  bool saw_s = false;
  for (int i = 0; i < 1000 && !saw_s; i++) {
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
    for (sf::Event e; tw::GraphicsManager::getInstance().getWindow()->pollEvent(e);) {
      saw_s = saw_s || (e.type == sf::Event::KeyPressed && e.key.code == sf::Keyboard::S);
    }
  }
  ASSERT_TRUE(saw_s);
  InputManager::getInstance().rescan();
  p_recorder->events.clear();
  frame();
  frame();
  ASSERT_EQ(keys(Keyboard::KEY_DOWN, p_recorder->frame).size(), 1u);
  EXPECT_EQ(keys(Keyboard::KEY_DOWN, p_recorder->frame)[0].key, Keyboard::S);
  EXPECT_FALSE(saw(Keyboard::KEY_DOWN, Keyboard::W));
  ASSERT_TRUE(x.key("s", false));
}

TEST_F(Input, EveryKeyArrivesWithItsEngineNumber) {
  std::ifstream table(twtest::sourceDir() + "/tests/data/keys.txt"); // keysym, key, sampled
  std::string keysym;
  int key = 0, sampled = 0, count = 0;
  for (; table >> keysym >> key >> sampled; count++) {
    SCOPED_TRACE(keysym);
    p_recorder->events.clear();
    ASSERT_TRUE(x.key(keysym, true));
    ASSERT_TRUE(pumpUntil([&] { return saw(Keyboard::KEY_PRESSED, key); }));
    EXPECT_EQ(saw(Keyboard::KEY_DOWN, key), sampled == 1);
    ASSERT_TRUE(x.key(keysym, false));
    ASSERT_TRUE(pumpUntil([&] { return saw(Keyboard::KEY_RELEASED, key); }));
    EXPECT_EQ(keys(Keyboard::KEY_PRESSED).size(), 1u);
  }
  EXPECT_EQ(count, 40);
}

TEST_F(Input, MouseMovesClicksAndHeldButtonsArriveInCells) {
  const int moves[][4] = {{512, 384, 40, 12}, {128, 160, 10, 5}};
  for (const auto& m : moves) {
    p_recorder->events.clear();
    x.moveTo(window, m[0], m[1]);
    ASSERT_TRUE(pumpUntil([&] { return !mice(Mouse::MOVED).empty(); }));
    const Received r = mice(Mouse::MOVED).back();
    EXPECT_EQ(r.button, Mouse::UNDEFINED_MOUSE_BUTTON);
    EXPECT_EQ(r.position, tw::Vector(m[2], m[3]));
    EXPECT_TRUE(mice(Mouse::PRESSED).empty() && mice(Mouse::CLICKED).empty()); // nothing held
  }
  x.moveTo(window, 256, 320);
  x.button(1, true);
  ASSERT_TRUE(pumpUntil([&] { return !mice(Mouse::CLICKED).empty(); }));
  const Received click = mice(Mouse::CLICKED)[0];
  EXPECT_EQ(click.button, Mouse::LEFT);
  EXPECT_EQ(click.position, tw::Vector(20, 10));
  ASSERT_EQ(mice(Mouse::PRESSED, click.frame).size(), 1u);
  EXPECT_EQ(mice(Mouse::PRESSED, click.frame)[0].button, Mouse::LEFT);
  EXPECT_EQ(mice(Mouse::PRESSED, click.frame)[0].position, tw::Vector(20, 10));
  x.button(3, true); // both held: one event a button each frame, left first
  ASSERT_TRUE(pumpUntil([&] { return mice(Mouse::CLICKED).size() == 2; }));
  EXPECT_EQ(mice(Mouse::CLICKED)[1].button, Mouse::RIGHT);
  frame();
  const std::vector<Received> both = mice(Mouse::PRESSED, p_recorder->frame);
  ASSERT_EQ(both.size(), 2u);
  EXPECT_EQ(both[0].button * 10 + both[1].button, Mouse::LEFT * 10 + Mouse::RIGHT);
  x.button(1, false);
  x.button(3, false);
  pumpFor(50);
  p_recorder->events.clear();
  x.moveTo(window, 640, 96);
  for (const int b : {1, 2}) { // quick clicks keep their buttons
    x.button(b, true);
    x.button(b, false);
  }
  ASSERT_TRUE(pumpUntil([&] { return mice(Mouse::CLICKED).size() == 2; }));
  EXPECT_EQ(mice(Mouse::CLICKED)[0].button * 10 + mice(Mouse::CLICKED)[1].button,
            Mouse::LEFT * 10 + Mouse::MIDDLE);
  EXPECT_EQ(mice(Mouse::CLICKED)[0].position, tw::Vector(50, 3));
  EXPECT_TRUE(mice(Mouse::PRESSED).empty());
}

TEST_F(Input, CloseRequestSetsGameOverAndEndsTheFramesInput) {
  x.requestClose(window);
  x.key("q", true);
  ASSERT_TRUE(pumpUntil([&] { return tw::GameManager::getInstance().getGameOver(); }));
  for (const Received& r : p_recorder->events) { // that frame read nothing after the close
    EXPECT_NE(r.frame, p_recorder->frame);
  }
  ASSERT_TRUE(pumpUntil([&] { return saw(Keyboard::KEY_PRESSED, Keyboard::Q); })); // comes later
  x.key("q", false);
  EXPECT_NE(tw::GraphicsManager::getInstance().getWindow(), nullptr);
}

TEST_F(Input, F3ShowsTheOverlayAndF12SavesTheWindowNeitherReachingTheGame) {
  tw::GraphicsManager& graphics = tw::GraphicsManager::getInstance();
  x.key("F3", true);
  x.key("F3", false);
  ASSERT_TRUE(pumpUntil([&] { return graphics.isOverlayShown(); }));
  x.key("F12", true);
  x.key("F12", false);
  std::string name;
  ASSERT_TRUE(pumpUntil([&] {
    graphics.displayFrame();
    return !(name = twtest::shell("ls tarnwick-*-*.png 2>/dev/null | tr -d '\\n'")).empty();
  }));
  EXPECT_TRUE(p_recorder->events.empty());
  sf::Image shot;
  ASSERT_TRUE(shot.loadFromFile(name));
  const int w = static_cast<int>(shot.getSize().x), h = static_cast<int>(shot.getSize().y);
  auto white = [](sf::Color c, int, int) { return c == sf::Color::White; };
  EXPECT_GT(twtest::countPixels(shot, {w - 160, 0, 160, 32}, white), 0); // the overlay
  EXPECT_EQ(twtest::countPixels(shot, {0, 40, w, h - 40}, white), 0);
  EXPECT_TRUE(twtest::contains(twtest::stopLog(), "Screenshot saved to '" + name + "'."));
}

} // namespace
