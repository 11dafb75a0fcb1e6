#include "TestWindow.h"

#include "Config.h"

#include <algorithm>
#include <iterator>
#include <sstream>

#ifdef _WIN32
#include <windows.h>
#else
#include <X11/Xlib.h>
#include <dlfcn.h>
#include <link.h>
#endif

namespace twtest {

void WindowTest::SetUp() {
  LoggedTest::SetUp();
  tw::Config& config = tw::Config::getInstance();
  config.reset(), config.setFontFile(sourceDir() + "/tw-font.ttf"), configure();
  ASSERT_EQ(tw::WorldManager::getInstance().startUp(), 0);
  tw::GraphicsManager& g = tw::GraphicsManager::getInstance();
  ASSERT_EQ(g.startUp(), 0);
  keepGraphicsDriverLoaded();
  // A window manager may have made the window smaller than asked, to fit its screen.
  const sf::Vector2u size = tw::sfml::getWindow()->getSize();
  if (std::getenv("TW_SHARED_DISPLAY") && (int(size.x) != config.window_horizontal_pixels ||
                                           int(size.y) != config.window_vertical_pixels)) {
    GTEST_SKIP() << "the window got " << size.x << " x " << size.y << " pixels on this display";
  }
  const tw::Box screen(tw::Vector(0, 0), float(g.getHorizontalChars()),
                       float(g.getVerticalChars()));
  tw::WorldManager::getInstance().setBoundary(screen);
  tw::WorldManager::getInstance().setView(screen);
}

void WindowTest::TearDown() {
  tw::WorldManager::getInstance().shutDown(), tw::GraphicsManager::getInstance().shutDown();
  LoggedTest::TearDown();
}

sf::Image WindowTest::grab() {
  const tw::Image image = tw::GraphicsManager::getInstance().capture();
  sf::Image out;
  if (!image.empty())
    out.create(image.width, image.height, image.pixels.data());
  return out;
}

void keepGraphicsDriverLoaded() {
#ifndef _WIN32
  // Another reference to each OpenGL driver library ("/dri/..._dri.so") that is never dropped:
  // the library stays mapped after the last other one.
  dl_iterate_phdr(
      [](dl_phdr_info* p_info, size_t, void*) {
        const std::string name = p_info->dlpi_name ? p_info->dlpi_name : "";
        if (name.find("/dri/") != name.npos && name.rfind("_dri.so") + 7 == name.size())
          dlopen(name.c_str(), RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
        return 0;
      },
      nullptr);
#endif
}

void xdo(const std::string& commands) {
  std::istringstream words(commands);
  EXPECT_EQ(runProgram("xdotool", {std::istream_iterator<std::string>(words), {}}), 0) << commands;
}

unsigned long xWindow(sf::WindowHandle window) {
#ifdef _WIN32 // Wine's X driver keeps it with the window
  return static_cast<unsigned long>(
      reinterpret_cast<unsigned long long>(GetPropW(window, L"__wine_x11_whole_window")));
#else
  return window;
#endif
}

void requestClose(sf::WindowHandle window) {
#ifdef _WIN32
  EXPECT_TRUE(PostMessageW(window, WM_CLOSE, 0, 0));
#else
  Display* p_display = XOpenDisplay(nullptr);
  ASSERT_NE(p_display, nullptr);
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = XInternAtom(p_display, "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(XInternAtom(p_display, "WM_DELETE_WINDOW", False));
  XSendEvent(p_display, window, False, NoEventMask, &event);
  XCloseDisplay(p_display);
#endif
}

int countPixels(const sf::Image& image, sf::IntRect area,
                const std::function<bool(sf::Color, int x, int y)>& test) {
  int count = 0;
  for (int y = area.top; y < area.top + area.height; y++) {
    for (int x = area.left; x < area.left + area.width; x++)
      count += test(image.getPixel(unsigned(x), unsigned(y)), x, y);
  }
  return count;
}

int countDifferentPixels(const sf::Image& a, const sf::Image& b, int tolerance) {
  const sf::IntRect all(0, 0, int(a.getSize().x), int(a.getSize().y));
  return a.getSize() != b.getSize() ? -1 : countPixels(a, all, [&](sf::Color p, int x, int y) {
    const sf::Color q = b.getPixel(unsigned(x), unsigned(y));
    return std::max({std::abs(p.r - q.r), std::abs(p.g - q.g), std::abs(p.b - q.b)}) > tolerance;
  });
}

sf::IntRect inkBounds(const sf::Image& image, sf::Color background, sf::IntRect area) {
  sf::Vector2i low(area.left + area.width, area.top + area.height), high(area.left, area.top);
  countPixels(image, area, [&](sf::Color p, int x, int y) {
    if (p.r != background.r || p.g != background.g || p.b != background.b) {
      low = {std::min(low.x, x), std::min(low.y, y)};
      high = {std::max(high.x, x + 1), std::max(high.y, y + 1)};
    }
    return false;
  });
  return high.x <= low.x ? sf::IntRect() : sf::IntRect(low, high - low);
}

} // namespace twtest
