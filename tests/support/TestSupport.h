#pragma once

#include "GameManager.h"
#include "LogManager.h"
#include "WorldManager.h"

#include "Process.h"

#include <gtest/gtest.h>

#include <algorithm>

/// Skips a test that sends real input or needs the screen to itself when the tests run on a
/// display the user chose (TW_TEST_DISPLAY): its size and window manager are not the tests'.
#define TW_SKIP_ON_SHARED_DISPLAY()                                                                \
  if (std::getenv("TW_SHARED_DISPLAY"))                                                            \
  GTEST_SKIP() << "sends real input or needs the screen to itself: skipped on a shared display"

namespace twtest {

/// Whether the tests are Windows programs (run under Wine).
#ifdef _WIN32
constexpr bool WINDOWS = true;
#else
constexpr bool WINDOWS = false;
#endif

/// The lines of a file; none when it cannot be read.
std::vector<std::string> linesOf(const std::string& path);
/// Opens the log on "tarnwick.log" in the current directory.
inline void startLog() {
  ASSERT_EQ(tw::LogManager::getInstance().startUp(), 0);
  tw::LogManager::getInstance().setFlush(true);
}
/// Closes the log (if open) and returns its lines.
inline std::vector<std::string> stopLog() {
  return tw::LogManager::getInstance().shutDown(), linesOf("tarnwick.log");
}
/// The whole content of a file; empty when it cannot be read.
std::string readText(const std::string& path);
/// True when some line contains text.
inline bool contains(const std::vector<std::string>& lines, const std::string& text) {
  return std::any_of(lines.begin(), lines.end(), [&](auto& l) { return l.find(text) != l.npos; });
}
/// The directory of the repository's sources (the game's data files live there).
inline std::string sourceDir() {
  return TW_SOURCE_DIR;
}
/// The program name in dir (the build directory unless said), "name.exe" on Windows.
inline std::string program(const std::string& name, const std::string& dir = TW_BINARY_DIR) {
  return dir + "/" + name + (WINDOWS ? ".exe" : "");
}
/// Copies each of names (a file or a folder, under from) into the current directory; "." copies
/// what from holds.
void copyIn(const std::vector<std::string>& names, const std::string& from = sourceDir());

/// The lines joined, each without its time column (the first nine characters).
std::string withoutTimes(const std::vector<std::string>& lines);
/// The text with every "0x" and the hexadecimal digits after it written as "ADDRESS".
std::string withoutAddresses(const std::string& text);

/// Runs each test in a fresh temporary directory (the program's files are relative to it).
class TempDirTest : public ::testing::Test {
protected:
  void SetUp() override;
  void TearDown() override;
  void writeFile(const std::string& name, const std::string& text) const;

  std::string dir, old_dir;
};

/// A fresh directory with the log open on "tarnwick.log", closed again at the end.
class LoggedTest : public TempDirTest {
protected:
  void SetUp() override { TempDirTest::SetUp(), startLog(); }
  void TearDown() override { tw::LogManager::getInstance().shutDown(), TempDirTest::TearDown(); }
  /// What was logged since the last call, without times.
  std::string logged() {
    const auto lines = linesOf("tarnwick.log");
    const std::size_t from = std::min(seen, lines.size());
    return seen = lines.size(), withoutTimes({lines.begin() + from, lines.end()});
  }
  std::size_t seen = 0; ///< log lines logged() has returned
};

/// Each of expected is part of a line of lines, in this order, each after the one before.
::testing::AssertionResult inOrder(const std::vector<std::string>& lines,
                                   const std::vector<std::string>& expected);

/// Whether text equals the file tests/data/name; when not, says where, and writes text next to
/// the test. With TW_UPDATE_DATA=1 in the environment, text replaces the file (check the change
/// with git diff before committing it).
::testing::AssertionResult matchesFile(const std::string& name, const std::string& text);

/// A clock under the test's control: now() moves only when the test or a sleep moves it.
class FakeClock : public tw::Clock {
public:
  std::int64_t now() override { return micros; }
  void sleep(int ms) override { sleeps.push_back(ms), micros += ms > 0 ? ms * 1000 + over : 0; }

  std::int64_t micros = 1000000, over = 0; ///< over: what every sleep oversleeps
  std::vector<int> sleeps;
};

/// What the probes did, in order: "name:event type" (then ":other" for a collision),
/// "name:draw", and "name:gone" when destroyed.
extern std::vector<std::string> probe_events;

/// An object that records its events, draws and end in probe_events; hooks act inside them.
class WorldProbe : public tw::Object {
public:
  explicit WorldProbe(std::string init_name = "", tw::Vector at = {}, int solidness = tw::HARD)
      : name(std::move(init_name)) {
    setPosition(at), setSolidness(solidness), setType("Probe");
  }
  ~WorldProbe() override {
    probe_events.push_back(name + ":gone"), on_destroy ? on_destroy() : void();
  }
  int eventHandler(const tw::Event* p_e) override;
  void draw() override { probe_events.push_back(name + ":draw"); }

  std::string name;
  std::function<void(const tw::Event*)> on_event;
  std::function<void()> on_destroy;
};

/// The log open and the world started with an 80 x 24 boundary and view; no probe events.
class WorldTest : public LoggedTest {
protected:
  void SetUp() override {
    LoggedTest::SetUp(), world.startUp(), probe_events.clear();
    world.setBoundary(tw::Box(tw::Vector(0, 0), 80, 24)), world.setView(world.getBoundary());
  }
  void TearDown() override { world.shutDown(), LoggedTest::TearDown(); }

  tw::WorldManager& world = tw::WorldManager::getInstance();
};

} // namespace twtest
