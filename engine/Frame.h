#pragma once

#include <string>

namespace tw {

/// One picture of a sprite: width x height characters stored row after row.
class Frame {
public:
  /// An empty frame, 0 x 0; drawing it does nothing.
  Frame() = default;
  /// A frame of init_width x init_height characters given row after row in init_frame_str.
  Frame(int init_width, int init_height, std::string init_frame_str);

  /// Width in characters (cells).
  int getWidth() const { return width; }
  /// Sets the width in characters.
  void setWidth(int new_width) { width = new_width; }
  /// Height in characters (cells).
  int getHeight() const { return height; }
  /// Sets the height in characters.
  void setHeight(int new_height) { height = new_height; }
  /// The characters, row after row.
  std::string getString() const { return frame_str; }
  /// The characters without a copy.
  const std::string& stringRef() const { return frame_str; }
  /// Replaces the characters, given row after row.
  void setString(std::string new_frame_str) { frame_str = std::move(new_frame_str); }

private:
  int width = 0;
  int height = 0;
  std::string frame_str;
};

} // namespace tw
