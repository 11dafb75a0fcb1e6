#include "GraphicsManager.h"

#include "Config.h"
#include "LogManager.h"

namespace tw {

float charWidth() {
  const GraphicsManager& g = GraphicsManager::getInstance();
  return static_cast<float>(g.getHorizontalPixels()) / static_cast<float>(g.getHorizontalChars());
}

float charHeight() {
  const GraphicsManager& g = GraphicsManager::getInstance();
  return static_cast<float>(g.getVerticalPixels()) / static_cast<float>(g.getVerticalChars());
}

Vector spacesToPixels(Vector spaces) {
  return Vector(spaces.getX() * charWidth(), spaces.getY() * charHeight());
}

Vector pixelsToSpaces(Vector pixels) {
  return Vector(pixels.getX() / charWidth(), pixels.getY() / charHeight());
}

sf::Color colorToSFML(Color) { return sf::Color::White; }

void colorToRGB(Color, std::uint8_t&, std::uint8_t&, std::uint8_t&) {}

GraphicsManager::GraphicsManager() { setType("GraphicsManager"); }

GraphicsManager& GraphicsManager::getInstance() {
  static GraphicsManager graphics_manager;
  return graphics_manager;
}

int GraphicsManager::startUp() { return Manager::startUp(); }

void GraphicsManager::shutDown() { Manager::shutDown(); }

int GraphicsManager::drawCharacter(char, Color, Vector) {
  if (!isStarted()) {
    LogManager::getInstance().writeLog("%s not started!", getType().c_str());
  }
  return -1;
}

int GraphicsManager::drawString(Vector, std::string, Justification, Color) {
  if (!isStarted()) {
    LogManager::getInstance().writeLog("%s not started!", getType().c_str());
  }
  return -1;
}

int GraphicsManager::drawFrame(bool, Color, char, Vector, Frame) {
  if (!isStarted()) {
    LogManager::getInstance().writeLog("%s not started!", getType().c_str());
  }
  return -1;
}

void GraphicsManager::displayFrame() {
  if (!isStarted()) {
    LogManager::getInstance().writeLog("%s not started!", getType().c_str());
  }
}

int GraphicsManager::getHorizontalChars() const {
  return Config::getInstance().window_horizontal_chars;
}
int GraphicsManager::getVerticalChars() const { return Config::getInstance().window_vertical_chars; }
int GraphicsManager::getHorizontalPixels() const {
  return Config::getInstance().window_horizontal_pixels;
}
int GraphicsManager::getVerticalPixels() const {
  return Config::getInstance().window_vertical_pixels;
}

} // namespace tw
