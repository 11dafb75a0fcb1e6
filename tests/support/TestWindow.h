#pragma once

#include "TestSupport.h"

#include "GraphicsManager.h"
#include "LogManager.h"
#include "Object.h"
#include "WorldManager.h"

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
  /// What the window holds now, cells collected so far included (read before display).
  sf::Image grab() const;
};

/// Keeps the OpenGL driver library that the window loaded mapped until the process ends.
/// The driver keeps some allocations of the first draw in its own globals and is unloaded
/// when the display closes at exit; the leak checker, no longer seeing those globals, would
/// report them. Called by WindowTest once its window is open.
void keepGraphicsDriverLoaded();

/// Pixels whose channels differ between a and b by more than tolerance.
int countDifferentPixels(const sf::Image& a, const sf::Image& b, int tolerance);
/// Pixels (x, y) of area for which test holds.
int countPixels(const sf::Image& image, sf::IntRect area,
                const std::function<bool(sf::Color, int x, int y)>& test);
/// Box of the pixels of area that differ from background; width 0 when none do.
sf::IntRect inkBounds(const sf::Image& image, sf::Color background, sf::IntRect area);

/// One keyboard or mouse event as an object received it.
struct Received {
  int frame = 0;
  bool keyboard = false;
  int key = -1, action = -1, button = -1;
  tw::Vector position;
};

/// An object that records the keyboard and mouse events it gets.
class Recorder : public tw::Object {
public:
  Recorder();
  int eventHandler(const tw::Event* p_event) override;
  /// Those received with action (keyboard or not), in frame (any when negative).
  std::vector<Received> with(bool keyboard, int action, int in_frame = -1) const;

  std::vector<Received> events;
  int frame = 0; ///< the frame number given to what arrives
};

} // namespace twtest
