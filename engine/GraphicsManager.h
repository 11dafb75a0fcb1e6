#pragma once

#include "Color.h"
#include "Frame.h"
#include "Manager.h"
#include "Vector.h"

#include <SFML/Graphics.hpp>

#include <cstdint>
#include <string>

namespace tw {

enum Justification {
  JUSTIFY_LEFT = 0,
  JUSTIFY_CENTER,
  JUSTIFY_RIGHT,
};

/// Pixels per cell, horizontally and vertically.
float charWidth();
float charHeight();
Vector spacesToPixels(Vector spaces);
Vector pixelsToSpaces(Vector pixels);
sf::Color colorToSFML(Color color);
/// Writes the colour's channels; leaves them unchanged for CUSTOM and unknown values.
void colorToRGB(Color color, std::uint8_t& red, std::uint8_t& green, std::uint8_t& blue);

/// Owns the window and draws the world's character cells into it.
class GraphicsManager : public Manager {
public:
  static GraphicsManager& getInstance();

  int startUp() override;
  void shutDown() override;

  int drawCharacter(char ch, Color color, Vector world_pos);
  int drawString(Vector world_pos, std::string text, Justification justification, Color color);
  int drawFrame(bool centered, Color color, char transparent, Vector world_pos, Frame frame);
  /// Shows the frame drawn since the last call and clears the window for the next one.
  void displayFrame();

  sf::RenderWindow* getWindow() const { return p_window; }
  int getHorizontalChars() const;
  int getVerticalChars() const;
  int getHorizontalPixels() const;
  int getVerticalPixels() const;

private:
  GraphicsManager();

  sf::RenderWindow* p_window = nullptr;
};

} // namespace tw
