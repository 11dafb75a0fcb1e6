#pragma once

#include "GlyphAtlas.h"
#include "Renderer.h"
#include "WebInput.h"

#include <emscripten/html5_webgl.h>

#include <memory>

namespace tw {

/// The page's canvas through WebGL 2. The canvas keeps what was drawn until it is drawn over,
/// so a frame may redraw only what changed, and showing needs nothing beyond drawing.
class WebRenderer : public Renderer {
public:
  WebRenderer();
  ~WebRenderer() override;
  WebRenderer(const WebRenderer&) = delete;
  WebRenderer& operator=(const WebRenderer&) = delete;

  bool open(const WindowSettings& settings) override;
  void close() override;
  bool isOpen() const override { return context > 0; }
  int width() const override { return canvas_width; }
  int height() const override { return canvas_height; }
  InputSource* input() override { return isOpen() ? &web_input : nullptr; }

  bool loadFont(const std::string& file, unsigned character_size) override;
  Glyph glyph(std::uint32_t code_point) override { return atlas.glyph(code_point); }
  PixelRect textureSize() const override { return PixelRect{0, 0, atlas.width(), atlas.height()}; }
  bool whiteTexel(Point& texel) const override;

  void clear(Rgba color) override;
  int drawTriangles(const Vertex* p_vertices, std::size_t count) override;
  bool drawsOneToOne() const override { return true; }
  bool showsInPart() const override { return true; }
  void scissor(const PixelRect* p_rect) override;
  void show(const PixelRect& rect) override;
  void display() override;
  bool readBack(Image& image) const override;
  bool savePng(const Image& image, const std::string& file) const override;

private:
  bool makeProgram();
  /// Sends the atlas to its texture when glyphs were added since the last draw.
  void uploadAtlas();
  /// Tells the page, once, that a frame is on the canvas.
  void frameShown();

  EMSCRIPTEN_WEBGL_CONTEXT_HANDLE context = 0;
  int canvas_width = 0;
  int canvas_height = 0;
  unsigned program = 0;
  unsigned vertex_array = 0;
  unsigned vertex_buffer = 0;
  unsigned texture = 0;
  int view_location = -1;
  int texture_size_location = -1;
  int max_texture_size = 0;
  bool told_shown = false;
  GlyphAtlas atlas;
  WebInput web_input;
};

} // namespace tw
