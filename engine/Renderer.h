#pragma once

#include "RenderTypes.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace tw {

class InputSource;

/// What a window opens with.
struct WindowSettings {
  int width = 0;  ///< pixels
  int height = 0; ///< pixels
  std::string title;
  unsigned style = 0; ///< the configured window style's bits
  bool show_mouse = true;
};

/// The platform's window as the graphics manager draws into it: one font texture, textured
/// triangles, and showing what was drawn, whole or in part. A backend (SFML natively, WebGL in
/// a browser) implements it; the graphics manager holds one.
class Renderer {
public:
  virtual ~Renderer() = default;

  /// Opens the window; false when it cannot be opened.
  virtual bool open(const WindowSettings& settings) = 0;
  /// Closes the window.
  virtual void close() = 0;
  /// Whether a window is open.
  virtual bool isOpen() const = 0;
  /// The window's size in pixels.
  virtual int width() const = 0;
  virtual int height() const = 0;
  /// The window's events and held input; null while no window is open.
  virtual InputSource* input() = 0;

  /// Loads the font the cells are drawn with at character_size pixels; false when it cannot.
  virtual bool loadFont(const std::string& file, unsigned character_size) = 0;
  /// The glyph of a Latin-1 code point, rasterised into the font texture on first use.
  virtual Glyph glyph(std::uint32_t code_point) = 0;
  /// The font texture's size in pixels; it may grow when glyphs are added.
  virtual PixelRect textureSize() const = 0;
  /// Where the font texture holds opaque white (texture pixels), for plain rectangles; false
  /// when it holds none.
  virtual bool whiteTexel(Point& texel) const = 0;

  /// Fills the back buffer (within the scissor) with colour.
  virtual void clear(Rgba color) = 0;
  /// Draws count vertices (whole triangles) textured with the font, blended by their opacity;
  /// returns the draw calls made.
  virtual int drawTriangles(const Vertex* p_vertices, std::size_t count) = 0;
  /// Whether positions are window pixels one to one (a user who draws on the window may have
  /// changed its view).
  virtual bool drawsOneToOne() const = 0;
  /// Whether show() can show part of the window; when not, only display() shows.
  virtual bool showsInPart() const = 0;
  /// Limits drawing to rect, or lifts the limit when null.
  virtual void scissor(const PixelRect* p_rect) = 0;
  /// Copies rect of the back buffer to the window without swapping.
  virtual void show(const PixelRect& rect) = 0;
  /// Shows the back buffer whole (a swap: its contents are then undefined).
  virtual void display() = 0;
  /// The back buffer; false when it cannot be read.
  virtual bool readBack(Image& image) const = 0;
  /// Writes image as a PNG file; false when it cannot.
  virtual bool savePng(const Image& image, const std::string& file) const = 0;
};

/// The platform's renderer, its window not yet open.
std::unique_ptr<Renderer> makeRenderer();
/// Whether a window can be opened at all; when not, why ("DISPLAY unset").
bool canOpenWindow(std::string& why);

} // namespace tw
