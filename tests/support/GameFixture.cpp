#include "GameFixture.h"

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
  loadResources();
  std::srand(1);
}

void GameTest::TearDown() {
  world.shutDown();
  tw::ResourceManager::getInstance().shutDown();
  tw::LogManager::getInstance().shutDown();
  TempDirTest::TearDown();
}

std::vector<tw::Object*> GameTest::ofType(const std::string& type) const {
  const tw::ObjectList list = world.objectsOfType(type);
  std::vector<tw::Object*> out;
  for (int i = 0; i < list.getCount(); i++) {
    out.push_back(list.at(i));
  }
  return out;
}

} // namespace twtest
