#include "CellBatch.h"
#include "Config.h"
#include "Recording.h"
#include "Renderer.h"
#include "Shape.h"
#include "TestWindow.h"

#include <climits>
#include <cmath>
#include <sstream>

using namespace tw;
using twtest::inkBounds;
using twtest::sfColor;

namespace {

const sf::IntRect SCREEN(0, 0, 1024, 768);

/// Draws ch at pos the plain way: its cell's background rectangle, then a one-character text.
void drawPlain(sf::RenderTarget& target, const sf::Font& font, char ch, Color color, Vector pos) {
  const GraphicsManager& g = GraphicsManager::getInstance();
  const Vector p = spacesToPixels(worldToView(pos));
  sf::RectangleShape rect(sf::Vector2f(charWidth(), charHeight()));
  rect.setFillColor(sfColor(colorToRgba(g.getBackground())));
  rect.setPosition(p.getX() - charWidth() / 10, p.getY() + charHeight() / 5);
  target.draw(rect);
  sf::Text text(sf::String(static_cast<sf::Uint32>(static_cast<unsigned char>(ch))), font,
                g.getCharacterSize());
  text.setStyle(sf::Text::Bold);
  std::uint8_t r = 255, gr = 255, b = 255;
  colorToRGB(color, r, gr, b);
  text.setFillColor(sf::Color(r, gr, b));
  text.setPosition(p.getX(), p.getY());
  target.draw(text);
}

class Graphics : public twtest::WindowTest {
protected:
  GraphicsManager& g = GraphicsManager::getInstance();
};

TEST_F(Graphics, BatchedCellsMatchPlainPerCharacterDrawing) {
  WorldManager::getInstance().setView(Box(Vector(1.5f, 0.5f), 80, 24));
  // Every printable Latin-1 character in every colour; then characters between cells, blanks,
  // odd colours, and blocks of 9 x 5 laid over one another as explosions over bricks.
  const char* block = "  .\\|/.   .#@#@#. -=@###@=- '#@#@#'   '/|\\'  ";
  auto scene = [&](const std::function<void(char, Color, Vector)>& draw) {
    for (int n = 0; n < 80 * 24; n++) {
      const int c = n % 189;
      draw(static_cast<char>(c < 94 ? 0x21 + c : 0xA1 + c - 94), Color(1 + n % 7),
           Vector(n % 80, n / 80));
    }
    for (int i = 0; i < 40; i++) {
      draw(static_cast<char>('A' + i % 26), YELLOW, Vector(i * 1.5f + 0.25f, 3.5f));
      draw(' ', WHITE, Vector(i * 2.0f, 7));
      draw('#', CUSTOM, Vector(i * 2.0f + 0.5f, 9.25f));
      draw('@', Color(42), Vector(i * 2.0f, 11));
    }
    for (int n = 0; n < 24 * 45; n++) {
      const int b = n / 45, x = n % 9, y = n / 9 % 5;
      draw(block[y * 9 + x], Color(1 + b % 7), Vector(4 + b % 8 * 6 + x, 14 + b / 8 * 2 + y));
    }
  };
  Renderer& renderer = *g.drawDirectly();
  const int texels = renderer.textureSize().width * renderer.textureSize().height;
  const long calls = g.getCellDrawCalls();
  scene([&](char ch, Color color, Vector pos) { g.drawCharacter(ch, color, pos); });
  // This frame's glyphs made the font's texture grow before the one batch went out.
  EXPECT_GT(renderer.textureSize().width * renderer.textureSize().height, texels);
  const sf::Image batched = grab();
  EXPECT_LT(g.getCellDrawCalls() - calls, 30); // one a piece of 170 quads
  sf::RenderWindow* p_window = sfml::getWindow();
  p_window->clear(sfColor(colorToRgba(g.getBackground())));
  sf::Font font;
  ASSERT_TRUE(font.loadFromFile(twtest::sourceDir() + "/tw-font.ttf"));
  scene([&](char ch, Color color, Vector pos) { drawPlain(*p_window, font, ch, color, pos); });
  const sf::Image plain = grab();
  EXPECT_EQ(twtest::countDifferentPixels(batched, plain, 2), 0);
  EXPECT_LT(twtest::countDifferentPixels(batched, plain, 0), 50);
  EXPECT_GT(inkBounds(batched, sf::Color::Black, SCREEN).width, 1000); // not blank
}

TEST_F(Graphics, CellsStringsAndFramesLandInPlaceAndCoverWhatWasThere) {
  WorldManager::getInstance().setView(Box(Vector(5, 0), 80, 24));
  sf::RectangleShape shape(sf::Vector2f(200, 100)); // over cells 8 to 23 of rows 3 to 6
  shape.setPosition(100, 100), shape.setFillColor(sf::Color::Green), sfml::getWindow()->draw(shape);
  const Frame frame(3, 3, "abcd#fghi");
  g.drawCharacter('X', RED, Vector(15, 15));
  g.drawString(Vector(45, 1), "HELLO", JUSTIFY_RIGHT, CYAN);
  g.drawString(Vector(45, 2), "HELLO", JUSTIFY_CENTER, CYAN);
  g.drawString(Vector(45, 3), "HELLO", JUSTIFY_LEFT, CYAN);
  g.drawString(Vector(45, 4), "EVEN", JUSTIFY_CENTER, MAGENTA);
  g.drawCharacter('Z', RED, Vector(15, 10));
  EXPECT_EQ(g.drawString(Vector(45, 5), "", JUSTIFY_CENTER, CYAN) +
                g.drawFrame(true, GREEN, '#', Vector(15, 10), frame),
            0);
  g.drawFrame(false, BLUE, 0, Vector(35, 10), frame), g.drawCharacter('Q', RED, Vector(55, 5));
  g.drawFrame(false, YELLOW, 0, Vector(55, 5), Frame(1, 1, " "));
  g.drawFrame(false, WHITE, 0, Vector(5, 20), Frame(4, 2, "abcde")); // draws what it has
  EXPECT_EQ(g.drawFrame(false, WHITE, 0, Vector(1, 1), Frame()), -1);
  g.drawCharacter('W', GREEN, Vector(25, 10)), g.drawCharacter('O', BLUE, Vector(25, 10));
  g.drawCharacter(' ', WHITE, Vector(15, 4)); // inside the shape
  // The cells' characters, then their colours as digits, row by row.
  const std::string golden = twtest::readText(twtest::sourceDir() + "/tests/data/cells.txt");
  auto cells = [&](bool shown) {
    std::string all;
    for (int y = 0; y < 48; y++, all += "|\n") {
      for (int x = 0; x < 80; x++) {
        const Cell c = shown ? g.shownCellAt(x, y % 24) : g.cellAt(x, y % 24);
        all += y < 24 ? c.ch : static_cast<char>('0' + c.color);
      }
    }
    return all;
  };
  EXPECT_EQ(cells(false), golden);
  const sf::Image image = grab();
  // The X is drawn in its cell at pixel (128, 480), and pure red.
  const sf::IntRect ink = inkBounds(image, sf::Color::Black, sf::IntRect(128, 480, 13, 32));
  auto count = [&](sf::IntRect area, bool (*test)(sf::Color)) {
    return twtest::countPixels(image, area, [&](sf::Color p, int, int) { return test(p); });
  };
  EXPECT_EQ(count(ink, [](sf::Color p) { return p.g || p.b; }), 0);
  EXPECT_GT(count(ink, [](sf::Color p) { return p == sf::Color::Red; }), 0);
  // Later cells cover earlier ones and the window's own drawing; the Z kept its pixels.
  const sf::IntRect o_cell(255, 327, 11, 30);
  EXPECT_EQ(count(o_cell, [](sf::Color p) { return p.g > 0; }), 0);
  EXPECT_EQ(inkBounds(image, sf::Color::Black, sf::IntRect(129, 136, 10, 28)).width, 0);
  EXPECT_EQ(image.getPixel(109, 136), sf::Color::Green);
  const sf::IntRect z = inkBounds(image, sf::Color::Black, sf::IntRect(128, 327, 10, 30));
  EXPECT_TRUE(z.width > 0 && image.getPixel(z.left + z.width / 2, z.top) == sf::Color::Red);
  const sf::IntRect hello = inkBounds(image, sf::Color::Black, sf::IntRect(0, 38, 1024, 28));
  EXPECT_TRUE(hello.left >= 446 && hello.left + hello.width <= 516); // columns 35 to 39
  g.drawCharacter(' ', WHITE, Vector(25, 10));
  EXPECT_EQ(inkBounds(grab(), sf::Color::Black, o_cell).width, 0);
  // Shown, the frame is kept apart; the next starts cleared and bare: a blank changes nothing.
  g.drawCharacter('O', BLUE, Vector(25, 10)), g.displayFrame();
  EXPECT_EQ(cells(true), golden);
  EXPECT_EQ(g.rowText(1) + g.cellAt(-1, 0).ch + g.cellAt(80, 0).ch + g.cellAt(0, 24).ch,
            std::string(83, ' '));
  g.drawCharacter('x', RED, Vector(-3, 2)); // off the screen: in no cell
  g.drawCharacter(' ', WHITE, Vector(15, 4));
  EXPECT_EQ(inkBounds(grab(), sf::Color::Black, SCREEN).width, 0);
}

TEST(GraphicsStartUp, WithoutAWindowNothingIsDrawnAndFailuresSayWhy) {
  twtest::startLog();
  tw::LogManager::getInstance().setLogLevel(5);
  Config& c = Config::getInstance();
  c.reset();
  std::ostringstream out;
  const Vector p = spacesToPixels(Vector(10, 5)), s = pixelsToSpaces(Vector(512, 384));
  out << p.getX() << "," << p.getY() << " " << s.getX() << "," << s.getY() << "\n";
  // CUSTOM and unknown values: white, channels left alone; then 24-bit ones, and values just
  // outside them.
  for (int c : {-1, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, +rgb(1, 2, 3), +rgb(255, 255, 255), RGB_COLOR - 1,
                RGB_COLOR * 2, INT_MIN}) {
    std::uint8_t r = 7, gr = 8, b = 9;
    colorToRGB(Color(c), r, gr, b);
    const Rgba rgba = colorToRgba(Color(c));
    out << c << ": " << +r << "," << +gr << "," << +b << " " << +rgba.r << "," << +rgba.g << ","
        << +rgba.b << "," << +rgba.a << "\n";
  }
  GraphicsManager& g = GraphicsManager::getInstance();
  out << g.drawCharacter('a', RED, Vector(1, 1))
      << g.drawString(Vector(1, 1), "ab", JUSTIFY_LEFT, RED)
      << g.drawFrame(false, RED, 0, Vector(1, 1), Frame(1, 1, "a")) << "\n";
  g.displayFrame();
  const float radius = Shape::figure().radius;
  Shape shape; // a shape draws nothing, sets nothing, and says why
  shape.setKind(CIRCLE), shape.setSize(5), shape.setColor(RED), shape.draw(Vector(1, 1));
  out << +shape.getGreen() << " " << (Shape::figure().radius == radius) << "\n";
#ifndef _WIN32 // X's own: without a display to open a window on, start-up fails
  const std::string display = std::getenv("DISPLAY");
  unsetenv("DISPLAY");
  EXPECT_EQ(g.startUp(), -1);
  setenv("DISPLAY", display.c_str(), 1);
  EXPECT_TRUE(twtest::contains(twtest::linesOf("tarnwick.log"),
                               "No display to open a window on (DISPLAY unset)."));
#endif
  c.window_horizontal_chars = 0, out << g.startUp() << "\n";
  c.reset();
  for (const char* font : {"no-such-font.ttf", "no-such-font.ttf", "/dev/null"}) {
    c.setFontFile(font); // the window stays open, and the next try is a real start-up
    out << g.startUp() << g.drawCharacter('a', RED, Vector(1, 1)) << "\n";
  }
  c.setFontFile(twtest::sourceDir() + "/tw-font.ttf");
  out << g.startUp() << g.drawCharacter('a', RED, Vector(1, 1)) << "\n";
  g.shutDown(), out << (g.getInput() == nullptr) << "\n";
  std::vector<std::string> lines;
  // Without the desktop's size, and whether the driver can show part of a window.
  for (const std::string& line : twtest::stopLog())
    if (line.find("Window resolution") == line.npos && line.find("DISPLAY unset") == line.npos &&
        line.find("Damage tracking") == line.npos && line.find("in part") == line.npos)
      lines.push_back(line);
  EXPECT_TRUE(twtest::matchesFile("golden/GraphicsStartUp.WithoutAWindow.txt",
                                  out.str() + twtest::withoutTimes(lines)));
}

/// A batch over 10 x 5 cells of 10 x 20 pixels; glyph quads span (x, y) to (x + 10, y + 16).
class Batch : public ::testing::Test {
protected:
  void SetUp() override {
    batch.setCells(Point{10, 20}, 10, 5), glyph.left = 1, glyph.top = -15, glyph.width = 8;
    glyph.height = 14;
  }
  void glyphAt(float x, float y) { batch.addGlyph(Point{x, y}, glyph, 16, RED_RGBA); }
  /// The number of quads a cell background added.
  std::size_t backgroundAt(float x, float y, Rgba color = Rgba{0, 0, 0, 255}) {
    const std::size_t before = batch.getVertexCount();
    batch.addBackground(Point{x, y}, Point{10, 20}, color);
    return (batch.getVertexCount() - before) / 6;
  }
  static constexpr Rgba RED_RGBA{255, 0, 0, 255};
  static constexpr Rgba BLUE_RGBA{0, 0, 255, 255};
  CellBatch batch;
  Glyph glyph;
};

TEST_F(Batch, BackgroundsAreLeftOutOnlyWhereNothingWasDrawn) {
  const float nan = NAN, huge = 3e38f;
  EXPECT_EQ(backgroundAt(20, 40), 0u);
  glyphAt(20, 40);
  EXPECT_EQ(backgroundAt(20, 40) + backgroundAt(15, 45), 2u); // on it, and where it reaches
  EXPECT_EQ(backgroundAt(60, 80) * 10 + backgroundAt(60, 80, Rgba{0, 0, 0, 128}), 1u);
  batch.clear(); // drawn, and on the window until the next frame
  EXPECT_EQ(backgroundAt(20, 40), 1u);
  batch.newFrame();
  EXPECT_EQ(backgroundAt(20, 40), 0u);
  batch.markAllDrawn();
  EXPECT_EQ(backgroundAt(20, 40), 1u);
  batch.newFrame(), glyphAt(-1000, -1000), glyphAt(huge, huge), glyphAt(nan, nan);
  // Off the grid, in the nearest corner cell; not numbers in the first.
  EXPECT_EQ(backgroundAt(-5000, -5000) + backgroundAt(nan, nan) + backgroundAt(huge, huge), 3u);
  EXPECT_EQ(backgroundAt(-huge, huge) + backgroundAt(40, 40), 0u);
  batch.setCells(Point{0, 0}, 10, 5), batch.newFrame(); // no cells: all backgrounds kept
  EXPECT_EQ(backgroundAt(40, 40), 1u);
}

TEST_F(Batch, OnlyQuadsThatLaterOpaqueRectanglesHideWhollyAreCulled) {
  // Hidden by the background at (20, 20); one pixel column left uncovered by the one at
  // (40.6, 20); under one not quite opaque; hidden by two side by side; off the target; partly
  // on it; not a number; and two alike (glyphs hide nothing).
  const float glyphs[][2] = {{20, 20}, {40, 20},  {60, 20}, {0, 40}, {200, 20},
                             {-5, 90}, {NAN, 20}, {70, 60}, {70, 60}};
  for (const auto& xy : glyphs)
    glyphAt(xy[0], xy[1]);
  backgroundAt(20, 20), backgroundAt(40.6f, 20), backgroundAt(60, 20, Rgba{0, 0, 0, 254});
  backgroundAt(-5, 40), backgroundAt(5, 40), backgroundAt(20, 20, BLUE_RGBA);
  EXPECT_EQ(batch.cullHidden(100, 100), 4u);
  // The rest keep their order; each quad's first vertex is its top-left corner.
  std::string lefts;
  for (std::size_t v = 0; v < batch.getVertexCount(); v += 6)
    lefts += std::to_string(batch.getVertices()[v].position.x).substr(0, 4) + " ";
  EXPECT_EQ(lefts, "40.0 60.0 -5.0 nan 70.0 70.0 40.5 60.0 -5.0 5.00 20.0 ");
  EXPECT_EQ(batch.getVertices().back().color, BLUE_RGBA);
}

} // namespace

namespace {

// Culling takes quad positions for the window's pixels, which holds only for its default view.
TEST_F(Graphics, BatchLeavesOutHiddenQuadsOnlyWhereItsPixelsAreTheWindows) {
  Renderer& renderer = *g.drawDirectly();
  sf::RenderWindow& window = *sfml::getWindow();
  CellBatch batch;
  Glyph glyph;
  glyph.left = 1, glyph.top = -15, glyph.width = 8, glyph.height = 14;
  for (const int scale : {1, 2}) {
    window.setView(sf::View(sf::FloatRect(0, 0, 1024.0f / scale, 768.0f / scale)));
    batch.addGlyph(Point{20, 20}, glyph, 16, Rgba{255, 0, 0, 255});
    batch.addRectangle(Point{20, 20}, Point{10, 20}, Rgba{0, 0, 255, 255});
    window.clear(sf::Color::Black);
    EXPECT_EQ(batch.draw(renderer), 1);
    EXPECT_EQ(batch.getLastCulled(), 2u - scale);
    const sf::Image image = grab();
    EXPECT_EQ(image.getPixel(25 * scale, 30 * scale), sf::Color::Blue);
    EXPECT_EQ(image.getPixel(35 * scale, 30 * scale), sf::Color::Black);
  }
  window.setView(window.getDefaultView());
}

// Colours of the cells' backgrounds and characters, drawn in part and whole alike.
TEST_F(Graphics, BackgroundsStayUnderLaterCharactersAndRedrawWhenTheyChange) {
  const Color navy = rgb(0, 0, 128), orange = rgb(255, 128, 0);
  const std::uint32_t blank_hash = Recording::screenHash();
  auto scene = [&](Color fill) {
    g.drawCharacter('X', WHITE, Vector(20, 5));
    g.fillRectangle(Box(Vector(9.6f, 4.8f), 4, 2), fill); // columns 10 to 13, rows 5 and 6
    g.fillRectangle(Box(Vector(20, 5), 1, 1), fill);      // keeps the X
    g.fillRectangle(Box(Vector(-5, 23), 1000, 1000), fill);
    g.drawCharacter('@', orange, Vector(11, 5)); // keeps the fill
    g.drawString(Vector(30, 8), "ab", JUSTIFY_LEFT, RED, GREEN);
    g.drawCharacter('c', RED, BLACK, Vector(31, 8)); // the window's own colour again
  };
  scene(navy);
  std::string cells;
  const std::pair<int, int> places[] = {{9, 5},  {10, 5}, {11, 5},  {13, 6}, {14, 6}, {10, 7},
                                        {20, 5}, {0, 23}, {79, 23}, {30, 8}, {31, 8}};
  for (const auto& [x, y] : places) {
    const Cell c = g.cellAt(x, y);
    cells += std::string(1, c.ch) + ":" + std::to_string(c.color) + "/" +
             std::to_string(c.background) + " ";
  }
  EXPECT_EQ(cells, " :0/0  :0/16777344 @:33521664/16777344  :0/16777344  :0/0  :0/0 "
                   "X:7/16777344  :0/16777344  :0/16777344 a:1/2 c:1/0 ");
  // In pixels: the fill behind the cells, the orange glyph on it.
  sf::Image image = grab();
  EXPECT_EQ(image.getPixel(130, 190), sf::Color(0, 0, 128));
  EXPECT_EQ(image.getPixel(130, 220), sf::Color(0, 0, 128));
  EXPECT_EQ(image.getPixel(190, 190), sf::Color::Black);
  for (const sf::Color colour : {sf::Color(255, 128, 0), sf::Color(0, 0, 128)}) // the @ on navy
    EXPECT_GT(twtest::countPixels(image, sf::IntRect(141, 166, 12, 32),
                                  [&](sf::Color p, int, int) { return p == colour; }),
              10);
  // Shown in part, each frame holds what a whole redraw shows: a changed fill is redrawn.
  // (Where frames are always drawn whole, as on Windows, the window is cleared once shown.)
  for (const Color fill : {navy, rgb(0, 128, 0), navy, BLACK}) {
    scene(fill), g.displayFrame();
    if (g.isShowingInPart()) {
      const sf::Image part = grab();
      g.refresh();
      EXPECT_EQ(twtest::countDifferentPixels(part, grab(), 0), 0);
      EXPECT_EQ(part.getPixel(130, 190), sfColor(colorToRgba(fill)));
    }
    // Only a background of its own counts in the screen's hash.
    g.fillRectangle(Box(Vector(0, 0), 80, 24), fill), g.displayFrame();
    EXPECT_EQ(Recording::screenHash() == blank_hash, fill == BLACK);
  }
}

} // namespace
