#pragma once

#include "Color.h"
#include "Frame.h"

#include <string>

namespace tw {

/// A labelled sequence of equally sized frames drawn in one colour, read from a sprite file by
/// ResourceManager::loadSprite() (the file format: \ref sprite_format).
class Sprite {
public:
  /// Room for max_frames frames (none when the count is not positive or cannot be allocated).
  explicit Sprite(int max_frames);
  ~Sprite();
  Sprite(const Sprite&) = delete;
  Sprite& operator=(const Sprite&) = delete;

  /// Appends a copy of new_frame; -1 when the sprite is full.
  int addFrame(Frame new_frame);
  /// A copy of the frame at index, or an empty frame outside 0..frame count-1.
  Frame getFrame(int index) const;
  /// The frame at index without a copy; an empty frame outside the range.
  const Frame& frameRef(int index) const;

  /// Width of every frame, in characters (cells).
  int getWidth() const { return width; }
  /// Sets the width of the frames, in characters.
  void setWidth(int new_width) { width = new_width; }
  /// Height of every frame, in characters (cells).
  int getHeight() const { return height; }
  /// Sets the height of the frames, in characters.
  void setHeight(int new_height) { height = new_height; }
  /// The colour every frame is drawn in.
  Color getColor() const { return color; }
  /// Sets the colour every frame is drawn in.
  void setColor(Color new_color) { color = new_color; }
  /// Number of frames added.
  int getFrameCount() const { return frame_count; }
  /// Frames the sprite has room for; 0 when the room could not be made.
  int getMaxFrameCount() const { return max_frame_count; }
  /// The label the sprite is found by ("[Undefined]" until set).
  std::string getLabel() const { return label; }
  /// Sets the label the sprite is found by.
  void setLabel(std::string new_label) { label = std::move(new_label); }

private:
  int width = 0;
  int height = 0;
  int max_frame_count = 0;
  int frame_count = 0;
  Color color = WHITE;
  Frame* p_frames = nullptr;
  std::string label = "[Undefined]";
};

} // namespace tw
