#pragma once

#include "Color.h"
#include "Object.h"

#include <string>

namespace tw {

/// Named places on the screen for a view object.
enum ViewObjectLocation {
  LOCATION_NONE = -1,
  TOP_LEFT,
  TOP_CENTER,
  TOP_RIGHT,
  CENTER_LEFT,
  CENTER_CENTER,
  CENTER_RIGHT,
  BOTTOM_LEFT,
  BOTTOM_CENTER,
  BOTTOM_RIGHT,
};

/// Indexes of the view object's own modified flags.
enum ViewAttribute {
  VIEW_STRING = 0,
  VIEW_VALUE,
  VIEW_BORDER,
  VIEW_COLOR,
  VIEW_LOCATION,
  VIEW_DRAW_VALUE,
};

constexpr int VIEW_ATTR_COUNT = 6;

/// A labelled value fixed on the screen (a score, a timer); view events with its label as
/// tag change the value. Its position is relative to the view's corner.
class ViewObject : public Object {
public:
  ViewObject();

  void setPosition(Vector new_position) override;
  int eventHandler(const Event* p_event) override;
  void draw() override;
  std::string serialize(bool all = false) override;
  int deserialize(std::string record) override;
  bool isModified() const override;
  using Object::isModified;
  virtual bool isModified(ViewAttribute attribute) const;

  void setViewString(std::string new_view_string);
  std::string getViewString() const { return view_string; }
  void setValue(int new_value);
  int getValue() const { return value; }
  void setBorder(bool new_border);
  bool getBorder() const { return border; }
  void setColor(Color new_color);
  Color getColor() const { return color; }
  /// Places the object at a named place; out-of-range values are logged and ignored.
  void setLocation(int new_location);
  int getLocation() const { return location; }
  void setDrawValue(bool new_draw_value = true) { draw_value = new_draw_value; }
  bool getDrawValue() const { return draw_value; }

  /// The text draw() writes: label and value, padded with spaces when bordered.
  std::string displayText() const;

protected:
  void setViewModified(ViewAttribute attribute, bool modified = true);

private:
  std::string view_string;
  int value = 0;
  bool draw_value = true;
  bool border = true;
  Color color = WHITE;
  int location = TOP_CENTER;
  bool view_modified[VIEW_ATTR_COUNT];
};

} // namespace tw
