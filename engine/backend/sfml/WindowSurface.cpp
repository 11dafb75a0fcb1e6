#include "WindowSurface.h"

#include <SFML/Window/Context.hpp>

#include <cstdlib>
#include <cstring>

// Opaque handles, as Xlib and GLX declare them.
struct _XDisplay;
struct __GLXcontextRec;

namespace tw {

namespace {
constexpr unsigned GL_SCISSOR_TEST = 0x0C11;
constexpr unsigned GL_RGBA = 0x1908;
constexpr unsigned GL_UNSIGNED_BYTE = 0x1401;
constexpr int GLX_SCREEN = 0x800C;

sf::GlFunctionPointer glFunction(const char* name) {
  return sf::Context::getFunction(name);
}
} // namespace

/// OpenGL and GLX entry points for drawing and showing part of the window.
struct WindowSurface::GlFunctions {
  void (*p_enable)(unsigned) = nullptr;
  void (*p_disable)(unsigned) = nullptr;
  void (*p_scissor)(int, int, int, int) = nullptr;
  void (*p_copy_sub_buffer)(_XDisplay*, unsigned long, int, int, int, int) = nullptr;
  _XDisplay* p_display = nullptr;
};

WindowSurface::WindowSurface() = default;
WindowSurface::~WindowSurface() = default;

#if defined(__unix__) && !defined(__APPLE__)

bool WindowSurface::canOpenWindow(std::string& why) {
  // Without an X display the window library cannot open a window and ends the program.
  const char* p_display = std::getenv("DISPLAY");
  if (!p_display || !*p_display) {
    why = "DISPLAY unset";
    return false;
  }
  return true;
}

bool WindowSurface::open(sf::RenderWindow& window) {
  close();
  p_window = &window;
  // Mesa's GLX can copy a rectangle of the back buffer to the window; without swapping, the
  // back buffer then keeps the whole picture for the next frame to draw on.
  const auto current_display =
      reinterpret_cast<_XDisplay* (*)()>(glFunction("glXGetCurrentDisplay"));
  const auto current_context =
      reinterpret_cast<__GLXcontextRec* (*)()>(glFunction("glXGetCurrentContext"));
  const auto query_context = reinterpret_cast<int (*)(_XDisplay*, __GLXcontextRec*, int, int*)>(
      glFunction("glXQueryContext"));
  const auto query_extensions =
      reinterpret_cast<const char* (*)(_XDisplay*, int)>(glFunction("glXQueryExtensionsString"));
  if (!window.setActive(true) || !current_display || !current_context || !query_context ||
      !query_extensions) {
    return false;
  }
  _XDisplay* p_display = current_display();
  __GLXcontextRec* p_context = current_context();
  int screen = 0;
  if (!p_display || !p_context || query_context(p_display, p_context, GLX_SCREEN, &screen) != 0) {
    return false;
  }
  const char* p_extensions = query_extensions(p_display, screen);
  if (!p_extensions || (std::string(" ") + p_extensions + " ").find(" GLX_MESA_copy_sub_buffer ") ==
                           std::string::npos) {
    return false;
  }
  auto p_functions = std::make_unique<GlFunctions>();
  p_functions->p_enable = reinterpret_cast<void (*)(unsigned)>(glFunction("glEnable"));
  p_functions->p_disable = reinterpret_cast<void (*)(unsigned)>(glFunction("glDisable"));
  p_functions->p_scissor = reinterpret_cast<void (*)(int, int, int, int)>(glFunction("glScissor"));
  p_functions->p_copy_sub_buffer =
      reinterpret_cast<void (*)(_XDisplay*, unsigned long, int, int, int, int)>(
          glFunction("glXCopySubBufferMESA"));
  p_functions->p_display = p_display;
  if (p_functions->p_enable && p_functions->p_disable && p_functions->p_scissor &&
      p_functions->p_copy_sub_buffer) {
    p_gl = std::move(p_functions);
  }
  return showsInPart();
}

void WindowSurface::show(const PixelRect& rect) {
  if (!p_gl) {
    return;
  }
  const int rows = static_cast<int>(p_window->getSize().y);
  p_window->setActive(true);
  p_gl->p_copy_sub_buffer(p_gl->p_display, p_window->getSystemHandle(), rect.left,
                          rows - rect.top - rect.height, rect.width, rect.height);
}

#else

// Elsewhere the back buffer is undefined after a swap, so every frame is drawn whole.
bool WindowSurface::canOpenWindow(std::string&) {
  return true;
}

bool WindowSurface::open(sf::RenderWindow& window) {
  close();
  p_window = &window;
  return false;
}

void WindowSurface::show(const PixelRect&) {}

#endif

void WindowSurface::close() {
  p_gl.reset();
  p_window = nullptr;
}

void WindowSurface::scissor(const PixelRect* p_rect) {
  if (!p_gl) {
    return;
  }
  if (!p_rect) {
    p_gl->p_disable(GL_SCISSOR_TEST);
    return;
  }
  // OpenGL counts rows from the bottom.
  const int rows = static_cast<int>(p_window->getSize().y);
  p_window->setActive(true);
  p_gl->p_enable(GL_SCISSOR_TEST);
  p_gl->p_scissor(p_rect->left, rows - p_rect->top - p_rect->height, p_rect->width, p_rect->height);
}

bool WindowSurface::readBack(sf::RenderWindow& window, Image& image) const {
  // Read straight from OpenGL: copying the window into a texture leaves allocations behind in
  // some drivers, which a leak checker reports.
  using ReadPixels = void (*)(int, int, int, int, unsigned, unsigned, void*);
  const auto read = reinterpret_cast<ReadPixels>(glFunction("glReadPixels"));
  if (!read || !window.setActive(true)) {
    return false;
  }
  const sf::Vector2u size = window.getSize();
  const std::size_t row = static_cast<std::size_t>(size.x) * 4;
  image.width = size.x;
  image.height = size.y;
  std::vector<std::uint8_t>& rgba = image.pixels;
  rgba.resize(row * size.y);
  read(0, 0, static_cast<int>(size.x), static_cast<int>(size.y), GL_RGBA, GL_UNSIGNED_BYTE,
       rgba.data());
  // OpenGL gives the bottom row first.
  std::vector<std::uint8_t> swap(row);
  for (std::size_t top = 0, bottom = size.y ? size.y - 1 : 0; top < bottom; top++, bottom--) {
    std::memcpy(swap.data(), &rgba[top * row], row);
    std::memcpy(&rgba[top * row], &rgba[bottom * row], row);
    std::memcpy(&rgba[bottom * row], swap.data(), row);
  }
  return true;
}

} // namespace tw
