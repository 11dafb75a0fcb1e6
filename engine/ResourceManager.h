#pragma once

#include "Manager.h"
#include "Music.h"
#include "Sound.h"
#include "Sprite.h"

#include <array>
#include <memory>
#include <string>

namespace tw {

/// Most sprites the resource manager holds.
constexpr int MAX_SPRITES = 1000;
/// Most sounds the resource manager holds.
constexpr int MAX_SOUNDS = 128;
/// Most pieces of music the resource manager holds.
constexpr int MAX_MUSICS = 128;
/// Most frames one sprite may have: a larger count in a sprite file is refused before any
/// room for the frames is made.
constexpr int MAX_SPRITE_FRAMES = 1000000;

/// Owns the loaded sprites, sounds and music, found by label.
class ResourceManager : public Manager {
public:
  /// The one resource manager, made on first use.
  static ResourceManager& getInstance();
  ~ResourceManager() override;

  /// Starts with no resources counted; always 0.
  int startUp() override;
  /// Deletes the sprites and stops every sound and music; loaded sounds and music stay.
  void shutDown() override;

  /// Reads a sprite file (its format: \ref sprite_format) and stores the sprite under label;
  /// 0, or -1 when the manager is not started, the table is full, or the file cannot be opened
  /// or is malformed. Each failure is logged, with the file's name and, for a malformed file,
  /// the line and what is wrong with it.
  int loadSprite(std::string filename, std::string label);
  /// The first sprite loaded under label, or null.
  Sprite* getSprite(std::string label) const;

  /// Reads a sound file and stores it under label; 0, or -1 (logged) when it fails or is full.
  int loadSound(std::string filename, std::string label);
  /// The first sound loaded under label, or null.
  Sound* getSound(std::string label);
  /// Opens a music file and stores it under label (not empty); 0, or -1 (logged).
  int loadMusic(std::string filename, std::string label);
  /// The first music loaded under label, or null.
  Music* getMusic(std::string label);

  /// Number of sprites loaded.
  int getSpriteCount() const { return sprite_count; }
  /// Number of sounds loaded.
  int getSoundCount() const { return sound_count; }
  /// Number of pieces of music loaded.
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
