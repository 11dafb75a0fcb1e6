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
  /// Seeds rand so that the next two jitters drawn are +0.1 and then -0.1.
  static void seedJitter();
  /// From here on the log also holds every sound and music lookup.
  void mark();
  /// Closes the log and returns its lines written since mark().
  std::vector<std::string> marked();
  /// Labels looked up since mark() of kind "sound" or "music", in order, joined by spaces.
  static std::string lookups(const std::vector<std::string>& lines, const std::string& kind);
  /// "Type:count" of the active objects not in before, sorted by type, explosions left out.
  std::string created(const tw::ObjectList& before) const;

  int step = 0;
};

} // namespace twtest
