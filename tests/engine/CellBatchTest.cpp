#include "CellBatch.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

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

// Glyph quads here span (x, y) to (x + 10, y + 16); backgrounds are 10 x 20 cells.
TEST_F(Batch, OnlyQuadsThatLaterOpaqueRectanglesHideWhollyAreCulled) {
  glyphAt(20, 20);  // hidden by the background at (20, 20)
  glyphAt(40, 20);  // one pixel column left uncovered by the background at (40.6, 20)
  glyphAt(60, 20);  // under a background that is not quite opaque
  glyphAt(0, 40);   // hidden by two backgrounds side by side
  glyphAt(200, 20); // off the target
  glyphAt(-5, 90);  // partly on it
  glyphAt(std::numeric_limits<float>::quiet_NaN(), 20);
  backgroundAt(20, 20); // hidden in turn by the blue one at the same place
  batch.addBackground(sf::Vector2f(40.6f, 20), sf::Vector2f(10, 20), BACKGROUND);
  batch.addBackground(sf::Vector2f(60, 20), sf::Vector2f(10, 20), sf::Color(0, 0, 0, 254));
  batch.addBackground(sf::Vector2f(-5, 40), sf::Vector2f(10, 20), BACKGROUND);
  batch.addBackground(sf::Vector2f(5, 40), sf::Vector2f(10, 20), BACKGROUND);
  batch.addBackground(sf::Vector2f(20, 20), sf::Vector2f(10, 20), sf::Color::Blue);
  ASSERT_EQ(batch.getVertexCount(), 13 * QUAD);

  EXPECT_EQ(batch.cullHidden(sf::Vector2u(100, 100)), 4u);
  // The rest keep their order; each quad's first vertex is its top-left corner.
  const std::vector<float> lefts = {40, 60, -5, 40.6f, 60, -5, 5, 20};
  ASSERT_EQ(batch.getVertexCount(), (lefts.size() + 1) * QUAD);
  const std::vector<sf::Vertex>& v = batch.getVertices();
  std::size_t q = 0;
  for (std::size_t i = 0; i < lefts.size(); i++, q++) {
    if (i == 3) {
      EXPECT_TRUE(std::isnan(v[q * QUAD].position.x)); // kept: nobody knows where it lands
      q++;
    }
    EXPECT_EQ(v[q * QUAD].position.x, lefts[i]) << "quad " << q;
  }
  EXPECT_EQ(v.back().color, sf::Color::Blue);
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

// Culling takes quad positions for the target's pixels, which holds only for the default view.
TEST(BatchOnATarget, LeavesOutHiddenQuadsOnlyWhereItsPixelsAreTheTargets) {
  sf::RenderTexture target;
  ASSERT_TRUE(target.create(100, 100));
  tw::CellBatch batch;
  batch.setWhiteTexel(false); // plain untextured quads: no font needed
  auto drawCoveredGlyph = [&]() {
    sf::Glyph glyph;
    glyph.bounds = sf::FloatRect(1, -15, 8, 14);
    batch.addGlyph(sf::Vector2f(20, 20), glyph, 16, sf::Color::Red);
    batch.addRectangle(sf::Vector2f(20, 20), sf::Vector2f(10, 20), sf::Color::Blue);
    target.clear(BACKGROUND);
    const int calls = batch.draw(target, nullptr);
    EXPECT_EQ(calls, 2 - static_cast<int>(batch.getLastCulled())); // one a run of one kind
    target.display();
    return target.getTexture().copyToImage();
  };

  sf::Image image = drawCoveredGlyph();
  EXPECT_EQ(batch.getLastCulled(), 1u);
  EXPECT_EQ(image.getPixel(25, 30), sf::Color::Blue);
  EXPECT_EQ(image.getPixel(35, 30), BACKGROUND);

  target.setView(sf::View(sf::FloatRect(0, 0, 50, 50))); // everything twice as large
  image = drawCoveredGlyph();
  EXPECT_EQ(batch.getLastCulled(), 0u);
  EXPECT_EQ(image.getPixel(50, 60), sf::Color::Blue);
  EXPECT_EQ(image.getPixel(70, 60), BACKGROUND);
}

} // namespace
