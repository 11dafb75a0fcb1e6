#pragma once

#include "Renderer.h"
#include "SfmlInput.h"
#include "WindowSurface.h"

#include <SFML/Graphics.hpp>

#include <memory>
#include <vector>

namespace tw {

/// The renderer of the desktop: an SFML window, its font, and partial showing where OpenGL
/// allows it.
class SfmlRenderer : public Renderer {
public:
  SfmlRenderer();
  ~SfmlRenderer() override;

  bool open(const WindowSettings& settings) override;
  void close() override;
  bool isOpen() const override { return p_window != nullptr; }
  int width() const override;
  int height() const override;
  InputSource* input() override { return p_input.get(); }

  bool loadFont(const std::string& file, unsigned character_size) override;
  Glyph glyph(std::uint32_t code_point) override;
  PixelRect textureSize() const override;
  bool whiteTexel(Point& texel) const override;

  void clear(Rgba color) override;
  int drawTriangles(const Vertex* p_vertices, std::size_t count) override;
  bool drawsOneToOne() const override;
  bool showsInPart() const override { return surface.showsInPart(); }
  void scissor(const PixelRect* p_rect) override { surface.scissor(p_rect); }
  void show(const PixelRect& rect) override { surface.show(rect); }
  void display() override;
  bool readBack(Image& image) const override;
  bool savePng(const Image& image, const std::string& file) const override;

  /// The window; null while none is open.
  sf::RenderWindow* getWindow() const { return p_window.get(); }

private:
  std::unique_ptr<sf::RenderWindow> p_window;
  std::unique_ptr<SfmlInput> p_input;
  WindowSurface surface;
  sf::Font font;
  unsigned size = 0; ///< the font's character size
  bool has_white = false;
  /// The vertices of a draw in SFML's form, kept from draw to draw.
  std::vector<sf::Vertex> converted;
};

} // namespace tw
