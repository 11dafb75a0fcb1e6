#include "ViewObject.h"

#include "EventView.h"
#include "GraphicsManager.h"
#include "LogManager.h"
#include "WorldManager.h"
#include "utility.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

namespace tw {

namespace {

int readInt(const std::string& text) {
  const long long v = std::strtoll(text.c_str(), nullptr, 10);
  return static_cast<int>(std::clamp<long long>(v, INT_MIN, INT_MAX));
}

} // namespace

ViewObject::ViewObject() {
  std::fill(view_modified, view_modified + VIEW_ATTR_COUNT, true);
  setSolidness(SPECTRAL);
  setAltitude(MAX_ALTITUDE);
  setType("ViewObject");
  setLocation(TOP_CENTER);
  registerInterest(VIEW_EVENT);
}

void ViewObject::setViewModified(ViewAttribute attribute, bool modified) {
  if (attribute >= 0 && attribute < VIEW_ATTR_COUNT) {
    view_modified[attribute] = modified;
  }
}

bool ViewObject::isModified(ViewAttribute attribute) const {
  return view_modified[attribute];
}

void ViewObject::setPosition(Vector new_position) {
  if (new_position == getPosition()) {
    return;
  }
  Object::setPosition(new_position);
  location = LOCATION_NONE;
  view_modified[VIEW_LOCATION] = true;
}

void ViewObject::setViewString(std::string new_view_string) {
  if (new_view_string != view_string) {
    view_string = std::move(new_view_string);
    view_modified[VIEW_STRING] = true;
  }
}

void ViewObject::setValue(int new_value) {
  if (new_value != value) {
    value = new_value;
    view_modified[VIEW_VALUE] = true;
  }
}

void ViewObject::setBorder(bool new_border) {
  if (new_border != border) {
    border = new_border;
    view_modified[VIEW_BORDER] = true;
    // The rows of the named places depend on the border.
    if (location != LOCATION_NONE) {
      setLocation(location);
    }
  }
}

void ViewObject::setColor(Color new_color) {
  if (new_color != color) {
    color = new_color;
    view_modified[VIEW_COLOR] = true;
  }
}

void ViewObject::setLocation(int new_location) {
  if (new_location < TOP_LEFT || new_location > BOTTOM_RIGHT) {
    LogManager::getInstance().writeLog(
        "ViewObject::setLocation(): Location out of range (%d).  Ignored.", new_location);
    return;
  }
  const Box view = WorldManager::getInstance().getView();
  const float h = view.getHorizontal();
  const float v = view.getVertical();
  const float columns[3] = {h / 6.0f, 3.0f * h / 6.0f, 5.0f * h / 6.0f};
  float x = columns[new_location % 3];
  if (new_location == CENTER_CENTER) {
    x = h * 0.5f;
  }
  float y = 0.0f;
  switch (new_location / 3) {
  case 0:
    y = border ? 1.0f : 0.0f;
    break;
  case 1:
    y = border ? v * 0.5f : v * 0.5f - 1.0f;
    break;
  default:
    y = border ? v - 2.0f : v - 1.0f;
    break;
  }
  setPosition(Vector(x, y));
  location = new_location;
  view_modified[VIEW_LOCATION] = true;
}

int ViewObject::eventHandler(const Event* p_event) {
  if (p_event->isType(VIEW_EVENT)) {
    const auto* p_view_event = static_cast<const EventView*>(p_event);
    if (p_view_event->tagRef() != view_string) {
      return 0;
    }
    if (p_view_event->getDelta()) {
      // Wraps instead of overflowing: a score is no reason for undefined behaviour.
      setValue(static_cast<int>(static_cast<unsigned>(value) +
                                static_cast<unsigned>(p_view_event->getValue())));
    } else {
      setValue(p_view_event->getValue());
    }
    return 1;
  }
  return Object::eventHandler(p_event);
}

std::string ViewObject::displayText() const {
  const std::string number = toString(value);
  if (border && draw_value) {
    return " " + view_string + " " + number + " ";
  }
  if (border) {
    return " " + view_string + " ";
  }
  if (draw_value) {
    return view_string + " " + number;
  }
  return view_string;
}

void ViewObject::draw() {
  GraphicsManager& graphics = GraphicsManager::getInstance();
  const std::string text = displayText();
  const Vector p = viewToWorld(getPosition());
  graphics.drawString(p, text, JUSTIFY_CENTER, color);
  if (border) {
    const int n = static_cast<int>(text.size());
    const float x0 = p.getX() - static_cast<float>(n / 2);
    const std::string dashes(text.size(), '-');
    graphics.drawString(Vector(p.getX(), p.getY() - 1), dashes, JUSTIFY_CENTER, color);
    graphics.drawString(Vector(p.getX(), p.getY() + 1), dashes, JUSTIFY_CENTER, color);
    graphics.drawCharacter('|', color, Vector(x0 - 1, p.getY()));
    graphics.drawCharacter('|', color, Vector(x0 + static_cast<float>(n), p.getY()));
  }
}

std::string ViewObject::serialize(bool all) {
  std::string record = Object::serialize(all);
  auto add = [&](ViewAttribute attribute, const char* key, const std::string& text) {
    if (all || view_modified[attribute]) {
      record += key;
      record += ':';
      record += text;
      record += ',';
    }
  };
  add(VIEW_STRING, "view_string", view_string);
  add(VIEW_VALUE, "value", toString(value));
  add(VIEW_BORDER, "border", toString(border));
  add(VIEW_COLOR, "color", toString(static_cast<int>(color)));
  add(VIEW_LOCATION, "location", toString(location));
  add(VIEW_DRAW_VALUE, "draw_value", toString(draw_value));
  std::fill(view_modified, view_modified + VIEW_ATTR_COUNT, false);
  return record;
}

int ViewObject::deserialize(std::string record) {
  const LogManager& log = LogManager::getInstance();
  Object::deserialize(record);
  // The object's part parsed the record last, so the matcher still holds its items.
  std::string text;
  auto found = [&](const char* key) {
    text = match("", key);
    return !text.empty();
  };
  if (found("view_string")) {
    log.writeLog(10, "ViewObject::deserialize(): view_string is %s", text.c_str());
    setViewString(text);
  }
  if (found("value")) {
    log.writeLog(10, "ViewObject::deserialize(): value is %d", readInt(text));
    setValue(readInt(text));
  }
  if (found("border")) {
    log.writeLog(10, "ViewObject::deserialize(): border is %s", text.c_str());
    setBorder(text == "true");
  }
  if (found("color")) {
    const int new_color = readInt(text);
    log.writeLog(10, "ViewObject::deserialize(): color is %d", new_color);
    setColor(static_cast<Color>(new_color));
  }
  if (found("location")) {
    log.writeLog(10, "ViewObject::deserialize(): location is %d", readInt(text));
    setLocation(readInt(text));
  }
  if (found("draw_value")) {
    log.writeLog(10, "ViewObject::deserialize(): draw_value is %s", text.c_str());
    draw_value = text == "true";
  }
  return 0;
}

bool ViewObject::isModified() const {
  const LogManager& log = LogManager::getInstance();
  for (int i = 0; i < VIEW_ATTR_COUNT; i++) {
    log.writeLog(10, "ViewObject::isModified(): %d is %s", i, view_modified[i] ? "true" : "false");
    if (view_modified[i]) {
      return true;
    }
  }
  return Object::isModified();
}

} // namespace tw
