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
  Mode& state = Mode::getInstance();
};

} // namespace

TEST_F(MissingDataTest, ExplosionWithoutItsSpriteStaysOutOfTheWayForOneStep) {
  auto* p_explosion = new Explosion;
  p_explosion->setPosition(tw::Vector(20, 20));
  EXPECT_EQ(p_explosion->getType(), "Explosion");
  EXPECT_EQ(p_explosion->getSolidness(), tw::SPECTRAL);
  EXPECT_EQ(p_explosion->getAltitude(), 2);
  auto* p_hard = new tw::Object;
  p_hard->setPosition(tw::Vector(18, 20));
  EXPECT_EQ(tw::WorldManager::getInstance().moveObject(p_hard, tw::Vector(20, 20)), 0);
  frames(2);
  EXPECT_EQ(count("Explosion"), 0);
  EXPECT_TRUE(contains(stopLog(), "Explosion::Explosion(): Warning! Sprite 'explosion' not found"));
}

TEST_F(MissingDataTest, EveryModePlaysWithoutAnySpriteOrSound) {
  ASSERT_EQ(unlink("sprites"), 0);
  ASSERT_EQ(unlink("sounds"), 0);
  Mode::update(MENU, START);
  tw::ResourceManager& resources = tw::ResourceManager::getInstance();
  EXPECT_EQ(resources.getSpriteCount() + resources.getSoundCount() + resources.getMusicCount(), 0);
  frames(30);
  // Each game, then the key that ends it: escape, E (a win), T.
  const int games[][3] = {{REGULAR, tw::Keyboard::ESCAPE, EXIT},
                          {ADVANCED, tw::Keyboard::E, WIN},
                          {TIMED, tw::Keyboard::T, TIME}};
  for (const auto& [mode, key_code, status] : games) {
    Mode::update(mode, PLAY);
    frames(20);
    EXPECT_EQ(state.mode, mode);
    key(key_code, tw::Keyboard::KEY_DOWN);
    frames(10);
    EXPECT_EQ(state.mode, MENU);
    EXPECT_EQ(state.status, status);
  }
  const auto lines = stopLog();
  for (const char* text : {"ResourceManager::loadSprite(): Cannot open file 'sprites/ball-spr.txt'",
                           "Ball::Ball(): Warning, sprite 'ball' not found",
                           "Paddle::Paddle(): Warning! Sprite 'paddlev' not found",
                           "Brick::Brick(): Warning! Brick sprite not found",
                           "Title::Title(): Warning, sprite 'title' not found",
                           "ResourceManager::getSound(): Sound 'win' not found",
                           "ResourceManager::getMusic(): Music 'timed' not found"}) {
    EXPECT_TRUE(contains(lines, text)) << text;
  }
}
