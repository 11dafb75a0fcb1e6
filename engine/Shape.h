#pragma once

#include "Color.h"
#include "Vector.h"

#include <cstddef>
#include <cstdint>

namespace tw {

/// The figures a shape can be.
enum ShapeKind {
  SHAPE_NONE = -1, ///< nothing is drawn
  CIRCLE = 0,      ///< a regular polygon of 3 to 10 corners, more for larger sizes
  SQUARE,          ///< an upright square
  TRIANGLE,        ///< a triangle standing on its base
};

/// What a shape was last drawn as: a regular polygon of points corners, its bounding box's
/// top-left corner (before the rotation, which turns it about that corner) at x, y pixels.
struct ShapeFigure {
  std::size_t points = 30;    ///< corners
  float radius = 0.0f;        ///< pixels
  float rotation = 0.0f;      ///< degrees, clockwise
  float x = 0.0f;             ///< pixels from the window's left
  float y = 0.0f;             ///< pixels from the window's top
  std::uint8_t red = 255;     ///< fill colour, 0 to 255
  std::uint8_t green = 255;   ///< fill colour, 0 to 255
  std::uint8_t blue = 255;    ///< fill colour, 0 to 255
  std::uint8_t opacity = 255; ///< 0 (invisible) to 255 (opaque)
};

/// A filled circle, square or triangle an object can show besides its sprite, drawn in pixels.
class Shape {
public:
  /// A white, opaque shape of kind SHAPE_NONE and size 0.
  Shape();

  /// Draws the figure with its cell's top-left corner at world_pos; kinds other than CIRCLE,
  /// SQUARE and TRIANGLE draw nothing.
  void draw(Vector world_pos);

  /// Colour of the figure; CUSTOM draws it in the channels set by setRGB.
  Color getColor() const { return color; }
  /// Sets the colour; a named colour replaces the channels at the next draw.
  void setColor(Color new_color) { color = new_color; }
  /// Sets the red, green and blue channels, 0 to 255, that CUSTOM draws with.
  void setRGB(std::uint8_t r, std::uint8_t g, std::uint8_t b);
  /// Red channel, 0 to 255.
  std::uint8_t getRed() const { return red; }
  /// Green channel, 0 to 255.
  std::uint8_t getGreen() const { return green; }
  /// Blue channel, 0 to 255.
  std::uint8_t getBlue() const { return blue; }
  /// The figure, a ShapeKind.
  int getKind() const { return kind; }
  /// Sets the figure, a ShapeKind.
  void setKind(int new_kind) { kind = new_kind; }
  /// Size of the figure in pixels (a circle's radius).
  float getSize() const { return size; }
  /// Sets the size of the figure in pixels.
  void setSize(float new_size) { size = new_size; }
  /// Opacity from 0 (invisible) to 255 (opaque).
  std::uint8_t getOpacity() const { return opacity; }
  /// Sets the opacity, 0 (invisible) to 255 (opaque).
  void setOpacity(std::uint8_t new_opacity) { opacity = new_opacity; }

  /// The figure of the last draw of any shape.
  static const ShapeFigure& figure();

private:
  Color color = WHITE;
  std::uint8_t red = 255;
  std::uint8_t green = 255;
  std::uint8_t blue = 255;
  int kind = SHAPE_NONE;
  float size = 0.0f;
  std::uint8_t opacity = 255;
};

} // namespace tw
