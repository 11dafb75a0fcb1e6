#pragma once

#include "Clock.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace twtest {

/// Runs each test in a fresh temporary directory (the program's files are relative to it).
class TempDirTest : public ::testing::Test {
protected:
  void SetUp() override;
  void TearDown() override;

  /// Writes text to a file in the test's directory.
  void writeFile(const std::string& name, const std::string& text) const;
  std::string readFile(const std::string& name) const;
  /// Lines of the log file, if any.
  std::vector<std::string> logLines(const std::string& name = "tarnwick.log") const;

  std::string dir;
  std::string old_dir;
};

/// Opens the log on "tarnwick.log" in the current directory and returns its path.
void startLog();
/// Closes the log and returns its lines.
std::vector<std::string> stopLog();

/// The whole content of a file; empty when it cannot be read.
std::string readText(const std::string& path);
/// What a shell command writes on its standard output.
std::string shell(const std::string& command);

/// True when some line contains text.
bool contains(const std::vector<std::string>& lines, const std::string& text);
int countContaining(const std::vector<std::string>& lines, const std::string& text);

/// A clock under the test's control: now() moves only when the test or a sleep moves it.
class FakeClock : public tw::Clock {
public:
  std::int64_t now() override { return micros; }
  void sleep(int ms) override;

  std::int64_t micros = 1000000;
  /// Extra microseconds every sleep oversleeps.
  std::int64_t oversleep = 0;
  std::vector<int> sleeps;
};

/// The directory of the repository's sources (the game's data files live there).
std::string sourceDir();

} // namespace twtest
