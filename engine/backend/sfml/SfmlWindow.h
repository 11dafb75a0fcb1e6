#pragma once

#include <SFML/Graphics/RenderWindow.hpp>

namespace tw {
namespace sfml {

/// The graphics manager's window, for drawing on it with SFML: every cell drawn so far is
/// already in it, so that what is drawn now covers them, and the frame is shown whole. Null
/// when there is no window.
sf::RenderWindow* getWindow();

} // namespace sfml
} // namespace tw
