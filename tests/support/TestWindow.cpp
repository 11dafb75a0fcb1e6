#include "TestWindow.h"

#include "Config.h"
#include "EventKeyboard.h"
#include "EventMouse.h"
#include "GraphicsManager.h"
#include "LogManager.h"
#include "WorldManager.h"

#include <SFML/Window/Context.hpp>

#include <dlfcn.h>
#include <link.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace twtest {

void WindowTest::SetUp() {
  TempDirTest::SetUp();
  tw::Config& config = tw::Config::getInstance();
  config.reset();
  config.setFontFile(sourceDir() + "/tw-font.ttf");
  configure();
  startLog();
  ASSERT_EQ(tw::WorldManager::getInstance().startUp(), 0);
  ASSERT_EQ(tw::GraphicsManager::getInstance().startUp(), 0);
  keepGraphicsDriverLoaded();
  const tw::GraphicsManager& g = tw::GraphicsManager::getInstance();
  const tw::Box screen(tw::Vector(0, 0), static_cast<float>(g.getHorizontalChars()),
                       static_cast<float>(g.getVerticalChars()));
  tw::WorldManager::getInstance().setBoundary(screen);
  tw::WorldManager::getInstance().setView(screen);
}

void WindowTest::TearDown() {
  tw::WorldManager::getInstance().shutDown();
  tw::GraphicsManager::getInstance().shutDown();
  log_lines = stopLog();
  TempDirTest::TearDown();
}

sf::Image WindowTest::grab() const {
  // Handing out the window sends the cells collected so far into it.
  sf::RenderWindow* p_window = tw::GraphicsManager::getInstance().getWindow();
  const sf::Vector2u size = p_window->getSize();
  // Read the back buffer straight from OpenGL: the window library's own copy into a texture
  // leaves allocations behind in the driver, which the leak checker reports.
  using ReadPixels = void (*)(int, int, int, int, unsigned, unsigned, void*);
  const auto read_pixels = reinterpret_cast<ReadPixels>(sf::Context::getFunction("glReadPixels"));
  std::vector<sf::Uint8> rows(static_cast<std::size_t>(size.x) * size.y * 4);
  if (read_pixels && p_window->setActive(true)) {
    const unsigned gl_rgba = 0x1908;
    const unsigned gl_unsigned_byte = 0x1401;
    read_pixels(0, 0, static_cast<int>(size.x), static_cast<int>(size.y), gl_rgba, gl_unsigned_byte,
                rows.data());
  } else {
    ADD_FAILURE() << "cannot read the window's pixels";
  }
  // OpenGL gives the bottom row first.
  std::vector<sf::Uint8> pixels(rows.size());
  const std::size_t stride = static_cast<std::size_t>(size.x) * 4;
  for (unsigned y = 0; y < size.y; y++) {
    std::copy(rows.begin() + static_cast<long>((size.y - 1 - y) * stride),
              rows.begin() + static_cast<long>((size.y - y) * stride),
              pixels.begin() + static_cast<long>(y * stride));
  }
  sf::Image image;
  image.create(size.x, size.y, pixels.data());
  return image;
}

void WindowTest::save(const std::string& name) const {
  grab().saveToFile(name);
}

namespace {

int collectDriver(dl_phdr_info* p_info, size_t, void* p_paths) {
  const char* p_name = p_info->dlpi_name;
  const std::size_t length = p_name ? std::strlen(p_name) : 0;
  const char suffix[] = "_dri.so";
  if (length > sizeof(suffix) && std::strstr(p_name, "/dri/") &&
      std::strcmp(p_name + length - (sizeof(suffix) - 1), suffix) == 0) {
    static_cast<std::vector<std::string>*>(p_paths)->push_back(p_name);
  }
  return 0;
}

std::vector<std::string> loadedDrivers() {
  std::vector<std::string> paths;
  dl_iterate_phdr(collectDriver, &paths);
  return paths;
}

} // namespace

void keepGraphicsDriverLoaded() {
  for (const std::string& path : loadedDrivers()) {
    // Another reference that is never dropped, and the library stays mapped when the last
    // one is: the handle needs no closing.
    dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
  }
}

std::string graphicsDriverPath() {
  const std::vector<std::string> paths = loadedDrivers();
  return paths.empty() ? std::string() : paths.front();
}

int countDifferentPixels(const sf::Image& a, const sf::Image& b, int tolerance, int* p_max_diff) {
  int count = 0;
  int max_diff = 0;
  const sf::Vector2u size = a.getSize();
  if (size != b.getSize()) {
    return -1;
  }
  for (unsigned y = 0; y < size.y; y++) {
    for (unsigned x = 0; x < size.x; x++) {
      const sf::Color p = a.getPixel(x, y);
      const sf::Color q = b.getPixel(x, y);
      const int diff = std::max({std::abs(p.r - q.r), std::abs(p.g - q.g), std::abs(p.b - q.b)});
      max_diff = std::max(max_diff, diff);
      if (diff > tolerance) {
        count++;
      }
    }
  }
  if (p_max_diff) {
    *p_max_diff = max_diff;
  }
  return count;
}

sf::IntRect inkBounds(const sf::Image& image, sf::Color background, sf::IntRect area) {
  int left = area.left + area.width;
  int top = area.top + area.height;
  int right = area.left;
  int bottom = area.top;
  for (int y = area.top; y < area.top + area.height; y++) {
    for (int x = area.left; x < area.left + area.width; x++) {
      const sf::Color p = image.getPixel(static_cast<unsigned>(x), static_cast<unsigned>(y));
      if (p.r != background.r || p.g != background.g || p.b != background.b) {
        left = std::min(left, x);
        top = std::min(top, y);
        right = std::max(right, x + 1);
        bottom = std::max(bottom, y + 1);
      }
    }
  }
  if (right <= left) {
    return sf::IntRect();
  }
  return sf::IntRect(left, top, right - left, bottom - top);
}

Recorder::Recorder() {
  setType("Recorder");
  registerInterest(tw::KEYBOARD_EVENT);
  registerInterest(tw::MOUSE_EVENT);
}

int Recorder::eventHandler(const tw::Event* p_event) {
  Received r;
  r.frame = frame;
  if (p_event->isType(tw::KEYBOARD_EVENT)) {
    const auto* p_key = static_cast<const tw::EventKeyboard*>(p_event);
    r.keyboard = true;
    r.key = p_key->getKey();
    r.action = p_key->getKeyboardAction();
  } else if (p_event->isType(tw::MOUSE_EVENT)) {
    const auto* p_mouse = static_cast<const tw::EventMouse*>(p_event);
    r.action = p_mouse->getMouseAction();
    r.button = p_mouse->getMouseButton();
    r.position = p_mouse->getMousePosition();
  } else {
    return 0;
  }
  events.push_back(r);
  return 1;
}

} // namespace twtest
