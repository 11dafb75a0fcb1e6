#pragma once

namespace tw {

/// The colours characters are drawn in; converted to window colours by the graphics manager.
enum Color {
  BLACK = 0,
  RED,
  GREEN,
  YELLOW,
  BLUE,
  MAGENTA,
  CYAN,
  WHITE,
  CUSTOM,
};

} // namespace tw
