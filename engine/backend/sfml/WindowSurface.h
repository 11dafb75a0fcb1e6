#pragma once

#include "RenderTypes.h"

#include <SFML/Graphics/RenderWindow.hpp>

#include <memory>
#include <string>
#include <vector>

namespace tw {

/// What the renderer needs of the platform's OpenGL window beyond SFML: showing a
/// rectangle of the back buffer without swapping, drawing under a scissor, and reading the
/// back buffer. On X11 with Mesa's GLX_MESA_copy_sub_buffer the window can be shown in part;
/// elsewhere every frame is drawn and shown whole.
class WindowSurface {
public:
  WindowSurface();
  ~WindowSurface();
  WindowSurface(const WindowSurface&) = delete;
  WindowSurface& operator=(const WindowSurface&) = delete;

  /// Whether a window can be opened at all; when not, why ("DISPLAY unset").
  static bool canOpenWindow(std::string& why);
  /// Binds to window (its context made current); true when it can be shown in part.
  bool open(sf::RenderWindow& window);
  /// Forgets the window.
  void close();
  /// True between an open that found partial showing and close.
  bool showsInPart() const { return p_gl != nullptr; }
  /// Limits drawing to rect (window pixels, top row 0), or lifts the limit when null.
  void scissor(const PixelRect* p_rect);
  /// Copies rect of the back buffer to the window (window pixels, top row 0).
  void show(const PixelRect& rect);
  /// The back buffer as RGBA rows, top row first; false when it cannot be read.
  bool readBack(sf::RenderWindow& window, Image& image) const;

private:
  struct GlFunctions;
  std::unique_ptr<GlFunctions> p_gl; ///< null where the window cannot be shown in part
  sf::RenderWindow* p_window = nullptr;
};

} // namespace tw
