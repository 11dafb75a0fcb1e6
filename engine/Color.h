#pragma once

#include <cstdint>
#include <string>

namespace tw {

/// The colours characters are drawn in; converted to window colours by the graphics manager.
/// Besides the nine named ones, a Color made by rgb() holds any 24-bit colour. Any int is a
/// valid Color: other values are unsupported colours, reported when used.
enum Color : int {
  BLACK = 0,
  RED,
  GREEN,
  YELLOW,
  BLUE,
  MAGENTA,
  CYAN,
  WHITE,
  CUSTOM, ///< a shape's own channels, set with setRGB; characters are drawn white
};

/// The bit that marks a Color made by rgb(); red, green and blue fill the 24 bits below it.
constexpr int RGB_COLOR = 0x1000000;

/// A 24-bit colour; rgb(255, 0, 0) draws as RED does, but is not equal to it.
constexpr Color rgb(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
  return static_cast<Color>(RGB_COLOR | red << 16 | green << 8 | blue);
}

/// Whether color was made by rgb().
constexpr bool isRGB(Color color) {
  return (static_cast<int>(color) & ~0xFFFFFF) == RGB_COLOR;
}

/// Reads "#rrggbb" (hex digits in either case) into color; false, and color unchanged, for
/// anything else.
bool colorFromHex(const std::string& text, Color& color);

/// Reads a colour's name ("black" to "white", as the named Colors) or "#rrggbb"; false, and
/// color unchanged, for anything else.
bool colorFromText(const std::string& text, Color& color);

} // namespace tw
