#pragma once

namespace tw {

/// The colours characters are drawn in; converted to window colours by the graphics manager.
/// Any int is a valid Color: values past CUSTOM are unsupported colours, reported when used.
enum Color : int {
  BLACK = 0,
  RED,
  GREEN,
  YELLOW,
  BLUE,
  MAGENTA,
  CYAN,
  WHITE,
  CUSTOM, ///< a shape's own channels, set with setRGB; characters are drawn white
};

} // namespace tw
