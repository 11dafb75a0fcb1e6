#include "GameManager.h"
#include "GraphicsManager.h"
#include "InputManager.h"
#include "TestWindow.h"
#include "XInput.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace Keyboard = tw::Keyboard;
namespace Mouse = tw::Mouse;
using twtest::Received;
using twtest::Recorder;

namespace {

/// A real window with the input manager started on it, a recorder of the events it sends,
/// and an XTest connection aimed at the window.
class Input : public twtest::WindowTest {
protected:
  void SetUp() override {
    WindowTest::SetUp();
    if (HasFatalFailure()) {
      return;
    }
    ASSERT_TRUE(x.isReady()) << "no XTest on this display";
    ASSERT_EQ(tw::InputManager::getInstance().startUp(), 0);
    tw::GameManager::getInstance().setGameOver(false);
    p_recorder = new Recorder;
    window = tw::GraphicsManager::getInstance().getWindow()->getSystemHandle();
    x.focus(window);
    x.moveTo(window, 10, 10);
    // Start from a quiet queue: whatever mapping and focusing the window produced.
    settle();
  }

  void TearDown() override {
    for (int b = 1; b <= 3; b++) {
      x.button(b, false);
    }
    tw::InputManager::getInstance().shutDown();
    WindowTest::TearDown();
  }

  /// One frame's input.
  void frame() {
    p_recorder->frame++;
    tw::InputManager::getInstance().getInput();
  }

  /// Runs frames until done() holds (or 5 s pass); true when it held.
  bool pumpUntil(const std::function<bool()>& done) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (std::chrono::steady_clock::now() < end) {
      frame();
      if (done()) {
        return true;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return false;
  }

  /// Runs frames for a while and forgets what they brought.
  void settle() {
    for (int i = 0; i < 10; i++) {
      frame();
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    p_recorder->events.clear();
  }

  std::vector<Received> keyEvents(int action, int frame_number = -1) const {
    std::vector<Received> found;
    for (const Received& r : p_recorder->events) {
      if (r.keyboard && r.action == action && (frame_number < 0 || r.frame == frame_number)) {
        found.push_back(r);
      }
    }
    return found;
  }

  std::vector<Received> mouseEvents(int action, int frame_number = -1) const {
    std::vector<Received> found;
    for (const Received& r : p_recorder->events) {
      if (!r.keyboard && r.action == action && (frame_number < 0 || r.frame == frame_number)) {
        found.push_back(r);
      }
    }
    return found;
  }

  bool sawKey(int action, int key) const {
    for (const Received& r : keyEvents(action)) {
      if (r.key == key) {
        return true;
      }
    }
    return false;
  }

  twtest::XInput x;
  Recorder* p_recorder = nullptr;
  unsigned long window = 0;
};

TEST_F(Input, HeldKeyIsPressedOnceThenDownEveryFrameThenReleased) {
  ASSERT_TRUE(x.key("a", true));
  ASSERT_TRUE(pumpUntil([&] { return sawKey(Keyboard::KEY_PRESSED, Keyboard::A); }));
  const int first = p_recorder->frame;
  // In the frame of the press: the pressed event from the queue, then the held key.
  const std::vector<Received>& all = p_recorder->events;
  ASSERT_GE(all.size(), 2u);
  EXPECT_EQ(all[all.size() - 2].action, Keyboard::KEY_PRESSED);
  EXPECT_EQ(all.back().action, Keyboard::KEY_DOWN);
  EXPECT_EQ(all.back().key, 36);
  EXPECT_EQ(all.back().frame, first);

  frame();
  frame();
  for (int f = first + 1; f <= first + 2; f++) {
    ASSERT_EQ(keyEvents(Keyboard::KEY_DOWN, f).size(), 1u) << "frame " << f;
    EXPECT_EQ(keyEvents(Keyboard::KEY_DOWN, f)[0].key, Keyboard::A);
  }
  EXPECT_EQ(keyEvents(Keyboard::KEY_PRESSED).size(), 1u);

  ASSERT_TRUE(x.key("a", false));
  ASSERT_TRUE(pumpUntil([&] { return sawKey(Keyboard::KEY_RELEASED, Keyboard::A); }));
  const int released = p_recorder->frame;
  frame();
  EXPECT_TRUE(keyEvents(Keyboard::KEY_DOWN, released + 1).empty());
}

TEST_F(Input, HoldingAKeyRepeatsNoPressedEvents) {
  ASSERT_TRUE(x.key("d", true));
  // Longer than the display's auto-repeat delay.
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(1200);
  while (std::chrono::steady_clock::now() < end) {
    frame();
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  ASSERT_TRUE(x.key("d", false));
  ASSERT_TRUE(pumpUntil([&] { return sawKey(Keyboard::KEY_RELEASED, Keyboard::D); }));
  EXPECT_EQ(keyEvents(Keyboard::KEY_PRESSED).size(), 1u);
  EXPECT_EQ(keyEvents(Keyboard::KEY_RELEASED).size(), 1u);
  EXPECT_GT(keyEvents(Keyboard::KEY_DOWN).size(), 20u);
}

// Keys whose events someone else read from the window (as the pause does) are still reported
// as held after a rescan, and a key released meanwhile is not left held.
TEST_F(Input, HeldKeysStayRightWhenSomeoneElseReadsTheEvents) {
  ASSERT_TRUE(x.key("w", true));
  ASSERT_TRUE(pumpUntil([&] { return sawKey(Keyboard::KEY_DOWN, Keyboard::W); }));

  ASSERT_TRUE(x.key("w", false));
  ASSERT_TRUE(x.key("s", true));
  x.sync();
  sf::RenderWindow* p_window = tw::GraphicsManager::getInstance().getWindow();
  bool saw_s = false;
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (!saw_s && std::chrono::steady_clock::now() < end) {
    sf::Event event;
    while (p_window->pollEvent(event)) {
      saw_s = saw_s || (event.type == sf::Event::KeyPressed && event.key.code == sf::Keyboard::S);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  ASSERT_TRUE(saw_s);
  tw::InputManager::getInstance().rescan();
  p_recorder->events.clear();
  frame();
  frame();
  const int last = p_recorder->frame;
  ASSERT_EQ(keyEvents(Keyboard::KEY_DOWN, last).size(), 1u);
  EXPECT_EQ(keyEvents(Keyboard::KEY_DOWN, last)[0].key, Keyboard::S);
  EXPECT_FALSE(sawKey(Keyboard::KEY_DOWN, Keyboard::W));
  ASSERT_TRUE(x.key("s", false));
}

TEST_F(Input, EveryNamedKeyArrivesWithItsEngineNumber) {
  const struct {
    const char* keysym;
    int key;
    bool sampled;
  } keys[] = {{"space", 0, true},       {"Return", 1, true},      {"Escape", 2, true},
              {"Tab", 3, true},         {"Left", 4, true},        {"Right", 5, true},
              {"Up", 6, true},          {"Down", 7, true},        {"Pause", 8, true},
              {"KP_Subtract", 9, true}, {"KP_Add", 10, true},     {"grave", 11, true},
              {"period", 12, true},     {"comma", 13, true},      {"slash", 14, true},
              {"equal", 15, true},      {"backslash", 16, true},  {"KP_Multiply", 17, true},
              {"apostrophe", 18, true}, {"semicolon", 19, true},  {"Control_L", 20, true},
              {"Control_R", 21, true},  {"Shift_L", 22, true},    {"Shift_R", 23, true},
              {"F1", 24, true},         {"F5", 28, true},         {"F10", 33, true},
              {"F11", 34, false},       {"F12", 35, false},       {"a", 36, true},
              {"m", 48, true},          {"z", 61, true},          {"1", 62, true},
              {"9", 70, true},          {"0", 71, true},          {"BackSpace", 72, true},
              {"Delete", 163, false},   {"Home", 161, false},     {"bracketleft", 143, false},
              {"minus", 153, false},    {"KP_Divide", 167, false}};
  for (const auto& k : keys) {
    SCOPED_TRACE(k.keysym);
    p_recorder->events.clear();
    ASSERT_TRUE(x.key(k.keysym, true));
    ASSERT_TRUE(pumpUntil([&] { return sawKey(Keyboard::KEY_PRESSED, k.key); }));
    EXPECT_EQ(sawKey(Keyboard::KEY_DOWN, k.key), k.sampled);
    ASSERT_TRUE(x.key(k.keysym, false));
    ASSERT_TRUE(pumpUntil([&] { return sawKey(Keyboard::KEY_RELEASED, k.key); }));
    for (const Received& r : keyEvents(Keyboard::KEY_PRESSED)) {
      EXPECT_EQ(r.key, k.key);
    }
  }
}

TEST_F(Input, PointerMovesArriveInCells) {
  x.moveTo(window, 512, 384);
  ASSERT_TRUE(pumpUntil([&] { return !mouseEvents(Mouse::MOVED).empty(); }));
  Received last = mouseEvents(Mouse::MOVED).back();
  EXPECT_EQ(last.button, Mouse::UNDEFINED_MOUSE_BUTTON);
  EXPECT_FLOAT_EQ(last.position.getX(), 40);
  EXPECT_FLOAT_EQ(last.position.getY(), 12);

  p_recorder->events.clear();
  x.moveTo(window, 128, 160);
  ASSERT_TRUE(pumpUntil([&] { return !mouseEvents(Mouse::MOVED).empty(); }));
  last = mouseEvents(Mouse::MOVED).back();
  EXPECT_FLOAT_EQ(last.position.getX(), 10);
  EXPECT_FLOAT_EQ(last.position.getY(), 5);
  // Nothing is held, so nothing is sampled.
  EXPECT_TRUE(mouseEvents(Mouse::PRESSED).empty());
  EXPECT_TRUE(mouseEvents(Mouse::CLICKED).empty());
}

TEST_F(Input, HeldButtonsAreClickedOnceThenPressedEveryFrame) {
  x.moveTo(window, 256, 320);
  x.button(1, true);
  ASSERT_TRUE(pumpUntil([&] { return !mouseEvents(Mouse::CLICKED).empty(); }));
  const Received click = mouseEvents(Mouse::CLICKED)[0];
  EXPECT_EQ(click.button, Mouse::LEFT);
  EXPECT_FLOAT_EQ(click.position.getX(), 20);
  EXPECT_FLOAT_EQ(click.position.getY(), 10);
  const std::vector<Received> held = mouseEvents(Mouse::PRESSED, click.frame);
  ASSERT_EQ(held.size(), 1u);
  EXPECT_EQ(held[0].button, Mouse::LEFT);
  EXPECT_FLOAT_EQ(held[0].position.getX(), 20);

  // Both held: one event per button each frame, left first.
  x.button(3, true);
  ASSERT_TRUE(pumpUntil([&] {
    for (const Received& r : mouseEvents(Mouse::CLICKED)) {
      if (r.button == Mouse::RIGHT) {
        return true;
      }
    }
    return false;
  }));
  frame();
  const std::vector<Received> both = mouseEvents(Mouse::PRESSED, p_recorder->frame);
  ASSERT_EQ(both.size(), 2u);
  EXPECT_EQ(both[0].button, Mouse::LEFT);
  EXPECT_EQ(both[1].button, Mouse::RIGHT);

  x.button(1, false);
  x.button(3, false);
  settle();
  frame();
  EXPECT_TRUE(mouseEvents(Mouse::PRESSED).empty());
  EXPECT_TRUE(mouseEvents(Mouse::CLICKED).empty());
}

TEST_F(Input, QuickClickKeepsItsButton) {
  x.moveTo(window, 640, 96);
  x.button(1, true);
  x.button(1, false);
  x.button(2, true);
  x.button(2, false);
  ASSERT_TRUE(pumpUntil([&] { return mouseEvents(Mouse::CLICKED).size() == 2; }));
  EXPECT_EQ(mouseEvents(Mouse::CLICKED)[0].button, Mouse::LEFT);
  EXPECT_EQ(mouseEvents(Mouse::CLICKED)[1].button, Mouse::MIDDLE);
  EXPECT_FLOAT_EQ(mouseEvents(Mouse::CLICKED)[0].position.getX(), 50);
  EXPECT_FLOAT_EQ(mouseEvents(Mouse::CLICKED)[0].position.getY(), 3);
  EXPECT_TRUE(mouseEvents(Mouse::PRESSED).empty());
}

TEST_F(Input, CloseRequestSetsGameOverAndEndsTheFramesInput) {
  ASSERT_FALSE(tw::GameManager::getInstance().getGameOver());
  x.requestClose(window);
  x.key("q", true);
  ASSERT_TRUE(pumpUntil([&] { return tw::GameManager::getInstance().getGameOver(); }));
  const int closing = p_recorder->frame;
  // That frame read nothing after the close: no key event and no held key.
  for (const Received& r : p_recorder->events) {
    EXPECT_NE(r.frame, closing);
  }
  // The key press queued behind the close comes in a later frame.
  ASSERT_TRUE(pumpUntil([&] { return sawKey(Keyboard::KEY_PRESSED, Keyboard::Q); }));
  x.key("q", false);
  EXPECT_NE(tw::GraphicsManager::getInstance().getWindow(), nullptr);
}

} // namespace
