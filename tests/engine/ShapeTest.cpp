#include "Config.h"
#include "GraphicsManager.h"
#include "Shape.h"
#include "TestWindow.h"
#include "WorldManager.h"

#include <gtest/gtest.h>

using tw::Shape;
using tw::Vector;

namespace {

class Shapes : public twtest::WindowTest {};

TEST_F(Shapes, CirclePointsFollowTheSize) {
  Shape shape;
  shape.setKind(tw::CIRCLE);
  const struct {
    float size;
    std::size_t points;
  } cases[] = {{2.0f, 3}, {3.0f, 3}, {7.9f, 7}, {10.0f, 10}, {25.0f, 10}};
  for (const auto& c : cases) {
    shape.setSize(c.size);
    shape.draw(Vector(10, 10));
    EXPECT_EQ(Shape::figure().getPointCount(), c.points) << c.size;
    EXPECT_FLOAT_EQ(Shape::figure().getRadius(), c.size);
  }
  EXPECT_FLOAT_EQ(Shape::figure().getPosition().x, 128 - 12.5f);
  EXPECT_FLOAT_EQ(Shape::figure().getPosition().y, 320 - 12.5f);
}

TEST_F(Shapes, SquareIsTurnedAndTriangleAfterItIsNot) {
  Shape square;
  square.setKind(tw::SQUARE);
  square.setSize(50);
  square.draw(Vector(10, 5));
  EXPECT_EQ(Shape::figure().getPointCount(), 4u);
  EXPECT_FLOAT_EQ(Shape::figure().getRadius(), 25.0f);
  EXPECT_FLOAT_EQ(Shape::figure().getRotation(), 45.0f);
  EXPECT_FLOAT_EQ(Shape::figure().getPosition().x, 128 + 25.0f);
  EXPECT_FLOAT_EQ(Shape::figure().getPosition().y, 160 - 50 / 1.75f);

  Shape triangle;
  triangle.setKind(tw::TRIANGLE);
  triangle.setSize(50);
  triangle.draw(Vector(10, 5));
  EXPECT_EQ(Shape::figure().getPointCount(), 3u);
  EXPECT_FLOAT_EQ(Shape::figure().getRadius(), 25.0f);
  EXPECT_FLOAT_EQ(Shape::figure().getRotation(), 0.0f);
  EXPECT_FLOAT_EQ(Shape::figure().getPosition().x, 128 - 25.0f);
}

TEST_F(Shapes, CustomColourIsKeptAndNamedColoursOverwriteIt) {
  Shape shape;
  shape.setKind(tw::CIRCLE);
  shape.setSize(20);
  shape.setColor(tw::CUSTOM);
  shape.setRGB(10, 200, 30);
  shape.setOpacity(128);
  shape.draw(Vector(5, 5));
  EXPECT_EQ(Shape::figure().getFillColor(), sf::Color(10, 200, 30, 128));
  shape.setColor(tw::RED);
  shape.setOpacity(255);
  shape.draw(Vector(5, 5));
  EXPECT_EQ(shape.getRed(), 255);
  EXPECT_EQ(shape.getGreen(), 0);
  EXPECT_EQ(shape.getBlue(), 0);
  EXPECT_EQ(Shape::figure().getFillColor(), sf::Color::Red);
}

TEST_F(Shapes, FigureGoesOverEarlierCellsAndUnderLaterOnes) {
  tw::GraphicsManager& g = tw::GraphicsManager::getInstance();
  // Circle of radius 25 whose bounding box starts half its size above and left of the cell:
  // its middle is at pixel (524.5, 396.5), inside cell (41, 12).
  Shape circle;
  circle.setKind(tw::CIRCLE);
  circle.setSize(25);
  circle.setColor(tw::GREEN);
  ASSERT_EQ(g.drawCharacter('#', tw::WHITE, Vector(41, 12)), 0);
  circle.draw(Vector(40, 12));
  sf::Image image = grab();
  EXPECT_EQ(image.getPixel(524, 396), sf::Color::Green);
  EXPECT_EQ(image.getPixel(524, 420), sf::Color::Green);

  ASSERT_EQ(g.drawCharacter(' ', tw::WHITE, Vector(41, 12)), 0);
  image = grab();
  EXPECT_EQ(image.getPixel(524, 396), sf::Color::Black);
  // Outside the blank cell the circle is still there.
  EXPECT_EQ(image.getPixel(510, 396), sf::Color::Green);
  EXPECT_EQ(g.cellAt(41, 12).ch, ' ');

  // The view moves the figure with the cells.
  g.displayFrame();
  tw::WorldManager::getInstance().setView(tw::Box(Vector(10, 0), 80, 24));
  circle.draw(Vector(50, 12));
  image = grab();
  EXPECT_EQ(image.getPixel(524, 396), sf::Color::Green);
}

TEST_F(Shapes, UnknownKindsDrawNothing) {
  Shape shape;
  shape.setKind(7);
  shape.setSize(40);
  shape.setColor(tw::WHITE);
  shape.draw(Vector(40, 12));
  shape.setKind(tw::SHAPE_NONE);
  shape.draw(Vector(40, 12));
  const sf::Image image = grab();
  EXPECT_EQ(twtest::inkBounds(image, sf::Color::Black, sf::IntRect(0, 0, 1024, 768)).width, 0);
}

class ShapesWithoutWindow : public twtest::TempDirTest {};

TEST_F(ShapesWithoutWindow, DrawingOnlyReportsTheMissingWindow) {
  twtest::startLog();
  const sf::Color fill_before = Shape::figure().getFillColor();
  const std::size_t points_before = Shape::figure().getPointCount();
  Shape shape;
  shape.setKind(tw::CIRCLE);
  shape.setSize(5);
  shape.setColor(tw::RED);
  shape.draw(Vector(1, 1));
  shape.draw(Vector(2, 2));
  const std::vector<std::string> lines = twtest::stopLog();
  EXPECT_EQ(
      twtest::countContaining(lines, "Shape::draw(): Error! GraphicsManager window not defined."),
      2);
  EXPECT_EQ(lines.size(), 2u);
  // Nothing was set on the figure, and the stored channels are untouched.
  EXPECT_EQ(shape.getGreen(), 255);
  EXPECT_EQ(Shape::figure().getPointCount(), points_before);
  EXPECT_EQ(Shape::figure().getFillColor(), fill_before);
}

} // namespace
