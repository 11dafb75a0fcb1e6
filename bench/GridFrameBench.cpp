// One full frame of 80 x 40 character cells, drawn the engine's batched way and the plain
// way (one text draw and one rectangle draw per cell), each shown in a real window; an
// empty frame, the cost of showing any frame at all; and a frame the same as the last, shown
// with and without damage tracking.
#include "Config.h"
#include "GraphicsManager.h"
#include "LogManager.h"
#include "WorldManager.h"
#include "backend/sfml/SfmlWindow.h"

#include <SFML/Graphics.hpp>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

struct Cell {
  char ch;
  tw::Color color;
  tw::Vector pos;
};

/// A full screen of mixed characters and colours, like a busy game screen.
std::vector<Cell> fullGrid() {
  const std::string text = "The quick brown fox jumps over the lazy dog. 0123456789 #*@=+-|/\\";
  std::vector<Cell> cells;
  const tw::GraphicsManager& g = tw::GraphicsManager::getInstance();
  for (int y = 0; y < g.getVerticalChars(); y++) {
    for (int x = 0; x < g.getHorizontalChars(); x++) {
      const std::size_t n = static_cast<std::size_t>(y * g.getHorizontalChars() + x);
      cells.push_back({text[n % text.size()], static_cast<tw::Color>(1 + n % 7),
                       tw::Vector(static_cast<float>(x), static_cast<float>(y))});
    }
  }
  return cells;
}

void BM_GridFrameBatched(benchmark::State& state) {
  tw::GraphicsManager& g = tw::GraphicsManager::getInstance();
  g.setDamageTracking(false); // every frame drawn whole
  const std::vector<Cell> cells = fullGrid();
  for (auto _ : state) {
    for (const Cell& c : cells) {
      g.drawCharacter(c.ch, c.color, c.pos);
    }
    g.displayFrame();
  }
  state.counters["cells"] = static_cast<double>(cells.size());
}

void BM_GridFramePerCharacter(benchmark::State& state) {
  tw::GraphicsManager& g = tw::GraphicsManager::getInstance();
  g.setDamageTracking(false);
  sf::RenderWindow& window = *tw::sfml::getWindow();
  const std::vector<Cell> cells = fullGrid();
  const tw::Rgba back = tw::colorToRgba(g.getBackground());
  const sf::Color background(back.r, back.g, back.b);
  sf::RectangleShape rect(sf::Vector2f(tw::charWidth(), tw::charHeight()));
  rect.setFillColor(background);
  sf::Font font;
  font.loadFromFile(tw::Config::getInstance().getFontFile());
  sf::Text text;
  text.setFont(font);
  text.setStyle(sf::Text::Bold);
  text.setCharacterSize(g.getCharacterSize());
  for (auto _ : state) {
    for (const Cell& c : cells) {
      const tw::Vector p = tw::spacesToPixels(tw::worldToView(c.pos));
      rect.setPosition(p.getX() - tw::charWidth() / 10, p.getY() + tw::charHeight() / 5);
      window.draw(rect);
      text.setString(sf::String(static_cast<sf::Uint32>(static_cast<unsigned char>(c.ch))));
      const tw::Rgba color = tw::colorToRgba(c.color);
      text.setFillColor(sf::Color(color.r, color.g, color.b));
      text.setPosition(p.getX(), p.getY());
      window.draw(text);
    }
    window.display();
    window.clear(background);
  }
  state.counters["cells"] = static_cast<double>(cells.size());
}

/// Showing a frame with nothing drawn in it: what every frame costs on this display.
void BM_EmptyFrame(benchmark::State& state) {
  tw::GraphicsManager& g = tw::GraphicsManager::getInstance();
  g.setDamageTracking(false);
  for (auto _ : state) {
    g.displayFrame();
  }
}

/// The full grid drawn again, the same in every frame, without (0) and with (1) damage
/// tracking, or with one cell changed in every frame (2, with tracking); the time of
/// displayFrame alone is counted.
void BM_UnchangedFrame(benchmark::State& state) {
  tw::GraphicsManager& g = tw::GraphicsManager::getInstance();
  g.setDamageTracking(state.range(0) != 0);
  std::vector<Cell> cells = fullGrid();
  for (int i = 0; i < 2; i++) { // the first frame after a switch is drawn whole
    for (const Cell& c : cells) {
      g.drawCharacter(c.ch, c.color, c.pos);
    }
    g.displayFrame();
  }
  const long calls = g.getCellDrawCalls();
  for (auto _ : state) {
    state.PauseTiming();
    if (state.range(0) == 2) {
      cells[1000].ch = cells[1000].ch == '#' ? '@' : '#';
    }
    for (const Cell& c : cells) {
      g.drawCharacter(c.ch, c.color, c.pos);
    }
    state.ResumeTiming();
    g.displayFrame();
  }
  state.counters["draw_calls"] =
      static_cast<double>(g.getCellDrawCalls() - calls) / static_cast<double>(state.iterations());
}

BENCHMARK(BM_GridFrameBatched)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_EmptyFrame)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_GridFramePerCharacter)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_UnchangedFrame)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv) {
  tw::Config& config = tw::Config::getInstance();
  // The game's window: 1024 x 960 pixels, 80 x 40 cells.
  config.window_vertical_pixels = 960;
  config.window_vertical_chars = 40;
  config.setFontFile(std::string(TW_SOURCE_DIR) + "/tw-font.ttf");
  config.setLogFile("/dev/null");
  tw::LogManager::getInstance().startUp();
  tw::WorldManager::getInstance().startUp();
  tw::GraphicsManager& g = tw::GraphicsManager::getInstance();
  if (g.startUp() != 0) {
    std::fprintf(stderr, "GridFrameBench: cannot open a window (is there a display?)\n");
    return 1;
  }
  tw::WorldManager::getInstance().setView(tw::Box(tw::Vector(0, 0),
                                                  static_cast<float>(g.getHorizontalChars()),
                                                  static_cast<float>(g.getVerticalChars())));
  // Measure the drawing, not the screen's refresh rate.
  tw::sfml::getWindow()->setVerticalSyncEnabled(false);

  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();

  g.shutDown();
  tw::WorldManager::getInstance().shutDown();
  tw::LogManager::getInstance().shutDown();
  return 0;
}
