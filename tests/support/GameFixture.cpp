#include "GameFixture.h"

#include "Mode.h"
#include "shared.h"

#include "EventKeyboard.h"
#include "EventMouse.h"
#include "EventStep.h"
#include "GameManager.h"
#include "InputManager.h"
#include "LogManager.h"
#include "ResourceManager.h"
#include "WorldManager.h"

#include <cstdlib>
#include <map>
#include <unistd.h>

namespace twtest {

void GameTest::SetUp() {
  TempDirTest::SetUp();
  ASSERT_EQ(symlink((sourceDir() + "/sprites").c_str(), "sprites"), 0);
  ASSERT_EQ(symlink((sourceDir() + "/sounds").c_str(), "sounds"), 0);
  startLog();
  tw::LogManager::getInstance().setFlush(false);
  ASSERT_EQ(tw::ResourceManager::getInstance().startUp(), 0);
  ASSERT_EQ(tw::WorldManager::getInstance().startUp(), 0);
  const tw::Box screen(tw::Vector(0, 0), 80, 40);
  tw::WorldManager::getInstance().setBoundary(screen);
  tw::WorldManager::getInstance().setView(screen);
  if (loadsResources()) {
    loadResources();
  }
  std::srand(1);
}

void GameTest::TearDown() {
  tw::WorldManager::getInstance().shutDown();
  tw::ResourceManager::getInstance().shutDown();
  if (tw::LogManager::getInstance().isStarted()) {
    stopLog();
  }
  TempDirTest::TearDown();
}

void GameTest::frame() {
  tw::WorldManager& world = tw::WorldManager::getInstance();
  world.update();
  world.draw();
  const tw::EventStep step_event(step++);
  tw::GameManager::getInstance().onEvent(&step_event);
}

void GameTest::frames(int n) {
  for (int i = 0; i < n; i++) {
    frame();
  }
}

std::vector<tw::Object*> GameTest::ofType(const std::string& type) const {
  const tw::ObjectList list = tw::WorldManager::getInstance().objectsOfType(type);
  std::vector<tw::Object*> out;
  for (int i = 0; i < list.getCount(); i++) {
    out.push_back(list.at(i));
  }
  return out;
}

int GameTest::count(const std::string& type) const {
  return static_cast<int>(ofType(type).size());
}

void GameTest::key(int key_code, int action) {
  tw::EventKeyboard e;
  e.setKey(key_code);
  e.setKeyboardAction(action);
  tw::InputManager::getInstance().onEvent(&e);
}

void GameTest::mouse(int action, float x, float y) {
  tw::EventMouse e;
  e.setMouseAction(action);
  e.setMousePosition(tw::Vector(x, y));
  tw::InputManager::getInstance().onEvent(&e);
}

void GameTest::seedJitter() {
  unsigned seed = 0;
  do {
    std::srand(++seed);
  } while (std::rand() % 3 != 2 || std::rand() % 3 != 0);
  std::srand(seed);
}

void GameTest::mark() {
  tw::LogManager::getInstance().writeLog("-- mark --");
  tw::LogManager::getInstance().setLogLevel(5);
}

std::vector<std::string> GameTest::marked() {
  const std::vector<std::string> lines = stopLog();
  auto at = lines.begin();
  while (at != lines.end() && at->find("-- mark --") == std::string::npos) {
    ++at;
  }
  return {at == lines.end() ? at : at + 1, lines.end()};
}

std::string GameTest::lookups(const std::vector<std::string>& lines, const std::string& kind) {
  const std::string prefix = "Looking for " + kind + " '";
  std::string out;
  for (const std::string& line : lines) {
    const size_t at = line.find(prefix);
    if (at != std::string::npos) {
      const size_t from = at + prefix.size();
      out += (out.empty() ? "" : " ") + line.substr(from, line.find('\'', from) - from);
    }
  }
  return out;
}

std::string GameTest::created(const tw::ObjectList& before) const {
  std::map<std::string, int> types;
  const tw::ObjectList all = tw::WorldManager::getInstance().getAllObjects(true);
  for (int i = 0; i < all.getCount(); i++) {
    if (!before.contains(all.at(i)) && all.at(i)->getType() != "Explosion") {
      types[all.at(i)->getType()]++;
    }
  }
  std::string out;
  for (const auto& [type, n] : types) {
    out += (out.empty() ? "" : " ") + type + ":" + std::to_string(n);
  }
  return out;
}

} // namespace twtest
