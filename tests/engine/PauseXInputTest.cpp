#include "GameManager.h"
#include "InputManager.h"
#include "Pause.h"
#include "TestWindow.h"
#include "XInput.h"

#include <sys/resource.h>

#include <atomic>
#include <chrono>
#include <thread>

using Clock = std::chrono::steady_clock;

namespace {

double cpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

class PauseTest : public twtest::WindowTest {};

TEST_F(PauseTest, ReturnPausesUntilAnotherKeyAndSwallowsTheCloseRequest) {
  TW_SKIP_ON_SHARED_DISPLAY();
  twtest::XInput x;
  ASSERT_TRUE(x.isReady()) << "no XTest on this display";
  tw::InputManager& input = tw::InputManager::getInstance();
  ASSERT_EQ(input.startUp(), 0);
  tw::GameManager::getInstance().setGameOver(false);
  new tw::Pause(tw::Keyboard::RETURN);
  const unsigned long window = tw::GraphicsManager::getInstance().getWindow()->getSystemHandle();
  x.focus(window);
  for (int i = 0; i < 10; i++, std::this_thread::sleep_for(std::chrono::milliseconds(5))) {
    input.getInput();
  }
  // Another thread, with an X connection of its own, plays the player: after a while it asks
  // the window to close (thrown away while paused), releases RETURN, and then presses a key.
  std::atomic<bool> resumed_by_key{false};
  Clock::time_point key_time;
  std::thread player([&] {
    twtest::XInput other;
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    other.requestClose(window);
    other.key("Return", false);
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    key_time = Clock::now();
    resumed_by_key = true;
    other.key("a", true);
    other.key("a", false);
  });
  tw::LogManager::getInstance().setLogLevel(10);
  x.key("Return", true);
  const auto begin = Clock::now();
  const double cpu_before = cpuSeconds();
  double longest = 0; // the frame of input that the pause held
  Clock::time_point longest_end;
  while (!resumed_by_key && Clock::now() - begin < std::chrono::seconds(10)) {
    const auto call = Clock::now();
    input.getInput();
    if (std::chrono::duration<double>(Clock::now() - call).count() > longest) {
      longest = std::chrono::duration<double>(Clock::now() - call).count();
      longest_end = Clock::now();
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  const double paused = std::chrono::duration<double>(Clock::now() - begin).count();
  const double cpu_used = cpuSeconds() - cpu_before;
  player.join();
  ASSERT_TRUE(resumed_by_key);
  EXPECT_GT(longest, 0.6);
  EXPECT_GE(longest_end, key_time); // only the key press ended it
  EXPECT_LT(cpu_used, 0.25 * paused) << cpu_used << " s of processor time in " << paused << " s";
  for (int i = 0; i < 5; i++) {
    input.getInput();
  }
  EXPECT_FALSE(tw::GameManager::getInstance().getGameOver());
  input.shutDown();
  EXPECT_TRUE(
      twtest::inOrder(twtest::stopLog(),
                      {"Pause::Pause(): Pause enabled.  Press any other key to resume.",
                       "Pause::eventHandler(): Game paused.", "Pause::eventHandler(): Keypress (0)",
                       "Pause::eventHandler(): Game resumed."}));
}

TEST(PauseWithoutWindow, RefusesToPause) {
  auto* p_pause = new tw::Pause(tw::Keyboard::RETURN);
  tw::EventKeyboard key;
  key.setKey(tw::Keyboard::RETURN);
  testing::internal::CaptureStderr();
  EXPECT_EQ(p_pause->eventHandler(&key), 0);
  EXPECT_NE(testing::internal::GetCapturedStderr().find(
                "Pause::eventHandler(): GraphicsManager unexpectedly returned null window!  "
                "Cannot pause."),
            std::string::npos);
  delete p_pause;
}

} // namespace
