#pragma once

#include "TestSupport.h"

#include "GraphicsManager.h"
#include "LogManager.h"
#include "Object.h"
#include "WorldManager.h"
#include "backend/sfml/SfmlWindow.h"

#include <SFML/Graphics.hpp>

#include <functional>

namespace twtest {

/// The world manager and the graphics manager started on a real window (default
/// configuration, the repository's font), boundary and view the size of the screen.
class WindowTest : public LoggedTest {
protected:
  void SetUp() override;
  void TearDown() override;
  /// Configuration changes to make before the graphics manager starts.
  virtual void configure() {}

public:
  /// What the window holds now, cells collected so far included (read before display).
  static sf::Image grab();
};

/// The colour as SFML's.
inline sf::Color sfColor(tw::Rgba c) {
  return sf::Color(c.r, c.g, c.b, c.a);
}

/// Keeps the OpenGL driver library that the window loaded mapped until the process ends.
/// The driver keeps some allocations of the first draw in its own globals and is unloaded
/// when the display closes at exit; the leak checker, no longer seeing those globals, would
/// report them. Called by WindowTest once its window is open; nothing to do on Windows.
void keepGraphicsDriverLoaded();

/// Sends real X input through XTest with xdotool: "keydown a", "mousemove --window W 10 10".
void xdo(const std::string& commands);
/// The X window of window (under Wine, the one that Wine made for it), for xdotool.
unsigned long xWindow(sf::WindowHandle window);
/// Asks window to close, as a window manager's close button does.
void requestClose(sf::WindowHandle window);

/// Pixels whose channels differ between a and b by more than tolerance.
int countDifferentPixels(const sf::Image& a, const sf::Image& b, int tolerance);
/// Pixels (x, y) of area for which test holds.
int countPixels(const sf::Image& image, sf::IntRect area,
                const std::function<bool(sf::Color, int x, int y)>& test);
/// Box of the pixels of area that differ from background; width 0 when none do.
sf::IntRect inkBounds(const sf::Image& image, sf::Color background, sf::IntRect area);

} // namespace twtest
