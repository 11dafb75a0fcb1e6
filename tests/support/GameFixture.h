#pragma once

#include "TestSupport.h"

#include "Ball.h"
#include "Brick.h"
#include "Mode.h"
#include "Paddle.h"
#include "Points.h"
#include "Timer.h"
#include "shared.h"

#include "InputManager.h"
#include "WorldManager.h"

namespace twtest {

/// A game world without a window: the real sprites and sounds, the world started, the
/// random generator seeded, and frames driven one at a time by the test.
class GameTest : public TempDirTest {
protected:
  void SetUp() override;
  void TearDown() override;
  /// Whether SetUp loads the game's resources (the menu's start loads them itself).
  virtual bool loadsResources() const { return true; }

  /// Frames of the game loop without input: update, draw and step events.
  void frame(int n = 1);
  /// Active objects of exactly this type.
  std::vector<tw::Object*> ofType(const std::string& type) const;
  int count(const std::string& type) const { return static_cast<int>(ofType(type).size()); }
  /// Sends a keyboard event with this action to everyone interested, or with key -1 a mouse
  /// event at (x, y).
  static void input(int key, int action, float x = 0, float y = 0);
  /// Seeds rand so that the next two jitters drawn are +0.1 and then -0.1 (with glibc).
  static void seedJitter() { std::srand(15); }
  /// Starts the log afresh, now with every sound and music lookup (stopLog() returns it).
  static void mark();
  /// Labels looked up of kind "sound" or "music", in order, joined by spaces.
  static std::string lookups(const std::vector<std::string>& lines, const std::string& kind);

  tw::WorldManager& world = tw::WorldManager::getInstance();
  Mode& state = Mode::getInstance();
  int step = 0;
};

} // namespace twtest
