#pragma once

#include "Manager.h"
#include "Music.h"
#include "Sound.h"
#include "Sprite.h"

#include <array>
#include <memory>
#include <string>

namespace tw {

constexpr int MAX_SPRITES = 1000;
constexpr int MAX_SOUNDS = 128;
constexpr int MAX_MUSICS = 128;
/// Most frames one sprite may have: a larger count in a sprite file is refused before any
/// room for the frames is made.
constexpr int MAX_SPRITE_FRAMES = 1000000;

/// Owns the loaded sprites, sounds and music, found by label.
class ResourceManager : public Manager {
public:
  static ResourceManager& getInstance();
  ~ResourceManager() override;

  int startUp() override;
  /// Deletes the sprites and stops every sound and music; loaded sounds and music stay.
  void shutDown() override;

  /// Reads a sprite file and stores the sprite under label; 0 or -1.
  int loadSprite(std::string filename, std::string label);
  /// The first sprite loaded under label, or null.
  Sprite* getSprite(std::string label) const;

  int loadSound(std::string filename, std::string label);
  /// The first sound loaded under label, or null.
  Sound* getSound(std::string label);
  int loadMusic(std::string filename, std::string label);
  /// The first music loaded under label, or null.
  Music* getMusic(std::string label);

  int getSpriteCount() const { return sprite_count; }
  int getSoundCount() const { return sound_count; }
  int getMusicCount() const { return music_count; }

private:
  ResourceManager();

  std::array<std::unique_ptr<Sprite>, MAX_SPRITES> sprite;
  int sprite_count = 0;
  std::array<Sound, MAX_SOUNDS> sound;
  int sound_count = 0;
  std::array<Music, MAX_MUSICS> music;
  int music_count = 0;
};

} // namespace tw
