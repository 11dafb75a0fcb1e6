#include "Shape.h"

#include "Config.h"
#include "GraphicsManager.h"
#include "LogManager.h"
#include "Renderer.h"
#include "WorldManager.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace tw {

namespace {

ShapeFigure& sharedFigure() {
  static ShapeFigure figure;
  return figure;
}

/// The figure as triangles from its centre, in its colour, each sampling texel. Corners are
/// placed as in a circle shape of the window library, the first at the top, and turned and
/// moved as its transform does it, in floats, so that the figure covers the same pixels.
void triangulate(const ShapeFigure& f, Point texel, std::vector<Vertex>& out) {
  const float pi = 3.141592654f;
  const float angle = -f.rotation * pi / 180.0f;
  const float cosine = std::cos(angle);
  const float sine = std::sin(angle);
  const auto place = [&](Point p) {
    return Point{cosine * p.x + sine * p.y + f.x, -sine * p.x + cosine * p.y + f.y};
  };
  auto corner = [&](std::size_t i) {
    const float a = static_cast<float>(i * 2) * pi / static_cast<float>(f.points) - pi / 2;
    return Point{f.radius + std::cos(a) * f.radius, f.radius + std::sin(a) * f.radius};
  };
  Point low = corner(0);
  Point high = low;
  for (std::size_t i = 1; i < f.points; i++) {
    const Point p = corner(i);
    low = Point{std::min(low.x, p.x), std::min(low.y, p.y)};
    high = Point{std::max(high.x, p.x), std::max(high.y, p.y)};
  }
  const Point centre = place(Point{low.x + (high.x - low.x) / 2, low.y + (high.y - low.y) / 2});
  const Rgba color{f.red, f.green, f.blue, f.opacity};
  out.clear();
  for (std::size_t i = 0; i < f.points; i++) {
    out.push_back(Vertex{centre, color, texel});
    out.push_back(Vertex{place(corner(i)), color, texel});
    out.push_back(Vertex{place(corner((i + 1) % f.points)), color, texel});
  }
}

} // namespace

Shape::Shape() = default;

void Shape::setRGB(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
  red = r;
  green = g;
  blue = b;
}

const ShapeFigure& Shape::figure() {
  return sharedFigure();
}

void Shape::draw(Vector world_pos) {
  const LogManager& log = LogManager::getInstance();
  // Drawing directly also puts the cells drawn so far under the figure.
  Renderer* p_renderer = GraphicsManager::getInstance().drawDirectly();
  if (!p_renderer) {
    log.writeLog("Shape::draw(): Error! GraphicsManager window not defined.");
    return;
  }
  const Vector p = spacesToPixels(worldToView(world_pos));
  if (color != CUSTOM) {
    colorToRGB(color, red, green, blue);
  }
  ShapeFigure& f = sharedFigure();
  f.red = red;
  f.green = green;
  f.blue = blue;
  f.opacity = opacity;
  switch (kind) {
  case CIRCLE: {
    std::size_t points = 10;
    if (size < 3) {
      points = 3;
    } else if (size <= 10) {
      points = static_cast<std::size_t>(size);
    }
    f.points = points;
    f.radius = size;
    f.rotation = 0;
    f.x = p.getX() - size * 0.5f;
    f.y = p.getY() - size * 0.5f;
    break;
  }
  case SQUARE:
    f.points = 4;
    f.radius = size / Config::getInstance().font_scale;
    f.rotation = 45;
    f.x = p.getX() + size * 0.5f;
    f.y = p.getY() - size / 1.75f;
    break;
  case TRIANGLE:
    f.points = 3;
    f.radius = size * 0.5f;
    f.rotation = 0;
    f.x = p.getX() - size * 0.5f;
    f.y = p.getY() - size * 0.5f;
    break;
  default:
    return;
  }
  log.writeLog(10, "Shape::draw(): Drawing at (%.2f, %.2f)", p.getX(), p.getY());
  static std::vector<Vertex> triangles; // kept from draw to draw
  Point texel;
  p_renderer->whiteTexel(texel);
  triangulate(f, texel, triangles);
  p_renderer->drawTriangles(triangles.data(), triangles.size());
}

} // namespace tw
