#include "Shape.h"

namespace tw {

Shape::Shape() = default;

void Shape::setRGB(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
  red = r;
  green = g;
  blue = b;
}

void Shape::draw(Vector) {}

} // namespace tw
