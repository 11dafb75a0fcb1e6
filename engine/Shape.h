#pragma once

#include "Color.h"
#include "Vector.h"

#include <SFML/Graphics/CircleShape.hpp>

#include <cstdint>

namespace tw {

enum ShapeKind {
  SHAPE_NONE = -1,
  CIRCLE = 0,
  SQUARE,
  TRIANGLE,
};

/// A filled circle, square or triangle an object can show besides its sprite, drawn in pixels.
class Shape {
public:
  Shape();

  /// Draws the figure with its cell's top-left corner at world_pos; kinds other than CIRCLE,
  /// SQUARE and TRIANGLE draw nothing.
  void draw(Vector world_pos);

  Color getColor() const { return color; }
  void setColor(Color new_color) { color = new_color; }
  void setRGB(std::uint8_t r, std::uint8_t g, std::uint8_t b);
  std::uint8_t getRed() const { return red; }
  std::uint8_t getGreen() const { return green; }
  std::uint8_t getBlue() const { return blue; }
  int getKind() const { return kind; }
  void setKind(int new_kind) { kind = new_kind; }
  float getSize() const { return size; }
  void setSize(float new_size) { size = new_size; }
  std::uint8_t getOpacity() const { return opacity; }
  void setOpacity(std::uint8_t new_opacity) { opacity = new_opacity; }

  /// The one figure every shape is drawn with, as the last draw left it.
  static const sf::CircleShape& figure();

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
