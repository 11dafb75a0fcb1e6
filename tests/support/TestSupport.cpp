#include "TestSupport.h"

#include "LogManager.h"

#include <cstdlib>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace twtest {

void TempDirTest::SetUp() {
  char cwd[4096];
  old_dir = getcwd(cwd, sizeof(cwd)) ? cwd : ".";
  char templ[] = "/tmp/tw-test-XXXXXX";
  const char* made = mkdtemp(templ);
  ASSERT_NE(made, nullptr);
  dir = made;
  ASSERT_EQ(chdir(dir.c_str()), 0);
}

void TempDirTest::TearDown() {
  if (chdir(old_dir.c_str()) != 0) {
    ADD_FAILURE() << "cannot return to " << old_dir;
  }
  const std::string command = "rm -rf '" + dir + "'";
  if (std::system(command.c_str()) != 0) {
    ADD_FAILURE() << "cannot remove " << dir;
  }
}

void TempDirTest::writeFile(const std::string& name, const std::string& text) const {
  std::ofstream out(name, std::ios::binary);
  out << text;
}

std::string TempDirTest::readFile(const std::string& name) const {
  return readText(name);
}

std::string readText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

std::string shell(const std::string& command) {
  std::string out;
  FILE* p_pipe = popen(command.c_str(), "r");
  if (!p_pipe) {
    return out;
  }
  char buffer[4096];
  size_t n = 0;
  while ((n = fread(buffer, 1, sizeof(buffer), p_pipe)) > 0) {
    out.append(buffer, n);
  }
  pclose(p_pipe);
  return out;
}

std::vector<std::string> TempDirTest::logLines(const std::string& name) const {
  std::vector<std::string> lines;
  std::ifstream in(name);
  std::string line;
  while (std::getline(in, line)) {
    lines.push_back(line);
  }
  return lines;
}

void startLog() {
  ASSERT_EQ(tw::LogManager::getInstance().startUp(), 0);
  tw::LogManager::getInstance().setFlush(true);
}

std::vector<std::string> stopLog() {
  tw::LogManager::getInstance().shutDown();
  std::vector<std::string> lines;
  std::ifstream in("tarnwick.log");
  std::string line;
  while (std::getline(in, line)) {
    lines.push_back(line);
  }
  return lines;
}

bool contains(const std::vector<std::string>& lines, const std::string& text) {
  return countContaining(lines, text) > 0;
}

int countContaining(const std::vector<std::string>& lines, const std::string& text) {
  int n = 0;
  for (const std::string& line : lines) {
    if (line.find(text) != std::string::npos) {
      n++;
    }
  }
  return n;
}

void FakeClock::sleep(int ms) {
  sleeps.push_back(ms);
  if (ms > 0) {
    micros += static_cast<std::int64_t>(ms) * 1000 + oversleep;
  }
}

std::string sourceDir() {
  return TW_SOURCE_DIR;
}

} // namespace twtest
