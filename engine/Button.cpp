#include "Button.h"

#include "InputManager.h"
#include "LogManager.h"
#include "utility.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

namespace tw {

Button::Button() {
  setType("Button");
  setLocation(CENTER_CENTER);
  setViewString("button");
  setColor(WHITE);
  setBorder(true);
  setDrawValue(false);
  registerInterest(MOUSE_EVENT);
}

void Button::setHighlightColor(Color new_color) {
  highlight_color = new_color;
  button_modified[BUTTON_HIGHLIGHT_COLOR] = true;
}

void Button::setDefaultColor(Color new_color) {
  default_color = new_color;
  button_modified[BUTTON_DEFAULT_COLOR] = true;
}

bool Button::isModified(ButtonAttribute attribute) const {
  return button_modified[attribute];
}

bool Button::isMouseOver(const EventMouse* p_mouse_event) const {
  const auto length = static_cast<float>(getViewString().size());
  const float width = getBorder() ? length + 4.0f : length;
  const float height = getBorder() ? 3.0f : 1.0f;
  const float left = getPosition().getX() - width * 0.5f;
  const float top = getPosition().getY() - height * 0.5f;
  const Vector mouse = p_mouse_event->getMousePosition();
  return left <= mouse.getX() && mouse.getX() <= left + width && top <= mouse.getY() &&
         mouse.getY() <= top + height;
}

int Button::eventHandler(const Event* p_event) {
  if (!p_event->isType(MOUSE_EVENT)) {
    return 0;
  }
  const auto* p_mouse_event = static_cast<const EventMouse*>(p_event);
  if (isMouseOver(p_mouse_event)) {
    setColor(highlight_color);
    if (p_mouse_event->getMouseAction() == Mouse::CLICKED) {
      onClick();
    }
    return 1;
  }
  setColor(default_color);
  return 1;
}

std::string Button::serialize(bool all) {
  std::string record = ViewObject::serialize(all);
  if (all || button_modified[BUTTON_HIGHLIGHT_COLOR]) {
    record += "highlight-color:" + toString(static_cast<int>(highlight_color)) + ",";
  }
  if (all || button_modified[BUTTON_DEFAULT_COLOR]) {
    record += "default-color:" + toString(static_cast<int>(default_color)) + ",";
  }
  button_modified[BUTTON_HIGHLIGHT_COLOR] = false;
  button_modified[BUTTON_DEFAULT_COLOR] = false;
  return record;
}

int Button::deserialize(std::string record) {
  ViewObject::deserialize(record);
  const LogManager& log = LogManager::getInstance();
  for (const char* key : {"highlight-color", "default-color"}) {
    const std::string text = match("", key);
    if (text.empty()) {
      continue;
    }
    const long long number = std::strtoll(text.c_str(), nullptr, 10);
    const int color = static_cast<int>(std::clamp<long long>(number, INT_MIN, INT_MAX));
    log.writeLog(10, "Button::deserialize(): color is %d", color);
    if (key[0] == 'h') {
      setHighlightColor(static_cast<Color>(color));
    } else {
      setDefaultColor(static_cast<Color>(color));
    }
  }
  return 0;
}

bool Button::isModified() const {
  const LogManager& log = LogManager::getInstance();
  for (int i = 0; i < BUTTON_ATTR_COUNT; i++) {
    log.writeLog(10, "Button::isModified(): %d is %s", i, button_modified[i] ? "true" : "false");
    if (button_modified[i]) {
      return true;
    }
  }
  return ViewObject::isModified();
}

} // namespace tw
