#pragma once

#include "Color.h"
#include "Object.h"

#include <string>

namespace tw {

/// Named places on the screen for a view object: columns at 1/6, 1/2 and 5/6 of the view's
/// width, rows at its top, middle and bottom (inside the border).
enum ViewObjectLocation {
  LOCATION_NONE = -1, ///< no named place: the position was set directly
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
  VIEW_STRING = 0, ///< the label
  VIEW_VALUE,      ///< the value
  VIEW_BORDER,     ///< the border flag
  VIEW_COLOR,      ///< the colour
  VIEW_LOCATION,   ///< the named place
  VIEW_DRAW_VALUE, ///< whether the value is drawn
};

/// Number of ViewAttribute values.
constexpr int VIEW_ATTR_COUNT = 6;

/// A labelled value fixed on the screen (a score, a timer); view events with its label as
/// tag change the value. Its position is relative to the view's corner.
class ViewObject : public Object {
public:
  /// An empty label with value 0, bordered, at TOP_CENTER; SPECTRAL, at MAX_ALTITUDE, taking view
  /// events.
  ViewObject();

  /// Places the object relative to the view's corner; a new position makes the location
  /// LOCATION_NONE.
  void setPosition(Vector new_position) override;
  /// A view event tagged with the label sets or adds to the value (1; other tags 0); other
  /// events go to Object.
  int eventHandler(const Event* p_event) override;
  /// Draws displayText centred at the position, framed with '-' and '|' when bordered; no sprite.
  void draw() override;
  std::string serialize(bool all = false) override;
  int deserialize(std::string record) override;
  bool isModified() const override;
  using Object::isModified;
  /// True when that view field changed since the last serialize; attribute must be valid.
  virtual bool isModified(ViewAttribute attribute) const;

  /// Sets the label, which is also the tag of the view events the object takes.
  void setViewString(std::string new_view_string);
  /// The label drawn before the value.
  std::string getViewString() const { return view_string; }
  /// Sets the number shown.
  void setValue(int new_value);
  /// The number shown.
  int getValue() const { return value; }
  /// Frames the text or not; a named location is placed again, as its row depends on it.
  void setBorder(bool new_border);
  /// Whether a frame of '-' and '|' is drawn around the text.
  bool getBorder() const { return border; }
  /// Sets the colour of the text and frame.
  void setColor(Color new_color);
  /// Colour of the text and frame.
  Color getColor() const { return color; }
  /// Places the object at a named place; out-of-range values are logged and ignored.
  void setLocation(int new_location);
  /// The named place (a ViewObjectLocation), or LOCATION_NONE after a move by setPosition.
  int getLocation() const { return location; }
  /// Shows the value after the label, or the label alone; not marked modified.
  void setDrawValue(bool new_draw_value = true) { draw_value = new_draw_value; }
  /// Whether the value is drawn after the label.
  bool getDrawValue() const { return draw_value; }

  /// The text draw() writes: label and value, padded with spaces when bordered.
  std::string displayText() const;

protected:
  /// Marks or clears one view modified flag; an index out of range is ignored.
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
