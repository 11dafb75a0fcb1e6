#include "GameManager.h"
#include "GraphicsManager.h"
#include "InputManager.h"
#include "LogManager.h"
#include "EventStep.h"
#include "Pause.h"
#include "TestWindow.h"
#include "XInput.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <sys/resource.h>
#include <thread>

namespace {

double cpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

/// A real window with the input manager on it and a pause object for RETURN.
class PauseTest : public twtest::WindowTest {
protected:
  void SetUp() override {
    WindowTest::SetUp();
    if (HasFatalFailure()) {
      return;
    }
    ASSERT_TRUE(x.isReady()) << "no XTest on this display";
    ASSERT_EQ(tw::InputManager::getInstance().startUp(), 0);
    tw::GameManager::getInstance().setGameOver(false);
    p_pause = new tw::Pause(tw::Keyboard::RETURN);
    window = tw::GraphicsManager::getInstance().getWindow()->getSystemHandle();
    x.focus(window);
    x.moveTo(window, 10, 10);
    x.sync();
    for (int i = 0; i < 10; i++) {
      tw::InputManager::getInstance().getInput();
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
  }
  void TearDown() override {
    tw::InputManager::getInstance().shutDown();
    WindowTest::TearDown();
  }

  twtest::XInput x;
  tw::Pause* p_pause = nullptr;
  unsigned long window = 0;
};

} // namespace

TEST_F(PauseTest, ReturnPausesUntilAnotherKeyAndSwallowsTheCloseRequest) {
  EXPECT_EQ(p_pause->getType(), "Pause");
  EXPECT_EQ(p_pause->getSolidness(), tw::SPECTRAL);

  // Another thread, with an X connection of its own, plays the player: after a while it asks
  // the window to close (ignored while paused), releases RETURN, and then presses a key.
  std::atomic<bool> resumed_by_key{false};
  std::chrono::steady_clock::time_point key_time;
  std::thread player([&] {
    twtest::XInput other;
    std::this_thread::sleep_for(std::chrono::milliseconds(800));
    other.requestClose(window);
    other.key("Return", false);
    other.sync();
    std::this_thread::sleep_for(std::chrono::milliseconds(700));
    key_time = std::chrono::steady_clock::now();
    resumed_by_key = true;
    other.key("a", true);
    other.key("a", false);
    other.sync();
  });

  tw::LogManager::getInstance().setLogLevel(10);
  x.key("Return", true);
  x.sync();
  const auto begin = std::chrono::steady_clock::now();
  const double cpu_before = cpuSeconds();
  // Frames of input until the resume key has gone out; the pause holds one of them.
  double longest = 0;
  std::chrono::steady_clock::time_point longest_end;
  while (!resumed_by_key && std::chrono::steady_clock::now() - begin < std::chrono::seconds(10)) {
    const auto call = std::chrono::steady_clock::now();
    tw::InputManager::getInstance().getInput();
    const auto returned = std::chrono::steady_clock::now();
    if (std::chrono::duration<double>(returned - call).count() > longest) {
      longest = std::chrono::duration<double>(returned - call).count();
      longest_end = returned;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  const double paused =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
  const double cpu_used = cpuSeconds() - cpu_before;
  player.join();

  ASSERT_TRUE(resumed_by_key);
  // One frame's input stayed inside the pause until the key press, well over a second.
  EXPECT_GT(longest, 1.0);
  EXPECT_GE(longest_end, key_time);
  // Paused is idle: a fraction of one core at most (the player thread's own work included).
  EXPECT_LT(cpu_used, 0.25 * paused) << cpu_used << " s of processor time in " << paused << " s";
  // The close request went with the pause.
  for (int i = 0; i < 5; i++) {
    tw::InputManager::getInstance().getInput();
  }
  EXPECT_FALSE(tw::GameManager::getInstance().getGameOver());
  const auto lines = twtest::stopLog();
  EXPECT_TRUE(twtest::contains(lines, "Pause::Pause(): Pause enabled.  Press any other key to "
                                      "resume."));
  EXPECT_TRUE(twtest::contains(lines, "Pause::eventHandler(): Game paused."));
  EXPECT_TRUE(twtest::contains(lines, "Pause::eventHandler(): Keypress (0)"));
  EXPECT_TRUE(twtest::contains(lines, "Pause::eventHandler(): Game resumed."));
  twtest::startLog();
}

TEST_F(PauseTest, OtherEventsAreNotItsBusiness) {
  tw::EventKeyboard other_key;
  other_key.setKey(tw::Keyboard::A);
  other_key.setKeyboardAction(tw::Keyboard::KEY_PRESSED);
  EXPECT_EQ(p_pause->eventHandler(&other_key), 1);
  const tw::EventStep step(0);
  EXPECT_EQ(p_pause->eventHandler(&step), 0);
}

TEST(PauseWithoutWindow, RefusesToPause) {
  auto* p_pause = new tw::Pause(tw::Keyboard::RETURN);
  tw::EventKeyboard key;
  key.setKey(tw::Keyboard::RETURN);
  testing::internal::CaptureStderr();
  EXPECT_EQ(p_pause->eventHandler(&key), 0);
  const std::string err = testing::internal::GetCapturedStderr();
  EXPECT_NE(err.find("Pause::eventHandler(): GraphicsManager unexpectedly returned null window!  "
                     "Cannot pause."),
            std::string::npos);
  delete p_pause;
}
