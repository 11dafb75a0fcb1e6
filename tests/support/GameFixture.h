#pragma once

#include "TestSupport.h"

#include "Ball.h"
#include "Brick.h"
#include "Mode.h"
#include "shared.h"

#include "WorldManager.h"

namespace twtest {

/// A game world without a window: the real sprites and sounds loaded, the world started and
/// the random generator seeded; the test drives the updates.
class GameTest : public TempDirTest {
protected:
  void SetUp() override;
  void TearDown() override;

  /// Active objects of exactly this type.
  std::vector<tw::Object*> ofType(const std::string& type) const;
  int count(const std::string& type) const { return static_cast<int>(ofType(type).size()); }

  tw::WorldManager& world = tw::WorldManager::getInstance();
  Mode& state = Mode::getInstance();
};

} // namespace twtest
