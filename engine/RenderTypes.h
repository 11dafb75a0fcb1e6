#pragma once

#include <cstdint>
#include <vector>

namespace tw {

/// A colour with opacity, 0-255 a channel.
struct Rgba {
  std::uint8_t r = 0;   ///< red
  std::uint8_t g = 0;   ///< green
  std::uint8_t b = 0;   ///< blue
  std::uint8_t a = 255; ///< opacity
  /// Whether every channel is the same.
  bool operator==(const Rgba& o) const { return r == o.r && g == o.g && b == o.b && a == o.a; }
  /// Whether a channel differs.
  bool operator!=(const Rgba& o) const { return !(*this == o); }
};

/// A point in pixels, or any pair of floats.
struct Point {
  float x = 0.0f; ///< to the right
  float y = 0.0f; ///< downwards
  /// Whether both are the same.
  bool operator==(const Point& o) const { return x == o.x && y == o.y; }
  /// Whether either differs.
  bool operator!=(const Point& o) const { return !(*this == o); }
};

/// One corner of a textured triangle: where it is (window pixels), its colour, and where it
/// samples the font's texture (texture pixels).
struct Vertex {
  Point position; ///< window pixels
  Rgba color;     ///< multiplies the texture's colour
  Point tex;      ///< texture pixels
};

/// A rectangle of whole pixels, top row 0.
struct PixelRect {
  int left = 0;   ///< first column
  int top = 0;    ///< first row
  int width = 0;  ///< columns
  int height = 0; ///< rows
  /// Whether it is the same rectangle.
  bool operator==(const PixelRect& o) const {
    return left == o.left && top == o.top && width == o.width && height == o.height;
  }
};

/// Where a glyph is drawn relative to its pen position on the baseline, and where it lies in
/// the font's texture.
struct Glyph {
  float advance = 0.0f; ///< from this glyph's pen position to the next one's
  /// Offset from the pen position and size, in pixels.
  float left = 0.0f;
  float top = 0.0f;    ///< negative above the baseline
  float width = 0.0f;  ///< of the glyph's pixels
  float height = 0.0f; ///< of the glyph's pixels
  /// Its rectangle in the font's texture, in texture pixels.
  PixelRect texture;
};

/// An RGBA picture, rows top first.
struct Image {
  unsigned width = 0;               ///< pixels
  unsigned height = 0;              ///< pixels
  std::vector<std::uint8_t> pixels; ///< 4 bytes a pixel
  /// Whether it has no pixels.
  bool empty() const { return width == 0 || height == 0; }
  /// The pixel at column x, row y.
  Rgba pixel(unsigned x, unsigned y) const {
    const std::size_t i = (static_cast<std::size_t>(y) * width + x) * 4;
    return Rgba{pixels[i], pixels[i + 1], pixels[i + 2], pixels[i + 3]};
  }
};

} // namespace tw
