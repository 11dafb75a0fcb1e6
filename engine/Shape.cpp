#include "Shape.h"

#include "Config.h"
#include "GraphicsManager.h"
#include "LogManager.h"
#include "WorldManager.h"

namespace tw {

namespace {

sf::CircleShape& sharedFigure() {
  static sf::CircleShape figure(0.0f, 30);
  return figure;
}

} // namespace

Shape::Shape() = default;

void Shape::setRGB(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
  red = r;
  green = g;
  blue = b;
}

const sf::CircleShape& Shape::figure() {
  return sharedFigure();
}

void Shape::draw(Vector world_pos) {
  const LogManager& log = LogManager::getInstance();
  // Handing out the window also puts the cells drawn so far under the figure.
  sf::RenderWindow* p_window = GraphicsManager::getInstance().getWindow();
  if (!p_window) {
    log.writeLog("Shape::draw(): Error! GraphicsManager window not defined.");
    return;
  }
  const Vector p = spacesToPixels(worldToView(world_pos));
  if (color != CUSTOM) {
    colorToRGB(color, red, green, blue);
  }
  sf::CircleShape& shape = sharedFigure();
  shape.setFillColor(sf::Color(red, green, blue, opacity));
  switch (kind) {
  case CIRCLE: {
    std::size_t points = 10;
    if (size < 3) {
      points = 3;
    } else if (size <= 10) {
      points = static_cast<std::size_t>(size);
    }
    shape.setPointCount(points);
    shape.setRadius(size);
    shape.setRotation(0);
    shape.setPosition(p.getX() - size * 0.5f, p.getY() - size * 0.5f);
    break;
  }
  case SQUARE:
    shape.setPointCount(4);
    shape.setRadius(size / Config::getInstance().font_scale);
    shape.setRotation(45);
    shape.setPosition(p.getX() + size * 0.5f, p.getY() - size / 1.75f);
    break;
  case TRIANGLE:
    shape.setPointCount(3);
    shape.setRadius(size * 0.5f);
    shape.setRotation(0);
    shape.setPosition(p.getX() - size * 0.5f, p.getY() - size * 0.5f);
    break;
  default:
    return;
  }
  log.writeLog(10, "Shape::draw(): Drawing at (%.2f, %.2f)", p.getX(), p.getY());
  p_window->draw(shape, sf::RenderStates::Default);
}

} // namespace tw
