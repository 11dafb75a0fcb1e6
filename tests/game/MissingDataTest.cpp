// The game without its data files: every object without its sprite, every sound silent.
#include "Explosion.h"
#include "Mode.h"

#include "GameFixture.h"
#include "InputManager.h"
#include "ResourceManager.h"
#include "WorldManager.h"

#include <unistd.h>

using namespace twtest;

namespace {

class MissingDataTest : public GameTest {
protected:
  bool loadsResources() const override { return false; }
  tw::WorldManager& world = tw::WorldManager::getInstance();
  Mode& state = Mode::getInstance();
};

} // namespace

TEST_F(MissingDataTest, ExplosionWithoutItsSpriteStaysOutOfTheWay) {
  auto* p_explosion = new Explosion;
  p_explosion->setPosition(tw::Vector(20, 20));
  EXPECT_EQ(p_explosion->getSprite(), nullptr);
  EXPECT_EQ(p_explosion->getType(), "Explosion");
  EXPECT_EQ(p_explosion->getSolidness(), tw::SPECTRAL);
  EXPECT_EQ(p_explosion->getAltitude(), 2);
  // A hard object (a ball, a paddle) moves through it.
  auto* p_hard = new tw::Object;
  p_hard->setPosition(tw::Vector(18, 20));
  EXPECT_EQ(world.moveObject(p_hard, tw::Vector(20, 20)), 0);
  EXPECT_EQ(p_hard->getPosition(), tw::Vector(20, 20));
  // Its first step marks it for deletion; the next update deletes it.
  frames(2);
  EXPECT_EQ(count("Explosion"), 0);
  EXPECT_TRUE(contains(stopLog(), "Explosion::Explosion(): Warning! Sprite 'explosion' not found"));
}

TEST_F(MissingDataTest, EveryModePlaysWithoutAnySpriteOrSound) {
  ASSERT_EQ(unlink("sprites"), 0);
  ASSERT_EQ(unlink("sounds"), 0);
  Mode::update(MENU, START);
  tw::ResourceManager& resources = tw::ResourceManager::getInstance();
  EXPECT_EQ(resources.getSpriteCount(), 0);
  EXPECT_EQ(resources.getSoundCount(), 0);
  EXPECT_EQ(resources.getMusicCount(), 0);
  frames(30);

  Mode::update(REGULAR, PLAY);
  frames(20);
  for (tw::Object* p_o : ofType("Ball")) {
    EXPECT_EQ(p_o->getSprite(), nullptr);
  }
  key(tw::Keyboard::ESCAPE, tw::Keyboard::KEY_DOWN);
  frames(20);
  EXPECT_EQ(state.mode, MENU);

  Mode::update(ADVANCED, PLAY);
  frames(10);
  key(tw::Keyboard::E, tw::Keyboard::KEY_DOWN);
  frames(10);
  EXPECT_EQ(state.mode, MENU);
  EXPECT_EQ(state.status, WIN);

  Mode::update(TIMED, PLAY);
  frames(40);
  key(tw::Keyboard::T, tw::Keyboard::KEY_DOWN);
  frames(10);
  EXPECT_EQ(state.mode, MENU);
  EXPECT_EQ(state.status, TIME);

  const auto lines = stopLog();
  EXPECT_TRUE(
      contains(lines, "ResourceManager::loadSprite(): Cannot open file 'sprites/ball-spr.txt'"));
  EXPECT_TRUE(contains(lines, "ResourceManager::getSound(): Sound 'win' not found"));
  EXPECT_TRUE(contains(lines, "ResourceManager::getMusic(): Music 'timed' not found"));
}
