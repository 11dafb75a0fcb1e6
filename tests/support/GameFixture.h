#pragma once

#include "TestSupport.h"

#include "Object.h"
#include "ObjectList.h"

#include <string>
#include <vector>

namespace twtest {

/// A game world without a window: the real sprites and sounds, the world started, the
/// random generator seeded, and frames driven one at a time by the test.
class GameTest : public TempDirTest {
protected:
  void SetUp() override;
  void TearDown() override;
  /// Whether SetUp loads the game's resources (the menu's start loads them itself).
  virtual bool loadsResources() const { return true; }

  /// One frame of the game loop without input: update, draw and step events.
  void frame();
  void frames(int n);
  /// Active objects of exactly this type.
  std::vector<tw::Object*> ofType(const std::string& type) const;
  int count(const std::string& type) const;
  /// Sends a keyboard event with this action to everyone interested.
  void key(int key, int action);
  /// Sends a mouse event with this action to everyone interested.
  void mouse(int action, float x, float y);

  int step = 0;
};

} // namespace twtest
