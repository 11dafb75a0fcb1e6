#pragma once

#include <string>

namespace tw {

/// One picture of a sprite: width x height characters stored row after row.
class Frame {
public:
  Frame() = default;
  Frame(int init_width, int init_height, std::string init_frame_str);

  int getWidth() const { return width; }
  void setWidth(int new_width) { width = new_width; }
  int getHeight() const { return height; }
  void setHeight(int new_height) { height = new_height; }
  std::string getString() const { return frame_str; }
  /// The characters without a copy.
  const std::string& stringRef() const { return frame_str; }
  void setString(std::string new_frame_str) { frame_str = std::move(new_frame_str); }

private:
  int width = 0;
  int height = 0;
  std::string frame_str;
};

} // namespace tw
