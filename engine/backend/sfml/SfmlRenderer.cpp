#include "SfmlRenderer.h"

#include "LogManager.h"

#include <algorithm>

namespace tw {

namespace {

sf::Color toSfml(Rgba c) {
  return sf::Color(c.r, c.g, c.b, c.a);
}

} // namespace

std::unique_ptr<Renderer> makeRenderer() {
  return std::make_unique<SfmlRenderer>();
}

bool canOpenWindow(std::string& why) {
  return WindowSurface::canOpenWindow(why);
}

SfmlRenderer::SfmlRenderer() = default;

SfmlRenderer::~SfmlRenderer() {
  close();
}

bool SfmlRenderer::open(const WindowSettings& settings) {
  close();
  const sf::VideoMode desktop = sf::VideoMode::getDesktopMode();
  LogManager::getInstance().writeLog(
      5, "GraphicsManager::startUp(): Window resolution (%d, %d) pixels",
      static_cast<int>(desktop.width), static_cast<int>(desktop.height));
  p_window = std::make_unique<sf::RenderWindow>(
      sf::VideoMode(static_cast<unsigned>(settings.width), static_cast<unsigned>(settings.height),
                    32),
      sf::String(settings.title), static_cast<sf::Uint32>(settings.style), sf::ContextSettings());
  if (!p_window->isOpen()) {
    p_window.reset();
    return false;
  }
  p_window->setMouseCursorVisible(settings.show_mouse);
  p_window->setVerticalSyncEnabled(true);
  p_input = std::make_unique<SfmlInput>(*p_window);
  surface.open(*p_window);
  return true;
}

void SfmlRenderer::close() {
  surface.close();
  p_input.reset();
  if (p_window) {
    p_window->close();
    p_window.reset();
  }
}

int SfmlRenderer::width() const {
  return p_window ? static_cast<int>(p_window->getSize().x) : 0;
}

int SfmlRenderer::height() const {
  return p_window ? static_cast<int>(p_window->getSize().y) : 0;
}

bool SfmlRenderer::loadFont(const std::string& file, unsigned character_size) {
  if (!font.loadFromFile(file)) {
    return false;
  }
  size = character_size;
  // The font keeps a corner of its texture opaque white for underlines; check that it is there.
  const sf::Image page = font.getTexture(size).copyToImage();
  has_white = page.getSize().x >= 2 && page.getSize().y >= 2;
  for (unsigned x = 0; has_white && x < 2; x++) {
    for (unsigned y = 0; has_white && y < 2; y++) {
      has_white = page.getPixel(x, y) == sf::Color::White;
    }
  }
  return true;
}

Glyph SfmlRenderer::glyph(std::uint32_t code_point) {
  const sf::Glyph& g = font.getGlyph(code_point, size, true);
  Glyph out;
  out.advance = g.advance;
  out.left = g.bounds.left;
  out.top = g.bounds.top;
  out.width = g.bounds.width;
  out.height = g.bounds.height;
  out.texture =
      PixelRect{g.textureRect.left, g.textureRect.top, g.textureRect.width, g.textureRect.height};
  return out;
}

PixelRect SfmlRenderer::textureSize() const {
  const sf::Vector2u s = font.getTexture(size).getSize();
  return PixelRect{0, 0, static_cast<int>(s.x), static_cast<int>(s.y)};
}

bool SfmlRenderer::whiteTexel(Point& texel) const {
  texel = Point{1.0f, 1.0f};
  return has_white;
}

void SfmlRenderer::clear(Rgba color) {
  p_window->clear(toSfml(color));
}

int SfmlRenderer::drawTriangles(const Vertex* p_vertices, std::size_t count) {
  converted.resize(count);
  for (std::size_t i = 0; i < count; i++) {
    const Vertex& v = p_vertices[i];
    converted[i] = sf::Vertex(sf::Vector2f(v.position.x, v.position.y), toSfml(v.color),
                              sf::Vector2f(v.tex.x, v.tex.y));
  }
  sf::RenderStates states;
  states.texture = &font.getTexture(size);
  // Mesa's software renderer takes two triangles that form a rectangle as one, in pieces of
  // 341 triangles of a draw; a rectangle cut in two by a piece's end comes out a little
  // different at its edges. Draws of whole pieces' worth of quads keep every quad whole, so
  // that a quad comes out the same whatever else is drawn with it.
  constexpr std::size_t MAX_VERTICES = 170 * 6;
  int calls = 0;
  for (std::size_t first = 0; first < count; first += MAX_VERTICES) {
    p_window->draw(&converted[first], std::min(MAX_VERTICES, count - first), sf::Triangles, states);
    calls++;
  }
  return calls;
}

bool SfmlRenderer::drawsOneToOne() const {
  const sf::View& view = p_window->getView();
  const sf::Vector2f window_size(p_window->getSize());
  return view.getSize() == window_size && view.getCenter() == window_size / 2.0f &&
         view.getRotation() == 0.0f && view.getViewport() == sf::FloatRect(0.0f, 0.0f, 1.0f, 1.0f);
}

void SfmlRenderer::display() {
  p_window->display();
}

bool SfmlRenderer::readBack(Image& image) const {
  return p_window && surface.readBack(*p_window, image);
}

bool SfmlRenderer::savePng(const Image& image, const std::string& file) const {
  if (image.empty()) {
    return false;
  }
  sf::Image picture;
  picture.create(image.width, image.height, image.pixels.data());
  return picture.saveToFile(file);
}

} // namespace tw
