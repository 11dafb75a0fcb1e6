#include "Config.h"
#include "GraphicsManager.h"
#include "LogManager.h"
#include "TestWindow.h"
#include "WorldManager.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sys/wait.h>
#include <fstream>
#include <string>
#include <vector>

using tw::Cell;
using tw::Color;
using tw::GraphicsManager;
using tw::Vector;
using twtest::WindowTest;

namespace {

struct Draw {
  char ch;
  Color color;
  Vector pos;
};

/// Draws one character the plain way: a rectangle and a one-character text, each drawn on
/// its own, at the places and in the colours the cell grid gives them.
void drawReference(sf::RenderTarget& target, const Draw& d) {
  const GraphicsManager& g = GraphicsManager::getInstance();
  const Vector p = tw::spacesToPixels(tw::worldToView(d.pos));
  sf::RectangleShape rect(sf::Vector2f(tw::charWidth(), tw::charHeight()));
  rect.setFillColor(g.getBackgroundColor());
  rect.setPosition(p.getX() - tw::charWidth() / 10, p.getY() + tw::charHeight() / 5);
  target.draw(rect);
  sf::Text text;
  text.setFont(g.getFont());
  text.setStyle(sf::Text::Bold);
  text.setCharacterSize(g.getCharacterSize());
  text.setString(sf::String(static_cast<sf::Uint32>(static_cast<unsigned char>(d.ch))));
  std::uint8_t r = 255;
  std::uint8_t gr = 255;
  std::uint8_t b = 255;
  tw::colorToRGB(d.color, r, gr, b);
  text.setFillColor(sf::Color(r, gr, b));
  text.setPosition(p.getX(), p.getY());
  target.draw(text);
}

/// A busy scene: every printable Latin-1 character in every colour over the whole grid, then
/// characters between cells, on top of one another and blanks over glyphs.
std::vector<Draw> busyScene(int columns, int rows) {
  std::vector<unsigned char> chars;
  for (int c = 0x21; c <= 0x7E; c++) {
    chars.push_back(static_cast<unsigned char>(c));
  }
  for (int c = 0xA1; c <= 0xFF; c++) {
    chars.push_back(static_cast<unsigned char>(c));
  }
  std::vector<Draw> scene;
  std::size_t n = 0;
  for (int y = 0; y < rows; y++) {
    for (int x = 0; x < columns; x++, n++) {
      scene.push_back({static_cast<char>(chars[n % chars.size()]), static_cast<Color>(1 + (n % 7)),
                       Vector(x, y)});
    }
  }
  for (int i = 0; i < 40; i++) {
    scene.push_back({static_cast<char>('A' + i % 26), tw::YELLOW, Vector(i * 1.5f + 0.25f, 3.5f)});
    scene.push_back({' ', tw::WHITE, Vector(i * 2.0f, 7.0f)});
    scene.push_back({'#', tw::CUSTOM, Vector(i * 2.0f + 0.5f, 9.25f)});
    scene.push_back({'@', static_cast<Color>(42), Vector(i * 2.0f, 11.0f)});
  }
  // Blocks of 9 x 5 cells, blanks and glyphs, laid over one another as explosions over a
  // wall of bricks are: most of each block hides parts of the ones before it.
  const char* block[] = {"  .\\|/.  ", " .#@#@#. ", "-=@###@=-", " '#@#@#' ", "  '/|\\'  "};
  for (int b = 0; b < 24; b++) {
    const float left = 4.0f + static_cast<float>((b % 8) * 6);
    const float top = 14.0f + static_cast<float>((b / 8) * 2);
    for (int y = 0; y < 5; y++) {
      for (int x = 0; x < 9; x++) {
        scene.push_back({block[y][x], static_cast<Color>(1 + b % 7), Vector(left + x, top + y)});
      }
    }
  }
  return scene;
}

class Graphics : public WindowTest {};

TEST_F(Graphics, BatchedCellsMatchPlainPerCharacterDrawing) {
  GraphicsManager& g = GraphicsManager::getInstance();
  tw::WorldManager::getInstance().setView(
      tw::Box(Vector(1.5f, 0.5f), g.getHorizontalChars(), g.getVerticalChars()));
  const std::vector<Draw> scene = busyScene(g.getHorizontalChars(), g.getVerticalChars());

  const sf::Texture& texture = g.getFont().getTexture(g.getCharacterSize());
  const sf::Vector2u before = texture.getSize();
  const long calls_before = g.getCellDrawCalls();
  for (const Draw& d : scene) {
    ASSERT_EQ(g.drawCharacter(d.ch, d.color, d.pos), 0);
  }
  // The glyphs drawn first in this frame made the font's texture grow before the batch went
  // out; the batch must still find them.
  const sf::Vector2u after = texture.getSize();
  EXPECT_GT(after.x * after.y, before.x * before.y);
  const sf::Image batched = grab();
  EXPECT_EQ(g.getCellDrawCalls() - calls_before, 1);
  batched.saveToFile("batched.png");

  sf::RenderWindow* p_window = g.getWindow();
  p_window->clear(g.getBackgroundColor());
  for (const Draw& d : scene) {
    drawReference(*p_window, d);
  }
  const sf::Image reference = grab();
  reference.saveToFile("reference.png");

  int max_diff = 0;
  const int differing = twtest::countDifferentPixels(batched, reference, 0, &max_diff);
  const int beyond_rounding = twtest::countDifferentPixels(batched, reference, 2);
  std::printf("batched vs reference: %d of %u pixels differ at all, largest channel difference "
              "%d, %d differ by more than 2\n",
              differing, batched.getSize().x * batched.getSize().y, max_diff, beyond_rounding);
  RecordProperty("pixels_differing", differing);
  RecordProperty("largest_channel_difference", max_diff);
  EXPECT_EQ(beyond_rounding, 0);
  EXPECT_LT(differing, 50);
  // The picture is not blank: the comparison compared something.
  int lit = 0;
  for (unsigned y = 0; y < batched.getSize().y; y += 4) {
    for (unsigned x = 0; x < batched.getSize().x; x += 4) {
      lit += batched.getPixel(x, y) != sf::Color::Black;
    }
  }
  EXPECT_GT(lit, 1000);
}

TEST_F(Graphics, CharacterLandsInItsCellWithTheViewMoved) {
  GraphicsManager& g = GraphicsManager::getInstance();
  tw::WorldManager::getInstance().setView(tw::Box(Vector(5, 0), 80, 24));
  ASSERT_EQ(g.drawCharacter('X', tw::RED, Vector(15, 5)), 0);

  const Cell cell = g.cellAt(10, 5);
  EXPECT_EQ(cell.ch, 'X');
  EXPECT_EQ(cell.color, tw::RED);
  EXPECT_EQ(g.cellAt(15, 5).ch, ' ');

  // The glyph's ink sits where the font puts an X drawn at pixel (128, 160).
  const sf::Image image = grab();
  const sf::Glyph& glyph = g.getFont().getGlyph('X', g.getCharacterSize(), true);
  const sf::IntRect ink = twtest::inkBounds(image, sf::Color::Black, sf::IntRect(64, 128, 128, 96));
  const float left = 128 + glyph.bounds.left;
  const float top = 160 + g.getCharacterSize() + glyph.bounds.top;
  EXPECT_NEAR(ink.left, left, 1.0);
  EXPECT_NEAR(ink.top, top, 1.0);
  EXPECT_NEAR(ink.left + ink.width, left + glyph.bounds.width, 1.0);
  EXPECT_NEAR(ink.top + ink.height, top + glyph.bounds.height, 1.0);
  bool pure_red = false;
  for (int y = ink.top; y < ink.top + ink.height; y++) {
    for (int x = ink.left; x < ink.left + ink.width; x++) {
      const sf::Color p = image.getPixel(x, y);
      EXPECT_EQ(p.g, 0);
      EXPECT_EQ(p.b, 0);
      pure_red = pure_red || p == sf::Color::Red;
    }
  }
  EXPECT_TRUE(pure_red);
}

TEST_F(Graphics, LaterCellsCoverEarlierOnesAndBlanksEraseGlyphs) {
  GraphicsManager& g = GraphicsManager::getInstance();
  ASSERT_EQ(g.drawCharacter('W', tw::GREEN, Vector(20, 10)), 0);
  ASSERT_EQ(g.drawCharacter('O', tw::BLUE, Vector(20, 10)), 0);
  EXPECT_EQ(g.cellAt(20, 10).ch, 'O');
  EXPECT_EQ(g.cellAt(20, 10).color, tw::BLUE);
  const sf::Image covered = grab();
  // Where the cell's background rectangle is, nothing of the green W is left.
  const sf::IntRect rect(static_cast<int>(20 * 12.8f - 1.28f) + 1, 10 * 32 + 7, 11, 30);
  for (int y = rect.top; y < rect.top + rect.height; y++) {
    for (int x = rect.left; x < rect.left + rect.width; x++) {
      EXPECT_EQ(covered.getPixel(x, y).g, 0) << x << "," << y;
    }
  }

  ASSERT_EQ(g.drawCharacter(' ', tw::WHITE, Vector(20, 10)), 0);
  EXPECT_EQ(g.cellAt(20, 10).ch, ' ');
  const sf::Image blank = grab();
  EXPECT_EQ(twtest::inkBounds(blank, sf::Color::Black, rect).width, 0);
}

// Cells on bare background leave out their background rectangle; it must still be drawn over
// glyphs of the same frame and over whatever was drawn on the window directly.
TEST_F(Graphics, BlanksEraseWhatWasDrawnOnTheWindowDirectly) {
  GraphicsManager& g = GraphicsManager::getInstance();
  sf::RectangleShape shape(sf::Vector2f(200, 100));
  shape.setPosition(100, 100);
  shape.setFillColor(sf::Color::Green);
  g.getWindow()->draw(shape);
  // Cell (10, 4) lies inside the shape, cell (40, 4) outside it.
  ASSERT_EQ(g.drawCharacter(' ', tw::WHITE, Vector(10, 4)), 0);
  ASSERT_EQ(g.drawCharacter(' ', tw::WHITE, Vector(40, 4)), 0);
  const sf::Image image = grab();
  const sf::IntRect inside(static_cast<int>(10 * 12.8f) + 1, 4 * 32 + 8, 10, 28);
  for (int y = inside.top; y < inside.top + inside.height; y++) {
    for (int x = inside.left; x < inside.left + inside.width; x++) {
      ASSERT_EQ(image.getPixel(x, y), sf::Color::Black) << x << "," << y;
    }
  }
  EXPECT_EQ(image.getPixel(inside.left - 20, inside.top), sf::Color::Green);

  // A new frame starts bare: the same blank changes nothing and costs no quad.
  g.displayFrame();
  ASSERT_EQ(g.drawCharacter(' ', tw::WHITE, Vector(10, 4)), 0);
  EXPECT_EQ(twtest::inkBounds(grab(), sf::Color::Black, sf::IntRect(0, 0, 1024, 768)).width, 0);
}

TEST_F(Graphics, StringsAreJustifiedByWholeCells) {
  GraphicsManager& g = GraphicsManager::getInstance();
  ASSERT_EQ(g.drawString(Vector(40, 1), "HELLO", tw::JUSTIFY_RIGHT, tw::CYAN), 0);
  ASSERT_EQ(g.drawString(Vector(40, 2), "HELLO", tw::JUSTIFY_CENTER, tw::CYAN), 0);
  ASSERT_EQ(g.drawString(Vector(40, 3), "HELLO", tw::JUSTIFY_LEFT, tw::CYAN), 0);
  ASSERT_EQ(g.drawString(Vector(40, 4), "EVEN", tw::JUSTIFY_CENTER, tw::CYAN), 0);
  ASSERT_EQ(g.drawString(Vector(40, 5), "", tw::JUSTIFY_CENTER, tw::CYAN), 0);
  EXPECT_EQ(g.rowText(1).substr(34, 7), " HELLO ");
  EXPECT_EQ(g.rowText(2).substr(37, 7), " HELLO ");
  EXPECT_EQ(g.rowText(3).substr(39, 7), " HELLO ");
  EXPECT_EQ(g.rowText(4).substr(37, 6), " EVEN ");
  EXPECT_EQ(g.rowText(5), std::string(80, ' '));
  EXPECT_EQ(g.cellAt(35, 1).color, tw::CYAN);

  // The pixels agree with the cells: ink in columns 35 to 39 of row 1 and nowhere else there.
  const sf::Image image = grab();
  const sf::IntRect row(0, 32 + 6, 1024, 28);
  const sf::IntRect ink = twtest::inkBounds(image, sf::Color::Black, row);
  EXPECT_GE(ink.left, static_cast<int>(35 * 12.8f) - 2);
  EXPECT_LE(ink.left + ink.width, static_cast<int>(40 * 12.8f) + 4);
}

TEST_F(Graphics, FramesAreCentredAndSkipTheirTransparentCharacter) {
  GraphicsManager& g = GraphicsManager::getInstance();
  const tw::Frame frame(3, 3, "abcd#fghi");
  ASSERT_EQ(g.drawCharacter('Z', tw::RED, Vector(10, 10)), 0);
  ASSERT_EQ(g.drawFrame(true, tw::GREEN, '#', Vector(10, 10), frame), 0);
  EXPECT_EQ(g.rowText(9).substr(8, 5), " abc ");
  EXPECT_EQ(g.rowText(10).substr(8, 5), " dZf ");
  EXPECT_EQ(g.rowText(11).substr(8, 5), " ghi ");
  EXPECT_EQ(g.cellAt(10, 10).color, tw::RED);
  EXPECT_EQ(g.cellAt(9, 9).color, tw::GREEN);

  // Not centred, the same frame starts at the position; without transparency '#' is drawn.
  ASSERT_EQ(g.drawFrame(false, tw::BLUE, 0, Vector(30, 10), frame), 0);
  EXPECT_EQ(g.rowText(11).substr(30, 3), "d#f");

  // A blank frame cell with no transparency paints the background over what was there.
  ASSERT_EQ(g.drawCharacter('Q', tw::RED, Vector(50, 5)), 0);
  ASSERT_EQ(g.drawFrame(false, tw::WHITE, 0, Vector(50, 5), tw::Frame(1, 1, " ")), 0);
  EXPECT_EQ(g.cellAt(50, 5).ch, ' ');

  // The transparent cell kept the red Z's pixels.
  const sf::Image image = grab();
  const sf::IntRect z_cell(128, 10 * 32 + 7, 10, 30);
  const sf::IntRect ink = twtest::inkBounds(image, sf::Color::Black, z_cell);
  ASSERT_GT(ink.width, 0);
  EXPECT_EQ(image.getPixel(ink.left + ink.width / 2, ink.top).g, 0);

  EXPECT_EQ(g.drawFrame(false, tw::WHITE, 0, Vector(1, 1), tw::Frame()), -1);
  // A frame whose string is shorter than its size draws what it has.
  EXPECT_EQ(g.drawFrame(false, tw::WHITE, 0, Vector(0, 20), tw::Frame(4, 2, "abcde")), 0);
  EXPECT_EQ(g.rowText(20).substr(0, 4), "abcd");
  EXPECT_EQ(g.rowText(21).substr(0, 2), "e ");
}

TEST_F(Graphics, DisplayShowsTheFrameAndStartsAnEmptyOne) {
  GraphicsManager& g = GraphicsManager::getInstance();
  ASSERT_EQ(g.drawString(Vector(0, 0), "score", tw::JUSTIFY_LEFT, tw::YELLOW), 0);
  EXPECT_EQ(g.rowText(0, true).substr(0, 5), "     ");
  g.displayFrame();
  EXPECT_EQ(g.rowText(0, true).substr(0, 5), "score");
  EXPECT_EQ(g.shownCellAt(0, 0).color, tw::YELLOW);
  EXPECT_EQ(g.rowText(0).substr(0, 5), "     ");
  EXPECT_EQ(g.cellAt(-1, 0).ch, ' ');
  EXPECT_EQ(g.cellAt(80, 0).ch, ' ');
  EXPECT_EQ(g.cellAt(0, 24).ch, ' ');
  // Characters off the screen draw without harm and land in no cell.
  EXPECT_EQ(g.drawCharacter('x', tw::RED, Vector(-3, 2)), 0);
  EXPECT_EQ(g.drawCharacter('x', tw::RED, Vector(200, 900)), 0);
  // The new frame starts cleared to the background.
  const sf::Image image = grab();
  EXPECT_EQ(twtest::inkBounds(image, sf::Color::Black, sf::IntRect(0, 0, 1024, 768)).width, 0);
}

TEST_F(Graphics, MiddleDotByteIsDrawnAsACentredDot) {
  GraphicsManager& g = GraphicsManager::getInstance();
  ASSERT_EQ(g.drawCharacter('\xB7', tw::WHITE, Vector(5, 5)), 0);
  EXPECT_EQ(g.cellAt(5, 5).ch, '\xB7');
  const sf::Image image = grab();
  const sf::IntRect ink = twtest::inkBounds(image, sf::Color::Black, sf::IntRect(40, 140, 60, 80));
  ASSERT_GT(ink.width, 0);
  EXPECT_LE(ink.width, 8);
  EXPECT_LE(ink.height, 8);
  // Centred across the glyph's advance and about half way up a capital letter.
  const sf::Glyph& dot = g.getFont().getGlyph(0xB7, g.getCharacterSize(), true);
  const sf::Glyph& capital = g.getFont().getGlyph('H', g.getCharacterSize(), true);
  const float middle = 64 + dot.advance / 2;
  EXPECT_NEAR(ink.left + ink.width / 2.0f, middle, 2.0f);
  const float baseline = 160 + static_cast<float>(g.getCharacterSize());
  const float capital_middle = baseline + capital.bounds.top / 2;
  EXPECT_NEAR(ink.top + ink.height / 2.0f, capital_middle, 3.0f);
}

TEST_F(Graphics, SecondStartUpOnlyReports) {
  GraphicsManager& g = GraphicsManager::getInstance();
  sf::RenderWindow* p_window = g.getWindow();
  EXPECT_EQ(g.startUp(), 0);
  EXPECT_EQ(g.getWindow(), p_window);
  tw::LogManager::getInstance().setFlush(true);
  EXPECT_TRUE(twtest::contains(logLines(), "GraphicsManager::startUp(): Already started."));
  EXPECT_EQ(p_window->getSize(), sf::Vector2u(1024, 768));
  EXPECT_EQ(g.getCharacterSize(), 25u);
}

class GameSizedGraphics : public WindowTest {
protected:
  void configure() override {
    tw::Config& c = tw::Config::getInstance();
    c.window_vertical_pixels = 960;
    c.window_vertical_chars = 40;
    c.window_background_color = tw::BLUE;
    c.setWindowTitle("Tarnwick-Bricks");
  }
};

TEST_F(GameSizedGraphics, WindowTakesTheConfiguredSizeTitleAndBackground) {
  GraphicsManager& g = GraphicsManager::getInstance();
  EXPECT_EQ(g.getWindow()->getSize(), sf::Vector2u(1024, 960));
  EXPECT_EQ(g.getHorizontalChars(), 80);
  EXPECT_EQ(g.getVerticalChars(), 40);
  EXPECT_FLOAT_EQ(tw::charWidth(), 12.8f);
  EXPECT_FLOAT_EQ(tw::charHeight(), 24.0f);
  EXPECT_EQ(g.getCharacterSize(), 25u);
  EXPECT_EQ(g.getBackgroundColor(), sf::Color::Blue);
  EXPECT_EQ(g.cellAt(0, 0).color, tw::BLUE);
  EXPECT_EQ(g.rowText(39), std::string(80, ' '));

  g.displayFrame();
  const sf::Image image = grab();
  EXPECT_EQ(image.getPixel(500, 500), sf::Color::Blue);
  // A yellow character on blue: the cell's rectangle is blue too.
  g.drawCharacter('M', tw::YELLOW, Vector(40, 20));
  const sf::Image drawn = grab();
  const sf::IntRect ink = twtest::inkBounds(drawn, sf::Color::Blue, sf::IntRect(480, 450, 80, 60));
  ASSERT_GT(ink.width, 0);
  EXPECT_EQ(ink.left >= 512 - 2 && ink.left < 512 + 6, true);
  save("game-sized.png");
}

class GraphicsWithoutWindow : public twtest::TempDirTest {};

TEST_F(GraphicsWithoutWindow, DimensionsComeFromTheConfigurationAndDrawingFails) {
  twtest::startLog();
  tw::Config& c = tw::Config::getInstance();
  c.reset();
  c.window_vertical_pixels = 960;
  c.window_vertical_chars = 40;
  GraphicsManager& g = GraphicsManager::getInstance();
  EXPECT_EQ(g.getHorizontalPixels(), 1024);
  EXPECT_EQ(g.getVerticalPixels(), 960);
  EXPECT_EQ(g.getHorizontalChars(), 80);
  EXPECT_EQ(g.getVerticalChars(), 40);
  EXPECT_FLOAT_EQ(tw::charWidth(), 12.8f);
  EXPECT_FLOAT_EQ(tw::charHeight(), 24.0f);
  EXPECT_EQ(g.getWindow(), nullptr);
  EXPECT_EQ(g.drawCharacter('a', tw::RED, Vector(1, 1)), -1);
  EXPECT_EQ(g.drawString(Vector(1, 1), "ab", tw::JUSTIFY_LEFT, tw::RED), -1);
  EXPECT_EQ(g.drawFrame(false, tw::RED, 0, Vector(1, 1), tw::Frame(1, 1, "a")), -1);
  g.displayFrame();
  const std::vector<std::string> lines = twtest::stopLog();
  EXPECT_EQ(twtest::countContaining(lines, "GraphicsManager not started!"), 4);
}

TEST_F(GraphicsWithoutWindow, NoDisplayOrNoCellsFailStartUpWithAMessage) {
  twtest::startLog();
  tw::Config& c = tw::Config::getInstance();
  c.reset();
  c.setFontFile(twtest::sourceDir() + "/tw-font.ttf");
  GraphicsManager& g = GraphicsManager::getInstance();
  const std::string display = std::getenv("DISPLAY") ? std::getenv("DISPLAY") : "";
  unsetenv("DISPLAY");
  EXPECT_EQ(g.startUp(), -1);
  setenv("DISPLAY", display.c_str(), 1);
  c.window_horizontal_chars = 0;
  EXPECT_EQ(g.startUp(), -1);
  EXPECT_EQ(g.getWindow(), nullptr);
  EXPECT_FALSE(g.isStarted());
  const std::vector<std::string> lines = twtest::stopLog();
  EXPECT_TRUE(twtest::contains(
      lines, "GraphicsManager::startUp(): No display to open a window on (DISPLAY unset)."));
  EXPECT_TRUE(twtest::contains(lines, "GraphicsManager::startUp(): Window of 1024 x 768 pixels "
                                      "and 0 x 24 characters is not possible."));
}

TEST(GraphicsConversions, CellsAndPixels) {
  tw::Config::getInstance().reset();
  const Vector pixels = tw::spacesToPixels(Vector(10, 5));
  EXPECT_FLOAT_EQ(pixels.getX(), 128);
  EXPECT_FLOAT_EQ(pixels.getY(), 160);
  const Vector spaces = tw::pixelsToSpaces(Vector(128, 160));
  EXPECT_FLOAT_EQ(spaces.getX(), 10);
  EXPECT_FLOAT_EQ(spaces.getY(), 5);
  const Vector mid = tw::pixelsToSpaces(Vector(512, 384));
  EXPECT_FLOAT_EQ(mid.getX(), 40);
  EXPECT_FLOAT_EQ(mid.getY(), 12);
}

TEST(GraphicsConversions, ColourTables) {
  const struct {
    Color color;
    sf::Color sfml;
  } table[] = {{tw::BLACK, sf::Color(0, 0, 0)},    {tw::RED, sf::Color(255, 0, 0)},
               {tw::GREEN, sf::Color(0, 255, 0)},  {tw::YELLOW, sf::Color(255, 255, 0)},
               {tw::BLUE, sf::Color(0, 0, 255)},   {tw::MAGENTA, sf::Color(255, 0, 255)},
               {tw::CYAN, sf::Color(0, 255, 255)}, {tw::WHITE, sf::Color(255, 255, 255)}};
  for (const auto& row : table) {
    EXPECT_EQ(tw::colorToSFML(row.color), row.sfml) << row.color;
    std::uint8_t r = 7;
    std::uint8_t g = 7;
    std::uint8_t b = 7;
    tw::colorToRGB(row.color, r, g, b);
    EXPECT_EQ(sf::Color(r, g, b), row.sfml) << row.color;
  }
  for (const Color odd : {tw::CUSTOM, static_cast<Color>(9), static_cast<Color>(-1)}) {
    EXPECT_EQ(tw::colorToSFML(odd), sf::Color::White);
    std::uint8_t r = 7;
    std::uint8_t g = 8;
    std::uint8_t b = 9;
    tw::colorToRGB(odd, r, g, b);
    EXPECT_EQ(sf::Color(r, g, b), sf::Color(7, 8, 9));
  }
}

} // namespace

namespace {

class FontFailure : public twtest::TempDirTest {};

TEST_F(FontFailure, MissingOrBrokenFontFailsStartUp) {
  twtest::startLog();
  tw::Config& config = tw::Config::getInstance();
  config.reset();
  config.setFontFile("no-such-font.ttf");
  GraphicsManager& g = GraphicsManager::getInstance();
  EXPECT_EQ(g.startUp(), -1);
  EXPECT_FALSE(g.isStarted());
  EXPECT_EQ(g.drawCharacter('a', tw::RED, Vector(1, 1)), -1);
  // The window stays open, but a second try is a real start-up, not "already started".
  EXPECT_NE(g.getWindow(), nullptr);
  EXPECT_EQ(g.startUp(), -1);
  config.setFontFile(twtest::sourceDir() + "/tw-font.ttf");
  EXPECT_EQ(g.startUp(), 0);
  EXPECT_TRUE(g.isStarted());
  EXPECT_EQ(g.drawCharacter('a', tw::RED, Vector(1, 1)), 0);

  writeFile("broken.ttf", "not a font at all");
  config.setFontFile("broken.ttf");
  g.shutDown();
  EXPECT_EQ(g.getWindow(), nullptr);
  EXPECT_EQ(g.startUp(), -1);
  g.shutDown();
  const std::vector<std::string> lines = twtest::stopLog();
  EXPECT_EQ(
      twtest::countContaining(
          lines, "GraphicsManager::startUp(): Unable to load font from file 'no-such-font.ttf'."),
      2);
  EXPECT_FALSE(twtest::contains(lines, "Already started"));
  EXPECT_TRUE(twtest::contains(
      lines, "GraphicsManager::startUp(): Unable to load font from file 'broken.ttf'."));
}

TEST_F(FontFailure, ProgramWithoutItsFontStopsInOrder) {
  writeFile("tw-config.txt", "font_file:missing.ttf,\nframe_time:33\n");
  const std::string command = std::string("timeout 60 ") + TW_BINARY_DIR + "/tarnwick 2>/dev/null";
  const int status = std::system(command.c_str());
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
  const std::vector<std::string> lines = logLines();
  std::size_t at = 0;
  for (const char* text :
       {"GraphicsManager::startUp(): Unable to load font from file 'missing.ttf'.",
        "Error starting graphics manager!", "Error starting game manager", "** Game stopped **",
        "****************************************************"}) {
    while (at < lines.size() && lines[at].find(text) == std::string::npos) {
      at++;
    }
    ASSERT_LT(at, lines.size()) << "missing, or out of order: " << text;
    at++;
  }
}

} // namespace
