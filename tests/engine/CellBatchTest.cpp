#include "CellBatch.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

constexpr std::size_t QUAD = 6;
const sf::Color BACKGROUND = sf::Color::Black;

/// A batch over 10 x 5 cells of 10 x 20 pixels.
class Batch : public ::testing::Test {
protected:
  void SetUp() override { batch.setCells(sf::Vector2f(10, 20), 10, 5); }

  void glyphAt(float x, float y) {
    sf::Glyph glyph;
    glyph.bounds = sf::FloatRect(1, -15, 8, 14);
    glyph.textureRect = sf::IntRect(4, 4, 8, 14);
    batch.addGlyph(sf::Vector2f(x, y), glyph, 16, sf::Color::Red);
  }
  std::size_t backgroundAt(float x, float y) {
    const std::size_t before = batch.getVertexCount();
    batch.addBackground(sf::Vector2f(x, y), sf::Vector2f(10, 20), BACKGROUND);
    return (batch.getVertexCount() - before) / QUAD;
  }

  tw::CellBatch batch;
};

TEST_F(Batch, BackgroundsAreLeftOutOnlyWhereNothingWasDrawn) {
  EXPECT_EQ(backgroundAt(20, 40), 0u);
  glyphAt(20, 40);
  // Over the glyph, and over a cell the glyph's quad reaches into.
  EXPECT_EQ(backgroundAt(20, 40), 1u);
  EXPECT_EQ(backgroundAt(15, 45), 1u);
  EXPECT_EQ(backgroundAt(60, 80), 0u);

  // Drawing the batch does not forget what is on the window until the next frame.
  batch.clear();
  EXPECT_EQ(backgroundAt(20, 40), 1u);
  batch.newFrame();
  EXPECT_EQ(backgroundAt(20, 40), 0u);
}

TEST_F(Batch, BackgroundsAreKeptWhenTheWindowWasDrawnOnOrTheyAreNotOpaque) {
  batch.markAllDrawn();
  EXPECT_EQ(backgroundAt(60, 80), 1u);
  batch.newFrame();
  EXPECT_EQ(backgroundAt(60, 80), 0u);
  batch.addBackground(sf::Vector2f(60, 80), sf::Vector2f(10, 20), sf::Color(0, 0, 0, 128));
  EXPECT_EQ(batch.getVertexCount(), 2 * QUAD);
}

TEST_F(Batch, PlacesOffTheGridOrNotNumbersAreSafe) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float huge = std::numeric_limits<float>::max();
  glyphAt(-1000, -1000);
  glyphAt(huge, huge);
  glyphAt(nan, nan);
  EXPECT_EQ(backgroundAt(-5000, -5000), 1u); // beyond the same corner as the first glyph
  EXPECT_EQ(backgroundAt(-huge, huge), 0u);
  EXPECT_EQ(backgroundAt(nan, nan), 1u); // counted in the corner cell, as the NaN glyph was
  EXPECT_EQ(backgroundAt(40, 40), 0u);
}

TEST(BatchWithoutCells, KeepsEveryBackground) {
  tw::CellBatch batch;
  batch.addBackground(sf::Vector2f(0, 0), sf::Vector2f(10, 20), BACKGROUND);
  EXPECT_EQ(batch.getVertexCount(), QUAD);
  batch.setCells(sf::Vector2f(0, 0), 10, 5);
  batch.newFrame();
  batch.addBackground(sf::Vector2f(0, 0), sf::Vector2f(10, 20), BACKGROUND);
  EXPECT_EQ(batch.getVertexCount(), 2 * QUAD);
}

} // namespace
