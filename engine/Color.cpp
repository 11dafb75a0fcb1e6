#include "Color.h"

#include "utility.h"

namespace tw {

bool colorFromHex(const std::string& text, Color& color) {
  if (text.size() != 7 || text[0] != '#') {
    return false;
  }
  int value = 0;
  for (std::size_t i = 1; i < text.size(); i++) {
    const int digit = hexDigit(text[i]);
    if (digit < 0) {
      return false;
    }
    value = value * 16 + digit;
  }
  color = static_cast<Color>(RGB_COLOR | value);
  return true;
}

bool colorFromText(const std::string& text, Color& color) {
  static const char* const names[] = {"black", "red",     "green", "yellow",
                                      "blue",  "magenta", "cyan",  "white"};
  for (int i = 0; i < 8; i++) {
    if (text == names[i]) {
      color = static_cast<Color>(i);
      return true;
    }
  }
  return colorFromHex(text, color);
}

} // namespace tw
