#include "TestWindow.h"

#include "Config.h"
#include "EventKeyboard.h"
#include "EventMouse.h"
#include "GraphicsManager.h"
#include "LogManager.h"
#include "WorldManager.h"

#include <algorithm>
#include <cstdlib>

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
  sf::RenderWindow* p_window = tw::GraphicsManager::getInstance().getWindow();
  sf::Texture texture;
  texture.create(p_window->getSize().x, p_window->getSize().y);
  texture.update(*p_window);
  return texture.copyToImage();
}

void WindowTest::save(const std::string& name) const { grab().saveToFile(name); }

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
