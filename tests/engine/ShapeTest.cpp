#include "Shape.h"
#include "TestWindow.h"

using tw::Shape;
using tw::Vector;

namespace {

/// Points, radius, rotation, position and fill colour of the figure last drawn.
std::string figure() {
  const tw::ShapeFigure& f = Shape::figure();
  std::ostringstream out;
  out << f.points << " r" << f.radius << " @" << f.rotation << " " << f.x << "," << f.y << " "
      << int(f.red) << "," << int(f.green) << "," << int(f.blue) << "," << int(f.opacity);
  return out.str();
}

class Shapes : public twtest::WindowTest {};

TEST_F(Shapes, FiguresFollowKindSizeAndColour) {
  const struct {
    int kind;
    float size;
    tw::Color color;
    Vector at;
    const char* figure;
  } cases[] = {{tw::CIRCLE, 2, tw::RED, Vector(10, 10), "3 r2 @0 127,319 255,0,0,255"},
               {tw::CIRCLE, 3, tw::RED, Vector(10, 10), "3 r3 @0 126.5,318.5 255,0,0,255"},
               {tw::CIRCLE, 7.9f, tw::RED, Vector(10, 10), "7 r7.9 @0 124.05,316.05 255,0,0,255"},
               {tw::CIRCLE, 25, tw::GREEN, Vector(10, 10), "10 r25 @0 115.5,307.5 0,255,0,255"},
               {tw::SQUARE, 50, tw::BLUE, Vector(10, 5), "4 r25 @45 153,131.429 0,0,255,255"},
               {tw::TRIANGLE, 50, tw::CUSTOM, Vector(10, 5), "3 r25 @0 103,135 0,0,255,128"}};
  Shape shape;
  for (const auto& c : cases) { // CUSTOM keeps the stored channels
    shape.setKind(c.kind), shape.setSize(c.size), shape.setColor(c.color);
    shape.setOpacity(c.color == tw::CUSTOM ? 128 : 255), shape.draw(c.at);
    EXPECT_EQ(figure(), c.figure);
  }
  EXPECT_EQ(int(shape.getRed()) + shape.getGreen() + shape.getBlue(), 255);
  shape.setRGB(10, 200, 30), shape.draw(Vector(5, 5));
  EXPECT_EQ(figure().substr(figure().rfind(' ')), " 10,200,30,128");
}

// Drawn through the engine's renderer, a figure covers the pixels of the window library's own.
TEST_F(Shapes, FiguresCoverThePixelsOfTheWindowLibrarysShape) {
  const struct {
    int kind;
    float size;
  } figures[] = {{tw::CIRCLE, 25}, {tw::SQUARE, 50}, {tw::TRIANGLE, 60}};
  sf::RenderWindow& window = *tw::sfml::getWindow();
  Shape shape;
  sf::CircleShape same;
  for (const auto& f : figures) {
    window.clear(), shape.setKind(f.kind), shape.setSize(f.size), shape.setOpacity(200);
    shape.draw(Vector(10, 10));
    const sf::Image ours = grab();
    const tw::ShapeFigure& s = Shape::figure();
    same.setPointCount(s.points), same.setRadius(s.radius), same.setRotation(s.rotation);
    same.setPosition(s.x, s.y), same.setFillColor(sf::Color(255, 255, 255, 200));
    window.clear(), window.draw(same);
    EXPECT_EQ(twtest::countDifferentPixels(ours, grab(), 0), 0) << f.kind;
    EXPECT_GT(twtest::inkBounds(ours, sf::Color::Black, {0, 0, 400, 400}).width, 20);
  }
}

} // namespace
