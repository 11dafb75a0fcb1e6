#include "GameFixture.h"

#include "EventKeyboard.h"
#include "EventMouse.h"
#include "EventStep.h"
#include "GameManager.h"
#include "LogManager.h"
#include "ResourceManager.h"

namespace twtest {

void GameTest::SetUp() {
  TempDirTest::SetUp();
  ASSERT_EQ(std::system(("ln -s " + sourceDir() + "/sprites " + sourceDir() + "/sounds .").c_str()),
            0);
  startLog();
  ASSERT_EQ(tw::ResourceManager::getInstance().startUp() + world.startUp(), 0);
  world.setBoundary(tw::Box(tw::Vector(0, 0), 80, 40));
  world.setView(world.getBoundary());
  if (loadsResources()) {
    loadResources();
  }
  std::srand(1);
}

void GameTest::TearDown() {
  world.shutDown();
  tw::ResourceManager::getInstance().shutDown();
  tw::LogManager::getInstance().shutDown();
  TempDirTest::TearDown();
}

void GameTest::frame(int n) {
  for (int i = 0; i < n; i++) {
    world.update();
    const tw::EventStep step_event(step++);
    tw::GameManager::getInstance().onEvent(&step_event);
  }
}

std::vector<tw::Object*> GameTest::ofType(const std::string& type) const {
  const tw::ObjectList list = world.objectsOfType(type);
  std::vector<tw::Object*> out;
  for (int i = 0; i < list.getCount(); i++) {
    out.push_back(list.at(i));
  }
  return out;
}

void GameTest::input(int key_code, int action, float x, float y) {
  tw::EventKeyboard k;
  tw::EventMouse m;
  k.setKey(key_code);
  k.setKeyboardAction(action);
  m.setMouseAction(action);
  m.setMousePosition(tw::Vector(x, y));
  tw::InputManager::getInstance().onEvent(key_code < 0 ? static_cast<tw::Event*>(&m) : &k);
}

void GameTest::mark() {
  stopLog();
  startLog();
  tw::LogManager::getInstance().setLogLevel(5);
}

std::string GameTest::lookups(const std::vector<std::string>& lines, const std::string& kind) {
  const std::string prefix = "Looking for " + kind + " '";
  std::string out;
  for (const std::string& line : lines) {
    const size_t at = line.find(prefix) + prefix.size();
    if (at >= prefix.size()) {
      out += (out.empty() ? "" : " ") + line.substr(at, line.find('\'', at) - at);
    }
  }
  return out;
}

} // namespace twtest
