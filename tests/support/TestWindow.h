#pragma once

#include "TestSupport.h"

#include "Color.h"
#include "Event.h"
#include "Object.h"
#include "Vector.h"

#include <SFML/Graphics.hpp>

#include <string>
#include <vector>

namespace twtest {

/// Runs each test in a fresh directory with the log, the world manager and the graphics
/// manager started on a real window (default configuration, the repository's font).
class WindowTest : public TempDirTest {
protected:
  void SetUp() override;
  void TearDown() override;

  /// Configuration changes to make before the graphics manager starts.
  virtual void configure() {}

  /// What the window holds now, cells collected so far included (read before display).
  sf::Image grab() const;
  /// Saves the window's current contents as a PNG in the test's directory.
  void save(const std::string& name) const;

  std::vector<std::string> log_lines;
};

/// Keeps the OpenGL driver library that the window loaded mapped until the process ends.
/// The driver keeps some allocations of the first draw in its own globals and is unloaded
/// when the display closes at exit; the leak checker, no longer seeing those globals, would
/// report them. Called by WindowTest once its window is open.
void keepGraphicsDriverLoaded();

/// The path of the OpenGL driver library this process has loaded, or "" (for running the
/// program in a child process with the driver preloaded, for the same reason).
std::string graphicsDriverPath();

/// Pixels whose channels differ between a and b by more than tolerance; max_diff gets the
/// largest difference of any channel.
int countDifferentPixels(const sf::Image& a, const sf::Image& b, int tolerance,
                         int* p_max_diff = nullptr);

/// Box of the pixels that differ from background, in [left, top, right, bottom) form; empty
/// (width 0) when none do.
sf::IntRect inkBounds(const sf::Image& image, sf::Color background, sf::IntRect area);

/// One keyboard or mouse event as an object received it.
struct Received {
  int frame = 0;
  bool keyboard = false;
  int key = -1;
  int action = -1;
  int button = -1;
  tw::Vector position;
};

/// An object that records the keyboard and mouse events it gets.
class Recorder : public tw::Object {
public:
  Recorder();
  int eventHandler(const tw::Event* p_event) override;

  std::vector<Received> events;
  int frame = 0;
};

} // namespace twtest
