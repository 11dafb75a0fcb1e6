#pragma once

#include "Manager.h"
#include "Sprite.h"

#include <string>

namespace tw {

/// Owns the loaded sprites, sounds and music, found by label.
class ResourceManager : public Manager {
public:
  static ResourceManager& getInstance();

  int startUp() override;
  void shutDown() override;

  /// The first sprite loaded under label, or null.
  Sprite* getSprite(std::string label) const;

private:
  ResourceManager();
};

} // namespace tw
